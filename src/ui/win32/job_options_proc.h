// The dialog procedures of the Job Options page and of the dialogs it
// opens. They only translate window messages into controller calls.
#pragma once

#include <windows.h>

namespace wren::ui {

INT_PTR CALLBACK JobOptionsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace wren::ui
