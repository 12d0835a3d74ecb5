#include "ui/win32/watermark_preview_draw.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/watermark/preview_geometry.h"
#include "ui/win32/drawing.h"
#include "ui/win32/gdi_selection.h"

namespace wren::ui {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr DWORD kPatternAnd = 0x00A000C9;  // DPa: the destination ANDed with the brush

RECT toRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

void fillRect(HDC dc, const PixelRect& r, COLORREF colour) {
    win32::UniqueGdiObject brush(CreateSolidBrush(colour));
    const RECT rect = toRect(r);
    if (brush) FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

// Left and top in the shadow colour, right and bottom in the highlight.
void drawSunkenEdge(HDC dc, int width, int height) {
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH highlight = GetSysColorBrush(COLOR_3DHILIGHT);
    const RECT top{0, 0, width, 1}, left{0, 0, 1, height};
    const RECT bottom{0, height - 1, width, height}, right{width - 1, 0, width, height};
    FillRect(dc, &top, shadow);
    FillRect(dc, &left, shadow);
    FillRect(dc, &bottom, highlight);
    FillRect(dc, &right, highlight);
}

// An 8-bit strip bitmap of the resources with its line-colour entry set to
// `colour`; checked against the resource's size before any byte is used.
win32::UniqueGdiObject loadStrip(HMODULE module, int id, COLORREF colour, HDC compatible) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!data || size < sizeof(BITMAPINFOHEADER)) return {};
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    const DWORD colours = header.biClrUsed ? header.biClrUsed : 256;
    if (header.biSize < sizeof header || header.biBitCount != 8 || header.biCompression != BI_RGB ||
        header.biWidth <= 0 || header.biHeight == 0 || colours <= DWORD(kStripColourIndex) || colours > 256)
        return {};
    const unsigned long long tableAt = header.biSize;
    const unsigned long long bitsAt = tableAt + colours * sizeof(RGBQUAD);
    const unsigned long long stride = (unsigned long long)(header.biWidth + 3) / 4 * 4;
    const unsigned long long rows = header.biHeight < 0 ? -(long long)header.biHeight : header.biHeight;
    if (bitsAt + stride * rows > size) return {};

    // The header and colour table copied, so that the line colour can go in.
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    std::memcpy(info.data(), &header, sizeof header);
    reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSize = sizeof(BITMAPINFOHEADER);
    std::memcpy(info.data() + sizeof header, data + tableAt, colours * sizeof(RGBQUAD));
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof header);
    table[kStripColourIndex] = {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
    return win32::UniqueGdiObject(CreateDIBitmap(compatible, reinterpret_cast<const BITMAPINFOHEADER*>(info.data()),
                                                 CBM_INIT, data + bitsAt,
                                                 reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS));
}

// Fills rectangles by tiling a colour strip, or with a plain brush of the
// same colour when the strip is not in the resources.
class StripPainter {
public:
    StripPainter(HDC target, HMODULE module, int stripId, COLORREF colour, bool combineByAnd)
        : target_(target),
          strip_(loadStrip(module, stripId, colour, target)),
          stripDc_(strip_ ? CreateCompatibleDC(target) : nullptr),
          brush_(CreateSolidBrush(colour)),
          combineByAnd_(combineByAnd) {
        BITMAP b{};
        if (stripDc_ && GetObjectW(strip_.get(), sizeof b, &b)) {
            width_ = b.bmWidth;
            height_ = b.bmHeight;
            previous_ = SelectObject(stripDc_.get(), strip_.get());
        }
    }
    StripPainter(const StripPainter&) = delete;
    StripPainter& operator=(const StripPainter&) = delete;
    ~StripPainter() {
        if (previous_) SelectObject(stripDc_.get(), previous_);
    }

