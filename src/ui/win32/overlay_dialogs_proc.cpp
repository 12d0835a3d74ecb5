// The Overlays dialog (109) and its Define Overlays dialog (203): the
// environment of one opening, thin procedures over the portable
// controllers, and the report lists' paint subclass.
#include <windows.h>
#include <prsht.h>

#include "ui/overlay/define_overlay_dialog.h"
#include "ui/overlay/overlays_dialog.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/overlay_dialog_proc.h"
#include "ui/win32/page_shell.h"

namespace wren::ui {
namespace {

constexpr wchar_t kListProcProperty[] = L"WrenOverlayListProc";

// A report list repaints only the part of a row that changed; its
// selection bar would then show gaps beside the columns. Every paint
// request is widened to the whole width before the list paints.
LRESULT CALLBACK fullWidthPaint(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(list, kListProcProperty));
    if (!previous) return DefWindowProcW(list, message, wparam, lparam);
    if (message == WM_PAINT) {
        RECT update{}, client{};
        if (GetUpdateRect(list, &update, FALSE) && GetClientRect(list, &client)) {
            update.left = client.left;
            update.right = client.right;
            InvalidateRect(list, &update, FALSE);
        }
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(list, kListProcProperty);
    }
    return CallWindowProcW(previous, list, message, wparam, lparam);
}

void paintFullWidth(HWND dialog, int listId) {
    HWND list = GetDlgItem(dialog, listId);
    if (!list || GetPropW(list, kListProcProperty)) return;
    const LONG_PTR previous = GetWindowLongPtrW(list, GWLP_WNDPROC);
    if (previous && SetPropW(list, kListProcProperty, reinterpret_cast<HANDLE>(previous)))
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&fullWidthPaint));
}

overlay::OverlaySession& sessionOf(PageShell& page) {
    PageServices& s = page.services();
    SheetContext& context = page.sheet().context;
    if (!context.overlays) context.overlays.emplace(s.profile, context.pluginIni, s.state.settingsWritable);
    return *context.overlays;
}

}  // namespace

int RunOverlaysDialog(HWND owner, PageShell& page) {
    PageServices& s = page.services();
    page.takeDocumentFacts();  // the permission may have changed meanwhile
    OverlayEnvironment env{s.strings, page.sheet().context, s.tree, s.record, s.state, sessionOf(page),
                           s.document.noPermission, {}, {}};
    env.markPageChanged = [owner] {
        SendMessageW(GetParent(owner), PSM_CHANGED, reinterpret_cast<WPARAM>(owner), 0);
    };
    ModalDialog<OverlaysDialog> dialog(
        s.state, [&env](DialogView& view) { return std::make_unique<OverlaysDialog>(env, view); },
        {.prepare = [](HWND window) {
            paintFullWidth(window, ov::kActiveList);
            paintFullWidth(window, ov::kDefinedList);
        }});
    env.runDialog = [&env, &dialog](int templateId) {
        if (templateId != ov::kDefineDialog) return 0;
        ModalDialog<DefineOverlayDialog> define(
            env.state, [&env](DialogView& view) { return std::make_unique<DefineOverlayDialog>(env, view); });
        return define.run(ov::kDefineDialog, dialog.window());
    };
    const int result = dialog.run(ov::kOverlaysDialog, owner);
    // A dialog that ended without its OK or Cancel (it could not be made)
    // still leaves the store's state as Cancel would.
    if (env.list) env.session.cancelDialog();
    return result;
}

void CommitOverlayEdits(PageShell& page) {
    SheetContext& context = page.sheet().context;
    if (context.overlays) context.overlays->applySheet();
}

}  // namespace wren::ui
