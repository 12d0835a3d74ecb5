#include "ui/win32/job_options_proc.h"

#include "ui/resources/resource_ids.h"
#include "ui/win32/drawing.h"
#include "ui/win32/page_shell.h"
#include "ui/win32/sheet_page_proc.h"

namespace wren::ui {
namespace {

void setLinkFont(HWND dialog, PageShell& shell) {
    if (HWND link = GetDlgItem(dialog, IDC_LINK_TEXT))
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(shell.linkFont()), TRUE);
}

bool overLink(HWND dialog, HWND window) {
    return window && (window == GetDlgItem(dialog, IDC_LINK_TEXT) || window == GetDlgItem(dialog, IDC_LOGO));
}

struct JobOptionsMessages {
    static void created(HWND dialog, PageShell& shell) { setLinkFont(dialog, shell); }

    static INT_PTR notify(HWND dialog, PageShell& shell, const NMHDR& header) {
        switch (header.code) {
        case PSN_SETACTIVE:
            shell.takeDocumentFacts();
            shell.page().activate();
            setLinkFont(dialog, shell);
            return AnswerPageMessage(dialog, 0);
        case PSN_KILLACTIVE: {
            const bool leave = shell.page().leave();
            if (leave) shell.dropLinkFont();
            return AnswerPageMessage(dialog, leave ? FALSE : TRUE);
        }
        case PSN_APPLY:
            shell.page().apply();
            shell.dropLinkFont();
            return AnswerPageMessage(dialog, PSNRET_NOERROR);
        case PSN_RESET:
            shell.page().reset();
            shell.dropLinkFont();
            return AnswerPageMessage(dialog, 0);
        default:
            return FALSE;
        }
    }

    static INT_PTR other(HWND dialog, PageShell& shell, UINT message, WPARAM wparam, LPARAM lparam) {
        switch (message) {
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            HMODULE module = uiModule().module;
            switch (item->CtlID) {
            case IDC_QUALITY_PICTURE: DrawFramedDib(dialog, module, shell.page().qualityPictureId(), IDC_QUALITY_PICTURE); break;
            case IDC_FIT_PICTURE: DrawControlBitmap(dialog, module, IDC_FIT_PICTURE, IDB_FIT_PICTURE); break;
            case IDC_LOGO: DrawControlBitmap(dialog, module, IDC_LOGO, IDB_LOGO); break;
            default: return FALSE;
            }
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lparam) == GetDlgItem(dialog, IDC_LINK_TEXT) && shell.page().linkActive()) {
                HDC dc = reinterpret_cast<HDC>(wparam);
                SetTextColor(dc, RGB(0, 0, 255));
                SetBkMode(dc, TRANSPARENT);
                SelectObject(dc, shell.linkFont());
                return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
            }
            return FALSE;
        case WM_SETCURSOR:
            if (shell.page().linkActive() && overLink(dialog, reinterpret_cast<HWND>(wparam))) {
                SetCursor(LinkCursor());
                return AnswerPageMessage(dialog, TRUE);
            }
            return FALSE;
        default:
            return FALSE;
        }
    }
};

}  // namespace

INT_PTR CALLBACK JobOptionsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return SheetPageProc<PageShell, JobOptionsMessages>::Procedure(dialog, message, wparam, lparam);
}

}  // namespace wren::ui
