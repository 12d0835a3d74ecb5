// The two overlay dialogs on Win32: "Overlays" (109), which the Job Options
// page opens, and "Define Overlays" (203), which it opens for New and Edit.
#pragma once

#include <windows.h>

namespace wren::ui {

class PageShell;

// 1 for OK, 0 for Cancel (and when the dialog could not be made).
int RunOverlaysDialog(HWND owner, PageShell& page);

// The sheet applies: edits confirmed in this sheet move into the store.
void CommitOverlayEdits(PageShell& page);

}  // namespace wren::ui