    void paint(const PixelRect& r) const {
        if (r.width() <= 0 || r.height() <= 0) return;
        if (previous_ && width_ > 0 && height_ > 0) {
            for (int y = r.top; y < r.bottom; y += height_)
                for (int x = r.left; x < r.right; x += width_)
                    BitBlt(target_, x, y, std::min(width_, r.right - x), std::min(height_, r.bottom - y), stripDc_.get(),
                           0, 0, combineByAnd_ ? SRCAND : SRCCOPY);
            return;
        }
        Selection brush(target_, brush_.get());
        PatBlt(target_, r.left, r.top, r.width(), r.height(), combineByAnd_ ? kPatternAnd : PATCOPY);
    }

private:
    HDC target_;
    win32::UniqueGdiObject strip_;
    win32::UniqueMemoryDc stripDc_;
    win32::UniqueGdiObject brush_;
    bool combineByAnd_;
    int width_ = 0, height_ = 0;
    HGDIOBJ previous_ = nullptr;
};

// A bitmap stretched into `r`, its magenta pixels left out.
void drawTransparentBitmap(HDC target, HMODULE module, int bitmapId, const PixelRect& r) {
    const int w = r.width(), h = r.height();
    if (w <= 0 || h <= 0) return;
    win32::UniqueGdiObject source(LoadBitmapW(module, MAKEINTRESOURCEW(bitmapId)));
    BITMAP size{};
    if (!source || !GetObjectW(source.get(), sizeof size, &size)) return;
    win32::UniqueMemoryDc sourceDc(CreateCompatibleDC(target)), imageDc(CreateCompatibleDC(target));
    win32::UniqueGdiObject image(CreateCompatibleBitmap(target, w, h));
    if (!sourceDc || !imageDc || !image) return;
    Selection sourceBits(sourceDc.get(), source.get());
    Selection imageBits(imageDc.get(), image.get());
    SetStretchBltMode(imageDc.get(), COLORONCOLOR);
    StretchBlt(imageDc.get(), 0, 0, w, h, sourceDc.get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    BlitWithoutMagenta(target, r.left, r.top, w, h, imageDc.get());
}

// On a palette display that cannot show the colour, a copy of the system
// palette with the colour in its middle entry, and that entry as the text
// colour; elsewhere the colour itself.
struct TextColour {
    win32::UniqueGdiObject palette;
    COLORREF colour = 0;
};
TextColour textColourFor(HDC screen, COLORREF colour) {
    TextColour out;
    out.colour = colour;
    if (!(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) || GetNearestColor(screen, colour) == colour) return out;
    const int entries = GetDeviceCaps(screen, SIZEPALETTE);
    if (entries <= 0 || entries > 256) return out;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = WORD(entries);
    GetSystemPaletteEntries(screen, 0, UINT(entries), logical->palPalEntry);
    logical->palPalEntry[entries / 2] = {GetRValue(colour), GetGValue(colour), GetBValue(colour), PC_RESERVED};
    out.palette = win32::UniqueGdiObject(CreatePalette(logical));
    if (out.palette) out.colour = PALETTEINDEX(entries / 2);
    return out;
}

win32::UniqueGdiObject createPreviewFont(const PreviewFont& f) {
    LOGFONTW lf{};
    lf.lfHeight = f.height;
    lf.lfEscapement = f.escapement;
    // The compatible graphics mode turns the characters with the line.
    lf.lfOrientation = f.escapement;
    lf.lfWeight = f.weight;
    lf.lfItalic = f.italic ? TRUE : FALSE;
    lf.lfCharSet = f.charSet;
    lf.lfOutPrecision = OUT_TT_PRECIS;  // only outline fonts turn
    lf.lfClipPrecision = CLIP_LH_ANGLES;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::size_t chars = std::min(f.face.size(), std::size_t(LF_FACESIZE - 1));
    std::memcpy(lf.lfFaceName, f.face.data(), chars * sizeof(wchar_t));
    return win32::UniqueGdiObject(CreateFontIndirectW(&lf));
}

PixelPoint middleOf(const std::array<PixelPoint, 4>& corners) {
    PixelPoint m;
    for (const PixelPoint& p : corners) m = {m.x + p.x, m.y + p.y};
    return {m.x / 4, m.y / 4};
}

void drawBorder(HDC dc, HMODULE module, const PreviewLayout& layout, COLORREF colour) {
    if (layout.border == WatermarkBorder::Circle) {
        const StripPainter ring(dc, module, layout.ringStrip, colour, true);
        for (const PixelSpan& s : RingSpans(layout.centre, layout.innerRadius, layout.outerRadius))
            ring.paint({s.left, s.y, s.right, s.y + 1});
        return;
    }
    if (layout.frames.empty()) return;
    const StripPainter along(dc, module, kStripHorizontal, colour, false);
    const StripPainter across(dc, module, kStripVertical, colour, false);
    const StripPainter whiteAlong(dc, module, kStripHorizontal, kWhite, false);
    const StripPainter whiteAcross(dc, module, kStripVertical, kWhite, false);
    for (const auto& corners : layout.frames) {
        const PixelPoint inside = middleOf(corners);
        for (std::size_t edge = 0; edge < corners.size(); ++edge) {
            const PixelPoint from = corners[edge], to = corners[(edge + 1) % corners.size()];
            const bool alongText = edge % 2 == 0;
            if (layout.whiteBands) {
                for (const PixelRect& piece : BandPieces(from, to, layout.bandThickness, inside, true))
                    (alongText ? whiteAlong : whiteAcross).paint(piece);
            }
            for (const PixelRect& piece : BandPieces(from, to, layout.bandThickness, inside))
                (alongText ? along : across).paint(piece);
        }
    }
}

void drawWatermark(HDC dc, HMODULE module, const PreviewPage& page, const WatermarkRecord& working,
                   const std::optional<PrinterFontEntry>& fontEntry, const TextColour& textColour) {
    win32::UniqueGdiObject font = createPreviewFont(PreviewFontFor(page, working, fontEntry));
    Selection fontSelected(dc, font.get());
    const std::u16string text = working.textValue();
    const auto* chars = reinterpret_cast<const wchar_t*>(text.c_str());
    SIZE extent{};
    if (!text.empty()) GetTextExtentPoint32W(dc, chars, int(text.size()), &extent);
    const PreviewLayout layout = LayOutPreviewText(page, working, extent.cx, extent.cy);

    // Nothing of the watermark reaches beyond the paper.
    IntersectClipRect(dc, page.page.left, page.page.top, page.page.right, page.page.bottom);
    if (layout.drawBorder) drawBorder(dc, module, layout, COLORREF(working.color & 0x00FFFFFF));
    if (layout.drawText && !text.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_LEFT | TA_BOTTOM | TA_NOUPDATECP);
        SetTextColor(dc, textColour.colour);
        TextOutW(dc, layout.textOrigin.x, layout.textOrigin.y, chars, int(text.size()));
    }
    SelectClipRgn(dc, nullptr);
}

}  // namespace

