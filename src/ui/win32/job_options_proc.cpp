#include "ui/win32/job_options_proc.h"

#include <commctrl.h>
#include <prsht.h>

#include "platform/win32/com_boundary.h"
#include "ui/plugin/ui_module.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/drawing.h"
#include "ui/win32/dialog_help.h"
#include "ui/win32/page_shell.h"

namespace wren::ui {
namespace {

PageShell* shellOf(HWND dialog) { return reinterpret_cast<PageShell*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

INT_PTR answer(HWND dialog, LONG_PTR result) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

void setLinkFont(HWND dialog, PageShell& shell) {
    if (HWND link = GetDlgItem(dialog, IDC_LINK_TEXT))
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(shell.linkFont()), TRUE);
}

INT_PTR notify(HWND dialog, PageShell& shell, const NMHDR& header) {
    switch (header.code) {
    case PSN_SETACTIVE:
        shell.takeDocumentFacts();
        shell.page().refresh();
        setLinkFont(dialog, shell);
        return answer(dialog, 0);
    case PSN_KILLACTIVE: {
        const bool leave = shell.page().leave();
        if (leave) shell.dropLinkFont();
        return answer(dialog, leave ? FALSE : TRUE);
    }
    case PSN_APPLY:
        shell.page().apply();
        shell.dropLinkFont();
        return answer(dialog, PSNRET_NOERROR);
    case PSN_RESET:
        shell.page().reset();
        shell.dropLinkFont();
        return answer(dialog, 0);
    default:
        return FALSE;
    }
}

bool overLink(HWND dialog, HWND window) {
    return window && (window == GetDlgItem(dialog, IDC_LINK_TEXT) || window == GetDlgItem(dialog, IDC_LOGO));
}

HCURSOR linkCursor() {
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    return hand ? hand : LoadCursorW(nullptr, IDC_ARROW);
}

INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    PageShell* shell = shellOf(dialog);
    switch (message) {
    case WM_INITDIALOG: {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
        auto* sheet = page ? reinterpret_cast<DocumentSheet*>(page->lParam) : nullptr;
        if (!sheet || !sheet->tree) return TRUE;
        shell = new (std::nothrow) PageShell(dialog, *sheet);
        if (!shell) return TRUE;
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(shell));
        shell->page().initialize();
        setLinkFont(dialog, *shell);
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
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        HMODULE module = uiModule().module;
        switch (item->CtlID) {
        case IDC_QUALITY_PICTURE: DrawFramedDib(dialog, module, shell->page().qualityPictureId(), IDC_QUALITY_PICTURE); break;
        case IDC_FIT_PICTURE: DrawControlBitmap(dialog, module, IDC_FIT_PICTURE, IDB_FIT_PICTURE); break;
        case IDC_LOGO: DrawControlBitmap(dialog, module, IDC_LOGO, IDB_LOGO); break;
        default: return FALSE;
        }
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lparam) == GetDlgItem(dialog, IDC_LINK_TEXT) && shell->page().linkActive()) {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, RGB(0, 0, 255));
            SetBkMode(dc, TRANSPARENT);
            SelectObject(dc, shell->linkFont());
            return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
        }
        return FALSE;
    case WM_SETCURSOR:
        if (shell->page().linkActive() && overLink(dialog, reinterpret_cast<HWND>(wparam))) {
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

// A page whose set-up broke keeps no half-made shell: it stays inert.
void dropShell(HWND dialog) noexcept {
    delete shellOf(dialog);
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
}

}  // namespace

// user32 calls this through C: an exception must not unwind into it. A
// message that threw counts as not handled.
INT_PTR CALLBACK JobOptionsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return win32::win32Guarded<INT_PTR>(
        FALSE, [&] { return handleMessage(dialog, message, wparam, lparam); },
        [&]() noexcept {
            if (message == WM_INITDIALOG) dropShell(dialog);
        });
}

}  // namespace wren::ui
