#include "ui/win32/colour_page_proc.h"

#include <commctrl.h>
#include <prsht.h>

#include <new>

#include "platform/win32/com_boundary.h"
#include "ui/colour/colour_ids.h"
#include "ui/plugin/ui_module.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/colour_page_shell.h"
#include "ui/win32/dialog_help.h"
#include "ui/win32/drawing.h"

namespace wren::ui {
namespace {

ColourPageShell* shellOf(HWND dialog) {
    return reinterpret_cast<ColourPageShell*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR answer(HWND dialog, LONG_PTR result) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR notify(HWND dialog, ColourPageShell& shell, const NMHDR& header) {
    switch (header.code) {
    case PSN_SETACTIVE:
        shell.takeDocumentFacts();
        shell.page().activate();
        return answer(dialog, 0);
    case PSN_KILLACTIVE:
        shell.page().leave();
        return answer(dialog, FALSE);
    case PSN_APPLY:
        shell.page().apply();
        return answer(dialog, PSNRET_NOERROR);
    default:
        return FALSE;
    }
}

HCURSOR linkCursor() {
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    return hand ? hand : LoadCursorW(nullptr, IDC_ARROW);
}

INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    ColourPageShell* shell = shellOf(dialog);
    switch (message) {
    case WM_INITDIALOG: {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
        auto* sheet = page ? reinterpret_cast<DocumentSheet*>(page->lParam) : nullptr;
        if (!sheet || !sheet->tree) return TRUE;
        shell = new (std::nothrow) ColourPageShell(dialog, *sheet);
        if (!shell) return TRUE;
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(shell));
        shell->page().initialize();
        return TRUE;
    }
    case WM_DESTROY:
        delete shell;
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        return FALSE;
    default:
        break;
    }
    if (!shell) return FALSE;

    switch (message) {
    case WM_NOTIFY:
        return notify(dialog, *shell, *reinterpret_cast<const NMHDR*>(lparam));
    case WM_COMMAND:
        shell->page().command(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    case WM_DRAWITEM: {
        const int id = static_cast<int>(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->CtlID);
        const int bitmap = ColourPage::pictureBitmap(id);
        if (bitmap == 0) return FALSE;
        DrawControlBitmap(dialog, uiModule().module, id, bitmap);
        return TRUE;
    }
    case WM_SETCURSOR:
        if (shell->page().linkActive() && reinterpret_cast<HWND>(wparam) == GetDlgItem(dialog, IDC_LOGO)) {
            SetCursor(linkCursor());
            return answer(dialog, TRUE);
        }
        return FALSE;
    case WM_HELP:
    case WM_CONTEXTMENU:
        HandleContextHelp(dialog, message, wparam, lparam, uiModule().state);
        return TRUE;
    default:
        return FALSE;
    }
}

void dropShell(HWND dialog) noexcept {
    delete shellOf(dialog);
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
}

}  // namespace

// user32 calls this through C: an exception must not unwind into it. A
// message that threw counts as not handled.
INT_PTR CALLBACK ColourPageProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return win32::win32Guarded<INT_PTR>(
        FALSE, [&] { return handleMessage(dialog, message, wparam, lparam); },
        [&]() noexcept {
            if (message == WM_INITDIALOG) dropShell(dialog);
        });
}

}  // namespace wren::ui
