// Pictures drawn into a dialog at the top-left corner of a placeholder
// control: bitmaps with magenta as the transparent colour, and
// device-independent bitmaps in a sunken frame.
#pragma once

#include <windows.h>

namespace wren::ui {

void DrawControlBitmap(HWND dialog, HMODULE module, int placeholderId, int bitmapId);
void DrawFramedDib(HWND dialog, HMODULE module, int resourceId, int placeholderId);

// Copies width x height of `image` (a memory DC holding the picture) to
// (x, y) of `target`, leaving out its magenta pixels. Blackens the magenta
// of `image` on the way.
void BlitWithoutMagenta(HDC target, int x, int y, int width, int height, HDC image);

}  // namespace wren::ui
