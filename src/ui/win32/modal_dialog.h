// The procedure every modal dialog of the plug-in shares: the controller
// and its view are made at WM_INITDIALOG and live in the dialog's user
// data; the procedure only forwards messages. Commands and help go to every
// controller; scroll bars and report-list notifications go to a controller
// that has them; owner-drawn items to the dialog's own drawing; anything
// else a dialog wants (track bars, mouse clicks) to its own hook first.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>

#include "platform/win32/com_boundary.h"
#include "platform/win32/localized_resources.h"
#include "platform/win32/win32_dialog_view.h"
#include "ui/pages/control_events.h"
#include "ui/plugin/ui_module.h"
#include "ui/win32/dialog_help.h"

namespace wren::ui {

template <typename Controller>
class ModalDialog {
public:
    using Make = std::function<std::unique_ptr<Controller>(Win32DialogView&)>;
    struct Hooks {
        // Runs once the controller is made, before it initialises.
        std::function<void(HWND dialog)> prepare = {};
        // WM_DRAWITEM; false when the item is not the dialog's to draw.
        std::function<bool(const DRAWITEMSTRUCT&)> drawItem = {};
        // Any message after WM_INITDIALOG, before the common handling; true
        // when it handled the message.
        std::function<bool(Controller&, HWND, UINT, WPARAM, LPARAM)> other = {};
    };

    // `state`: the sheet the dialog is opened from (its help file and rules).
    ModalDialog(UiState& state, Make make, Hooks hooks = {})
        : state_(state), make_(std::move(make)), hooks_(std::move(hooks)) {}

    // A dialog that could not be created (-1) confirmed nothing.
    int run(int templateId, HWND owner) {
        const INT_PTR result =
            ShowLocalizedDialog(uiModule().module, templateId, owner, &procedure, reinterpret_cast<LPARAM>(this));
        return result == -1 ? 0 : static_cast<int>(result);
    }

    HWND window() const { return view_ ? view_->window() : nullptr; }

private:
    // user32 calls this through C: an exception must not unwind into it. A
    // message that threw counts as not handled; a dialog whose set-up threw
    // drops its half-made controller and closes as if never made.
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
        return win32::win32Guarded<INT_PTR>(
            FALSE, [&] { return handleMessage(dialog, message, wparam, lparam); },
            [&]() noexcept {
                if (message == WM_INITDIALOG) abandon(dialog);
            });
    }

    static void abandon(HWND dialog) noexcept {
        if (auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER))) {
            self->controller_.reset();
            self->view_.reset();
        }
        EndDialog(dialog, -1);
    }

    static bool listEvent(UINT code, ListEvent& event) {
        switch (code) {
        case LVN_ITEMCHANGED: event = ListEvent::ItemChanged; return true;
        case NM_SETFOCUS: event = ListEvent::Focused; return true;
        case NM_DBLCLK: event = ListEvent::DoubleClicked; return true;
        default: return false;
        }
    }

    static INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
        auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (message == WM_INITDIALOG) {
            self = reinterpret_cast<ModalDialog*>(lparam);
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            ApplyHelpButtonStyle(dialog, self->state_);
            self->view_ = std::make_unique<Win32DialogView>(dialog);
            self->controller_ = self->make_(*self->view_);
            if (self->hooks_.prepare) self->hooks_.prepare(dialog);
            self->controller_->initialize();
            return TRUE;
        }
        if (!self || !self->controller_) return FALSE;
        if (self->hooks_.other && self->hooks_.other(*self->controller_, dialog, message, wparam, lparam)) return TRUE;
        switch (message) {
        case WM_COMMAND:
            self->controller_->command(LOWORD(wparam), HIWORD(wparam));
            return TRUE;
        case WM_HSCROLL:
            if constexpr (requires(Controller& c) { c.scroll(0, 0, 0); }) {
                const int bar = lparam ? GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) : 0;
                self->controller_->scroll(bar, LOWORD(wparam), static_cast<short>(HIWORD(wparam)));
                return TRUE;
            }
            return FALSE;
        case WM_NOTIFY:
            if constexpr (requires(Controller& c) { c.listEvent(0, ListEvent::Focused); }) {
                const auto* header = reinterpret_cast<const NMHDR*>(lparam);
                ListEvent event{};
                if (header && listEvent(header->code, event)) {
                    self->controller_->listEvent(static_cast<int>(header->idFrom), event);
                    return TRUE;
                }
            }
            return FALSE;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            return item && self->hooks_.drawItem && self->hooks_.drawItem(*item);
        }
        case WM_HELP:
        case WM_CONTEXTMENU:
            HandleContextHelp(dialog, message, wparam, lparam, self->state_);
            return TRUE;
        default:
            return FALSE;
        }
    }

    UiState& state_;
    Make make_;
    Hooks hooks_;
    std::unique_ptr<Win32DialogView> view_;
    std::unique_ptr<Controller> controller_;
};

}  // namespace wren::ui
