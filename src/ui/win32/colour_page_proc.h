// The Colour page's dialog procedure; it only forwards messages to the
// page's controller.
#pragma once

#include <windows.h>

namespace wren::ui {

INT_PTR CALLBACK ColourPageProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace wren::ui
