#include "ui/win32/dialog_warning.h"

#include <memory>
#include <optional>

#include "ui/dialogs/warning_dialog.h"
#include "ui/plugin/ui_module.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/dialog_help.h"
#include "ui/win32/localized_resources.h"
#include "ui/win32/win32_dialog_view.h"

namespace wren::ui {
namespace {

struct WarningWindow {
    std::optional<Win32DialogView> view;
    std::optional<WarningDialog> controller;
};

INT_PTR CALLBACK warningProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<WarningWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        self = reinterpret_cast<WarningWindow*>(lparam);
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        ApplyHelpButtonStyle(dialog, uiModule().state);
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
        return HandleContextHelp(dialog, message, wparam, lparam, uiModule().state) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int RunWarningDialog(HWND owner, int templateId) {
    WarningWindow window;
    const INT_PTR result = ShowLocalizedDialog(uiModule().module, templateId, owner, warningProcedure,
                                               reinterpret_cast<LPARAM>(&window));
    // -1: the dialog could not be made; the warning then counts as not seen.
    return result == 0 ? 0 : 1;
}

}  // namespace wren::ui
