#include "ui/win32/drawing.h"

#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/win32/gdi_selection.h"

namespace wren::ui {
namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kFrame = 2;

// The placeholder's top-left corner in the dialog's client coordinates.
std::optional<POINT> placeholderCorner(HWND dialog, int placeholderId) {
    HWND placeholder = GetDlgItem(dialog, placeholderId);
    RECT r{};
    if (!placeholder || !GetWindowRect(placeholder, &r)) return std::nullopt;
    POINT corner{r.left, r.top};
    MapWindowPoints(nullptr, dialog, &corner, 1);
    return corner;
}

// A DIB resource checked against its own size, so that a damaged header
// can never make the drawing read beyond the resource.
struct DibView {
    const BITMAPINFO* info = nullptr;
    const void* bits = nullptr;
    DWORD colours = 0;
    LONG width = 0, height = 0;
};

std::optional<DibView> readDib(HMODULE module, int resourceId) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!data || size < sizeof(BITMAPINFOHEADER)) return std::nullopt;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
    if (header->biSize < sizeof(BITMAPINFOHEADER) || header->biSize > size || header->biWidth <= 0 ||
        header->biHeight == 0 || header->biPlanes != 1)
        return std::nullopt;

    DibView dib;
    dib.info = reinterpret_cast<const BITMAPINFO*>(data);
    dib.width = header->biWidth;
    dib.height = std::labs(header->biHeight);
    // A colour table belongs to the palette formats only; a count from the
    // header larger than the format can use is a damaged header.
    const DWORD formatColours = header->biBitCount <= 8 ? (DWORD{1} << header->biBitCount) : 0;
    dib.colours = header->biClrUsed != 0 ? header->biClrUsed : formatColours;
    if (header->biBitCount <= 8 && dib.colours > formatColours) return std::nullopt;
    if (header->biBitCount > 8 && header->biClrUsed > 256) return std::nullopt;
    const DWORD masks = header->biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;

    const unsigned long long stride = ((unsigned long long)dib.width * header->biBitCount + 31) / 32 * 4;
    const unsigned long long bitsAt = header->biSize + masks + dib.colours * sizeof(RGBQUAD);
    const unsigned long long bitsSize = header->biCompression == BI_RGB || header->biCompression == BI_BITFIELDS
                                            ? stride * (unsigned long long)dib.height
                                            : header->biSizeImage;
    if (bitsAt + bitsSize > size) return std::nullopt;
    dib.bits = data + bitsAt;
    return dib;
}

win32::UniqueGdiObject paletteOf(const DibView& dib) {
    if (dib.colours == 0 || dib.colours > 256) return {};
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + dib.colours * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(dib.colours);
    const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(dib.info) +
                                                         dib.info->bmiHeader.biSize +
                                                         (dib.info->bmiHeader.biCompression == BI_BITFIELDS ? 12 : 0));
    for (DWORD i = 0; i < dib.colours; ++i)
        palette->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return win32::UniqueGdiObject(CreatePalette(palette));
}

void fill(HDC dc, int left, int top, int width, int height, HBRUSH brush) {
    const RECT r{left, top, left + width, top + height};
    FillRect(dc, &r, brush);
}

// Sunken: shadow and black above and left, highlight below and right.
void drawSunkenFrame(HDC dc, int x, int y, int width, int height) {
    const int outerWidth = width + 2 * kFrame;
    const int outerHeight = height + 2 * kFrame;
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH highlight = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    fill(dc, x, y, outerWidth - 1, 1, shadow);
    fill(dc, x, y, 1, outerHeight - 1, shadow);
    fill(dc, x + 1, y + 1, outerWidth - 3, 1, black);
    fill(dc, x + 1, y + 1, 1, outerHeight - 3, black);
    fill(dc, x + outerWidth - 1, y, 1, outerHeight, highlight);
    fill(dc, x, y + outerHeight - 1, outerWidth, 1, highlight);
}

}  // namespace

// A mask with magenta as its background clears the target where the picture
// is opaque, and the picture with its magenta blackened is ORed in.
void BlitWithoutMagenta(HDC target, int x, int y, int width, int height, HDC image) {
    win32::UniqueMemoryDc maskDc(CreateCompatibleDC(target));
    win32::UniqueGdiObject mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!maskDc || !mask) return;
    Selection maskBits(maskDc.get(), mask.get());
    SetBkColor(image, kTransparent);
    BitBlt(maskDc.get(), 0, 0, width, height, image, 0, 0, SRCCOPY);
    SetBkColor(image, RGB(0, 0, 0));
    SetTextColor(image, RGB(255, 255, 255));
    BitBlt(image, 0, 0, width, height, maskDc.get(), 0, 0, SRCAND);
    const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
    BitBlt(target, x, y, width, height, maskDc.get(), 0, 0, SRCAND);
    BitBlt(target, x, y, width, height, image, 0, 0, SRCPAINT);
    SetBkColor(target, oldBack);
    SetTextColor(target, oldText);
}

void DrawControlBitmap(HWND dialog, HMODULE module, int placeholderId, int bitmapId) {
    const std::optional<POINT> at = placeholderCorner(dialog, placeholderId);
    if (!at) return;
    win32::UniqueGdiObject bitmap(LoadBitmapW(module, MAKEINTRESOURCEW(bitmapId)));
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap.get(), sizeof(size), &size)) return;
    WindowDc screen(dialog);
    if (!screen.get()) return;

    win32::UniqueMemoryDc imageDc(CreateCompatibleDC(screen.get()));
    if (!imageDc) return;
    Selection image(imageDc.get(), bitmap.get());
    BlitWithoutMagenta(screen.get(), at->x, at->y, size.bmWidth, size.bmHeight, imageDc.get());
}

void DrawFramedDib(HWND dialog, HMODULE module, int resourceId, int placeholderId) {
    const std::optional<POINT> at = placeholderCorner(dialog, placeholderId);
    if (!at) return;
    const std::optional<DibView> dib = readDib(module, resourceId);
    if (!dib) return;
    WindowDc screen(dialog);
    if (!screen.get()) return;

    win32::UniqueGdiObject palette = paletteOf(*dib);
    PaletteSelection selected(screen.get(), static_cast<HPALETTE>(palette.get()));
    SetDIBitsToDevice(screen.get(), at->x + kFrame, at->y + kFrame, static_cast<DWORD>(dib->width),
                      static_cast<DWORD>(dib->height), 0, 0, 0, static_cast<UINT>(dib->height), dib->bits, dib->info,
                      DIB_RGB_COLORS);
    drawSunkenFrame(screen.get(), at->x, at->y, dib->width, dib->height);
}

}  // namespace wren::ui
