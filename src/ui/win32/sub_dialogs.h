// The modal dialogs the Job Options page opens, each run with its
// controller over a Win32 view.
#pragma once

#include <windows.h>

namespace wren::ui {

class PageShell;

int RunJobPinDialog(HWND owner, PageShell& page);
int RunAdvancedDialog(HWND owner, PageShell& page);

}  // namespace wren::ui
