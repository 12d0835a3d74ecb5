#include "ui/win32/colour_page_proc.h"

#include "ui/colour/colour_ids.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/colour_page_shell.h"
#include "ui/win32/drawing.h"
#include "ui/win32/sheet_page_proc.h"

namespace wren::ui {
namespace {

struct ColourPageMessages {
    static void created(HWND, ColourPageShell&) {}

    static INT_PTR notify(HWND dialog, ColourPageShell& shell, const NMHDR& header) {
        switch (header.code) {
        case PSN_SETACTIVE:
            shell.takeDocumentFacts();
            shell.page().activate();
            return AnswerPageMessage(dialog, 0);
        case PSN_KILLACTIVE:
            shell.page().leave();
            return AnswerPageMessage(dialog, FALSE);
        case PSN_APPLY:
            shell.page().apply();
            return AnswerPageMessage(dialog, PSNRET_NOERROR);
        default:
            return FALSE;
        }
    }

    static INT_PTR other(HWND dialog, ColourPageShell& shell, UINT message, WPARAM wparam, LPARAM lparam) {
        switch (message) {
        case WM_DRAWITEM: {
            const int id = static_cast<int>(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->CtlID);
            const int bitmap = ColourPage::pictureBitmap(id);
            if (bitmap == 0) return FALSE;
            DrawControlBitmap(dialog, uiModule().module, id, bitmap);
            return TRUE;
        }
        case WM_SETCURSOR:
            if (shell.page().linkActive() && reinterpret_cast<HWND>(wparam) == GetDlgItem(dialog, IDC_LOGO)) {
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

INT_PTR CALLBACK ColourPageProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return SheetPageProc<ColourPageShell, ColourPageMessages>::Procedure(dialog, message, wparam, lparam);
}

}  // namespace wren::ui
