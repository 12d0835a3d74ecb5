#include "ui/win32/sub_dialogs.h"

#include <functional>
#include <memory>

#include "platform/win32/com_boundary.h"
#include "platform/win32/win32_ports.h"
#include "ui/dialogs/warning_store.h"
#include "ui/pages/advanced_dialog.h"
#include "ui/pages/job_pin_dialog.h"
#include "ui/plugin/ui_module.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/dialog_help.h"
#include "platform/win32/localized_resources.h"
#include "ui/win32/page_shell.h"
#include "ui/win32/dialog_warning.h"

namespace wren::ui {
namespace {

// One modal dialog: the view and controller made at WM_INITDIALOG, kept in
// the dialog's user data and gone with the dialog.
template <typename Controller>
struct ModalDialog {
    std::function<std::unique_ptr<Controller>(DialogView&)> make;
    std::unique_ptr<Win32DialogView> view;
    std::unique_ptr<Controller> controller;

    // user32 calls this through C: an exception must not unwind into it. A
    // message that threw counts as not handled; a dialog whose set-up threw
    // drops its half-made controller and closes as if never made (-1).
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
        return win32::win32Guarded<INT_PTR>(
            FALSE, [&] { return handleMessage(dialog, message, wparam, lparam); },
            [&]() noexcept {
                if (message == WM_INITDIALOG) abandon(dialog);
            });
    }

    static void abandon(HWND dialog) noexcept {
        if (auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER))) {
            self->controller.reset();
            self->view.reset();
        }
        EndDialog(dialog, -1);
    }

    static INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
        auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (message == WM_INITDIALOG) {
            self = reinterpret_cast<ModalDialog*>(lparam);
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            ApplyHelpButtonStyle(dialog, uiModule().state);
            self->view = std::make_unique<Win32DialogView>(dialog);
            self->controller = self->make(*self->view);
            self->controller->initialize();
            return TRUE;
        }
        if (!self || !self->controller) return FALSE;
        switch (message) {
        case WM_COMMAND:
            self->controller->command(LOWORD(wparam), HIWORD(wparam));
            return TRUE;
        case WM_HELP:
        case WM_CONTEXTMENU:
            HandleContextHelp(dialog, message, wparam, lparam, uiModule().state);
            return TRUE;
        default:
            return FALSE;
        }
    }

    // A dialog that could not be created (-1) confirmed nothing.
    int run(int templateId, HWND owner) {
        const INT_PTR result =
            ShowLocalizedDialog(uiModule().module, templateId, owner, &procedure, reinterpret_cast<LPARAM>(this));
        return result == -1 ? 0 : static_cast<int>(result);
    }
};

bool sharedOrNetwork(PageShell& page) {
    auto details = win32::ports().spooler.printerDetails(page.services().config.printer());
    return details && (details->attributes & (kPrinterAttributeShared | kPrinterAttributeNetwork)) != 0;
}

}  // namespace

int RunJobPinDialog(HWND owner, PageShell& page) {
    ModalDialog<JobPinDialog> dialog;
    const bool shared = sharedOrNetwork(page);
    dialog.make = [&page, shared](DialogView& view) {
        HWND window = static_cast<HWND>(view.ownerWindow());
        auto warn = [&page, window] {
            ShowWarningOnce(page.services().profile, page.sheet().context.pluginIni,
                            [window] { return RunWarningDialog(window, IDD_WARNING_301); });
        };
        return std::make_unique<JobPinDialog>(view, page.services().record, page.strings(), uiModule().state, shared,
                                              warn);
    };
    return dialog.run(IDD_JOB_PIN, owner);
}

int RunAdvancedDialog(HWND owner, PageShell& page) {
    ModalDialog<AdvancedDialog> dialog;
    dialog.make = [&page](DialogView& view) {
        PageServices& s = page.services();
        const int compression = s.config.modelInt(s.capabilityFile, u"Compression", 0);
        return std::make_unique<AdvancedDialog>(view, s.context, s.record, s.strings, page.page().hardDisk(),
                                                compression);
    };
    return dialog.run(IDD_ADVANCED, owner);
}

}  // namespace wren::ui
