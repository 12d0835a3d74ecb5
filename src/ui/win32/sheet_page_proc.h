// What every property page of ours does with its window messages before the
// page itself sees them: the page's shell is made at WM_INITDIALOG from the
// sheet in the page's lParam, kept in DWLP_USER and deleted at WM_DESTROY;
// commands go to the controller, help requests to the help file. A page
// procedure supplies only its notifications and its own messages.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <new>

#include "platform/win32/com_boundary.h"
#include "ui/plugin/ui_module.h"
#include "ui/win32/dialog_help.h"
#include "ui/win32/document_sheet.h"

namespace wren::ui {

// A notification's answer goes through DWLP_MSGRESULT; the procedure says TRUE.
inline INT_PTR AnswerPageMessage(HWND dialog, LONG_PTR result) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

// The hand over a link, or the arrow where the system has no hand.
inline HCURSOR LinkCursor() {
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    return hand ? hand : LoadCursorW(nullptr, IDC_ARROW);
}

// `Page` supplies:
//   static void created(HWND, Shell&)                     after initialize()
//   static INT_PTR notify(HWND, Shell&, const NMHDR&)
//   static INT_PTR other(HWND, Shell&, UINT, WPARAM, LPARAM)
// and Shell has a constructor (HWND, DocumentSheet&) and page() with
// initialize() and command(id, notification).
template <class Shell, class Page>
class SheetPageProc {
public:
    // user32 calls this through C: an exception must not unwind into it. A
    // message that threw counts as not handled, and a page whose set-up
    // broke keeps no half-made shell: it stays inert.
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
        return win32::win32Guarded<INT_PTR>(
            FALSE, [&] { return handle(dialog, message, wparam, lparam); },
            [&]() noexcept {
                if (message == WM_INITDIALOG) dropShell(dialog);
            });
    }

private:
    static Shell* shellOf(HWND dialog) { return reinterpret_cast<Shell*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

    static void dropShell(HWND dialog) noexcept {
        delete shellOf(dialog);
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
    }

    static INT_PTR handle(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
        Shell* shell = shellOf(dialog);
        switch (message) {
        case WM_INITDIALOG: {
            const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
            auto* sheet = page ? reinterpret_cast<DocumentSheet*>(page->lParam) : nullptr;
            if (!sheet || !sheet->tree) return TRUE;
            shell = new (std::nothrow) Shell(dialog, *sheet);
            if (!shell) return TRUE;
            SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(shell));
            shell->page().initialize();
            Page::created(dialog, *shell);
            return TRUE;
        }
        case WM_DESTROY:
            dropShell(dialog);
            return FALSE;
        default:
            break;
        }
        if (!shell) return FALSE;

        switch (message) {
        case WM_NOTIFY:
            return Page::notify(dialog, *shell, *reinterpret_cast<const NMHDR*>(lparam));
        case WM_COMMAND:
            shell->page().command(LOWORD(wparam), HIWORD(wparam));
            return TRUE;
        case WM_HELP:
        case WM_CONTEXTMENU:
            HandleContextHelp(dialog, message, wparam, lparam, shell->sheet().state);
            return TRUE;
        default:
            return Page::other(dialog, *shell, message, wparam, lparam);
        }
    }
};

}  // namespace wren::ui
