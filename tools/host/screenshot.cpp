#include "screenshot.h"

#include <cstdio>
#include <vector>

#include "png_writer.h"

namespace wren::host {
namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { if (dc) ReleaseDC(nullptr, dc); }
};
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() { if (dc) DeleteDC(dc); }
};
struct Bitmap {
    HBITMAP bitmap = nullptr;
    ~Bitmap() { if (bitmap) DeleteObject(bitmap); }
};

}  // namespace

bool saveScreenshot(HWND window, const std::wstring& path, std::string& error) {
    RECT r;
    if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top) {
        error = "the window has no area";
        return false;
    }
    const int width = r.right - r.left, height = r.bottom - r.top;
    // The screen's pixels where the window is: it is the foreground window,
    // and the screen also shows what Wine draws outside the window's DC.
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap dib;
    dib.bitmap = CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!screen.dc || !memory.dc || !dib.bitmap || !bits) {
        error = "cannot make a bitmap";
        return false;
    }
    HGDIOBJ old = SelectObject(memory.dc, dib.bitmap);
    BOOL copied = BitBlt(memory.dc, 0, 0, width, height, screen.dc, r.left, r.top, SRCCOPY);
    GdiFlush();
    SelectObject(memory.dc, old);
    if (!copied) {
        error = "BitBlt failed";
        return false;
    }
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(bits) + y * stride;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* out = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            out[0] = row[x * 3 + 2];  // the DIB is BGR
            out[1] = row[x * 3 + 1];
            out[2] = row[x * 3];
        }
    }
    std::vector<std::uint8_t> png = encodePng(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), rgb.data());
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) {
        error = "cannot write the file";
        return false;
    }
    const bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && ok ? true : (error = "cannot write the file", false);
}

}  // namespace wren::host
