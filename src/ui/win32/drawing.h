// Pictures drawn into a dialog at the top-left corner of a placeholder
// control: bitmaps with magenta as the transparent colour, and
// device-independent bitmaps in a sunken frame.
#pragma once

#include <windows.h>

namespace wren::ui {

void DrawControlBitmap(HWND dialog, HMODULE module, int placeholderId, int bitmapId);
void DrawFramedDib(HWND dialog, HMODULE module, int resourceId, int placeholderId);

}  // namespace wren::ui
