// The font of a clickable link text: the dialog's own size in an
// underlined face (the page draws it in blue).
#pragma once

#include <windows.h>

#include "platform/win32/handles.h"

namespace wren::ui {

// A new font the caller deletes (DeleteObject); null when the control or
// its dialog's font cannot be had.
HFONT CreateLinkFont(HWND control);

// The same font, owned: made on first use, deleted by reset or at the end.
class LinkFont {
public:
    HFONT get(HWND control) {
        if (!font_) font_ = win32::UniqueGdiObject(CreateLinkFont(control));
        return static_cast<HFONT>(font_.get());
    }
    void reset() { font_.reset(); }

private:
    win32::UniqueGdiObject font_;
};

}  // namespace wren::ui
