#include "ui/win32/link_font.h"

#include <cwchar>

namespace wren::ui {

HFONT CreateLinkFont(HWND control) {
    HWND dialog = control ? GetParent(control) : nullptr;
    if (!dialog) return nullptr;
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    // A dialog without a font of its own uses the system font.
    if (!dialogFont) dialogFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    LOGFONTW base{};
    if (!GetObjectW(dialogFont, sizeof(base), &base)) return nullptr;

    LOGFONTW link{};
    link.lfHeight = base.lfHeight;
    link.lfWidth = base.lfWidth;
    link.lfEscapement = 0;
    link.lfOrientation = 0;
    link.lfWeight = FW_NORMAL;
    link.lfItalic = FALSE;
    link.lfUnderline = TRUE;
    link.lfStrikeOut = FALSE;
    link.lfCharSet = DEFAULT_CHARSET;
    link.lfOutPrecision = OUT_DEFAULT_PRECIS;
    link.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    link.lfQuality = DEFAULT_QUALITY;
    link.lfPitchAndFamily = DEFAULT_PITCH;
    wcsncpy(link.lfFaceName, L"Verdana", LF_FACESIZE - 1);
    return CreateFontIndirectW(&link);
}

}  // namespace wren::ui
