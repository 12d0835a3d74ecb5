// The watermark preview as GDI paints it: drawn into a memory DC the way
// WM_DRAWITEM hands it over, then read back pixel by pixel. The strips and
// shadows come from the installed wrenui.dll when it holds them, and the
// same pictures must come out (with plain brushes) when it does not.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/watermark/preview_geometry.h"
#include "ui/win32/watermark_preview_draw.h"
#include "wine_fixture.h"

namespace wren::ui {
namespace {

constexpr int kCanvasW = 240, kCanvasH = 200;
constexpr RECT kItem{12, 14, 212, 174};  // a 200 x 160 box inside the canvas
constexpr DWORD kSentinel = 0x00010203;  // the canvas before drawing (0x00RRGGBB)
constexpr std::uint32_t kRed = 0x000000D0;  // 0x00BBGGRR

// A 32-bit top-down canvas in a memory DC.
class Canvas {
public:
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kCanvasW, -kCanvasH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        std::fill(pixels_, pixels_ + kCanvasW * kCanvasH, kSentinel);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    DWORD at(int x, int y) const {
        GdiFlush();
        return pixels_[y * kCanvasW + x];
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    DWORD* pixels_ = nullptr;
};

bool reddish(DWORD rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r > 150 && g < 90 && b < 90;
}

struct Drawn {
    int redPixels = 0;
    double meanX = 0, meanY = 0;  // of the red pixels, relative to the page, 0..1
    bool outsideUntouched = true;
    bool paperWhite = false;
    bool marginIsNotPaper = false;
};

WatermarkRecord record(int position, int angle, WatermarkBorder border, int size = 150) {
    WatermarkRecord r;
    r.size = size;
    r.angle = std::int16_t(angle);
    r.color = kRed;
    r.weight = 700;
    r.position = std::uint16_t(position);
    r.border = std::uint16_t(border);
    r.setText(u"WREN");
    return r;
}

Drawn draw(HMODULE module, const WatermarkRecord& r, int orientation = 1) {
    Canvas canvas;
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = 1436;
    item.hDC = canvas.dc();
    item.rcItem = kItem;
    const std::optional<PrinterFontEntry> entry =
        ParsePrinterFontEntry(u"Helvetica,Helvetica-Oblique,Helvetica-Bold,Helvetica-BoldOblique,Tahoma");
    drawWatermarkPreview(item, module, r, {u"A4", orientation}, entry);

    const int w = kItem.right - kItem.left, h = kItem.bottom - kItem.top;
    const PreviewPage page = LayOutPreviewPage(w, h, u"A4", orientation);
    Drawn d;
    long long sumX = 0, sumY = 0;
    for (int y = 0; y < kCanvasH; ++y) {
        for (int x = 0; x < kCanvasW; ++x) {
            const DWORD p = canvas.at(x, y);
            const bool inItem = x >= kItem.left && x < kItem.right && y >= kItem.top && y < kItem.bottom;
            if (!inItem) {
                if (p != kSentinel) d.outsideUntouched = false;
                continue;
            }
            if (reddish(p)) {
                ++d.redPixels;
                sumX += x - kItem.left - page.page.left;
                sumY += y - kItem.top - page.page.top;
            }
        }
    }
    if (d.redPixels) {
        d.meanX = double(sumX) / d.redPixels / page.page.width();
        d.meanY = double(sumY) / d.redPixels / page.page.height();
    }
    // A corner of the paper the watermark does not reach, and the margin
    // between the box's edge and the page shadow.
    const int cornerX = kItem.left + (r.position % 3 == 2 ? page.page.left + 2 : page.page.right - 3);
    const int cornerY = kItem.top + (r.position >= 4 ? page.page.top + 2 : page.page.bottom - 3);
    d.paperWhite = canvas.at(cornerX, cornerY) == 0x00FFFFFF;
    const DWORD margin = canvas.at(kItem.left + page.page.left - 4, kItem.top + h / 2);
    d.marginIsNotPaper = margin != 0x00FFFFFF && margin != kSentinel;
    return d;
}

// The installed wrenui.dll as a resource module, when it has the strips.
class ResourceModule {
public:
    ResourceModule()
        : module_(LoadLibraryExW((wine_test::installedFolder() + L"wrenui.dll").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ResourceModule() {
        if (module_) FreeLibrary(module_);
    }
    HMODULE withStrips() const {
        return module_ && FindResourceW(module_, MAKEINTRESOURCEW(kStripVertical), MAKEINTRESOURCEW(2)) ? module_
                                                                                                       : nullptr;
    }

private:
    HMODULE module_;
};

std::vector<HMODULE> modules(const ResourceModule& installed) {
    std::vector<HMODULE> out{nullptr};  // the test itself: no bitmaps
    if (HMODULE m = installed.withStrips()) out.push_back(m);
    return out;
}

TEST(WatermarkPreviewDraw, TheTextLandsWhereThePositionPutsItAndStaysInTheBox) {
    const ResourceModule installed;
    struct Case {
        int position;
        double minX, maxX, minY, maxY;  // where the red pixels' middle lies on the page
    } cases[] = {{0, 0.0, 0.5, 0.0, 0.4}, {3, 0.3, 0.7, 0.35, 0.65}, {6, 0.5, 1.0, 0.6, 1.0}};
    for (HMODULE module : modules(installed)) {
        for (const Case& c : cases) {
            for (int angle : {0, 45}) {
                for (int orientation : {1, 2}) {
                    SCOPED_TRACE(testing::Message() << "module " << module << " position " << c.position << " angle "
                                                    << angle << " orientation " << orientation);
                    const Drawn d = draw(module, record(c.position, angle, WatermarkBorder::None), orientation);
                    EXPECT_TRUE(d.outsideUntouched);
                    EXPECT_TRUE(d.paperWhite);
                    EXPECT_TRUE(d.marginIsNotPaper);
                    ASSERT_GT(d.redPixels, 20);
                    EXPECT_GE(d.meanX, c.minX);
                    EXPECT_LE(d.meanX, c.maxX);
                    EXPECT_GE(d.meanY, c.minY);
                    EXPECT_LE(d.meanY, c.maxY);
                }
            }
        }
    }
}

TEST(WatermarkPreviewDraw, EveryBorderAddsLineColourAndSizeZeroKeepsOnlyTheBorder) {
    const ResourceModule installed;
    for (HMODULE module : modules(installed)) {
        for (int angle : {0, 45}) {
            SCOPED_TRACE(testing::Message() << "module " << module << " angle " << angle);
            const int plain = draw(module, record(3, angle, WatermarkBorder::None)).redPixels;
            for (WatermarkBorder border :
                 {WatermarkBorder::Circle, WatermarkBorder::SingleFrame, WatermarkBorder::DoubleFrame}) {
                SCOPED_TRACE(int(border));
                const Drawn framed = draw(module, record(3, angle, border));
                EXPECT_TRUE(framed.outsideUntouched);
                EXPECT_GT(framed.redPixels, plain + 40);
                // Centred text, centred border: the middle stays in the middle.
                EXPECT_NEAR(framed.meanX, 0.5, 0.12);
                EXPECT_NEAR(framed.meanY, 0.5, 0.12);
            }
        }
    }
    // Size 0: the border measured from the text, but no text.
    const Drawn borderOnly = draw(nullptr, record(3, 0, WatermarkBorder::SingleFrame, 0));
    EXPECT_TRUE(borderOnly.outsideUntouched);
    EXPECT_GT(borderOnly.redPixels, 0);
}

TEST(WatermarkPreviewDraw, AnEmptyTextShowsThePageOnly) {
    WatermarkRecord none = record(3, 45, WatermarkBorder::DoubleFrame);
    none.setText(u"");
    const Drawn d = draw(nullptr, none);
    EXPECT_EQ(d.redPixels, 0);
    EXPECT_TRUE(d.paperWhite);
    EXPECT_TRUE(d.outsideUntouched);
}

}  // namespace
}  // namespace wren::ui