void drawWatermarkPreview(const DRAWITEMSTRUCT& item, HMODULE module, const WatermarkRecord& working,
                          const WatermarkPreviewPaper& paper, const std::optional<PrinterFontEntry>& fontEntry) {
    HDC screen = item.hDC;
    const int width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
    if (!screen || width <= 0 || height <= 0) return;
    win32::UniqueMemoryDc dc(CreateCompatibleDC(screen));
    win32::UniqueGdiObject bitmap(CreateCompatibleBitmap(screen, width, height));
    if (!dc || !bitmap) return;
    Selection bits(dc.get(), bitmap.get());
    const TextColour textColour = textColourFor(screen, COLORREF(working.color & 0x00FFFFFF));
    const auto palette = static_cast<HPALETTE>(textColour.palette.get());
    {
        PaletteSelection offScreenPalette(dc.get(), palette);
        fillRect(dc.get(), {0, 0, width, height}, GetSysColor(COLOR_BTNFACE));
        drawSunkenEdge(dc.get(), width, height);
        const PreviewPage page = LayOutPreviewPage(width, height, paper.formName, paper.orientation);
        if (page.drawable) {
            fillRect(dc.get(), page.page, kWhite);
            for (const PreviewPage::Edge& edge : page.shadow) drawTransparentBitmap(dc.get(), module, edge.bitmap, edge.rect);
            drawWatermark(dc.get(), module, page, working, fontEntry, textColour);
        }
    }
    // One copy to the box, so that redrawing while a value is typed does
    // not flicker.
    PaletteSelection screenPalette(screen, palette);
    BitBlt(screen, item.rcItem.left, item.rcItem.top, width, height, dc.get(), 0, 0, SRCCOPY);
}

}  // namespace wren::ui
