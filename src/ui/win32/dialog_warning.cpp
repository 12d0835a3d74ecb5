#include "ui/win32/dialog_warning.h"

#include <memory>
#include <optional>

#include "platform/win32/com_boundary.h"
#include "ui/dialogs/warning_dialog.h"
#include "ui/plugin/ui_module.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/dialog_help.h"
#include "platform/win32/localized_resources.h"
#include "platform/win32/win32_dialog_view.h"

namespace wren::ui {
namespace {

struct WarningWindow {
    UiState& state;  // the sheet's
    std::optional<Win32DialogView> view;
    std::optional<WarningDialog> controller;
};

INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<WarningWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        self = reinterpret_cast<WarningWindow*>(lparam);
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        ApplyHelpButtonStyle(dialog, self->state);
        // A shared icon from LoadIconW: the system owns it.
        if (HICON icon = LoadIconW(uiModule().module, MAKEINTRESOURCEW(IDI_WARNING_SIGN)))
            SendDlgItemMessageW(dialog, IDC_WARN_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        self->view.emplace(dialog);
        self->controller.emplace(*self->view);
        self->controller->initialize();
        return TRUE;
    }
    case WM_COMMAND:
        if (!self || !self->controller) return FALSE;
        self->controller->command(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (!self) return FALSE;
        return HandleContextHelp(dialog, message, wparam, lparam, self->state) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

// A warning whose set-up threw drops its half-made controller and closes as
// one that could not be made (-1): it counts as not seen.
void abandon(HWND dialog) noexcept {
    if (auto* self = reinterpret_cast<WarningWindow*>(GetWindowLongPtrW(dialog, DWLP_USER))) {
        self->controller.reset();
        self->view.reset();
    }
    EndDialog(dialog, -1);
}

// user32 calls this through C: an exception must not unwind into it. A
// message that threw counts as not handled.
INT_PTR CALLBACK warningProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    return win32::win32Guarded<INT_PTR>(
        FALSE, [&] { return handleMessage(dialog, message, wparam, lparam); },
        [&]() noexcept {
            if (message == WM_INITDIALOG) abandon(dialog);
        });
}

}  // namespace

int RunWarningDialog(HWND owner, int templateId, UiState& state) {
    WarningWindow window{state, std::nullopt, std::nullopt};
    const INT_PTR result = ShowLocalizedDialog(uiModule().module, templateId, owner, warningProcedure,
                                               reinterpret_cast<LPARAM>(&window));
    // -1: the dialog could not be made; the warning then counts as not seen.
    return result == 0 ? 0 : 1;
}

}  // namespace wren::ui
