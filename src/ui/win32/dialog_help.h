// Context help, the same for every page and dialog: WinHelp with the whole
// help identifier map before Windows version 6, HTML Help pop-ups of the
// asking control's topic from version 6 on.
#pragma once

#include <windows.h>

#include "ui/dialogs/ui_state.h"

namespace wren::ui {

// At WM_INITDIALOG: the title-bar question mark only where WinHelp is used.
void ApplyHelpButtonStyle(HWND dialog, const UiState& state);

// WM_HELP and WM_CONTEXTMENU; true when the message was one of them.
// Without a help file, a topic or HTML Help it does nothing more.
bool HandleContextHelp(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam, UiState& state);

}  // namespace wren::ui
