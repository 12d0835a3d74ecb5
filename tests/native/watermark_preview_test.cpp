// Where the watermark preview puts the page and the watermark: the paper by
// form name and orientation, the scale, the turned text box, the borders and
// the seven positions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "ui/watermark/preview_geometry.h"

namespace wren::ui {
namespace {

TEST(WatermarkPreviewPaper, FormNamesChooseThePaper) {
    struct Case {
        const char16_t* form;
        int width, height;
    } cases[] = {
        {u"A4", 2100, 2970},         {u"A5 Small", 1480, 2100},    {u"A6", 1050, 1480},
        {u"B5 (JIS)", 1820, 2570},   {u"C5 Envelope", 1620, 2290}, {u"Com 10", 1050, 2410},
        {u"Com 9", 980, 2250},       {u"Co 1", 2100, 2970},        {u"DL Envelope", 970, 2200},
        {u"Executive", 1840, 2660},  {u"Monarch", 856, 1905},      {u"Letter", 1620, 2290},
        {u"Legal13", 2030, 3300},    {u"Legal14", 2030, 3550},    {u"Legal", 2100, 2970},
        {u"Postcard", 2100, 2970},   {u"\u306F\u304C\u304D", 1000, 1480},
        {u"\uFF74\uFF78\uFF7F", 1840, 2660},                       {u"\uFF98\uFF70\uFF76\uFF9E\uFF99 13", 2030, 3300},
        {u"\u30EC\u30BF\u30FC", 2150, 2790},                        {u"\u5F80\u5FA9\u306F\u304C\u304D", 2000, 1480},
        {u"\u5C01\u7B52\uFF11", 2349, 1199},                        {u"\u5C01\u7B52\uFF14", 2970, 2159},
        {u"Tabloid", 2100, 2970},    {u"", 2100, 2970},            {u"L", 2100, 2970},
    };
    for (const Case& c : cases) {
        const PaperSize portrait = PaperSizeForForm(c.form, 1);
        EXPECT_EQ(portrait.width, c.width) << c.width << "x" << c.height;
        EXPECT_EQ(portrait.height, c.height);
        const PaperSize landscape = PaperSizeForForm(c.form, 2);
        EXPECT_EQ(landscape.width, c.height);
        EXPECT_EQ(landscape.height, c.width);
    }
}

TEST(WatermarkPreviewPage, ThePageIsScaledIntoTheBoxAndCentred) {
    const PreviewPage p = LayOutPreviewPage(200, 150, u"A4", 1);
    ASSERT_TRUE(p.drawable);
    EXPECT_EQ(p.scale, 620);
    EXPECT_EQ(p.page, (PixelRect{53, 8, 53 + 94, 8 + 134}));
    EXPECT_FALSE(p.landscape);
    EXPECT_EQ(p.shadow[0].bitmap, kShadowHorizontal);
    EXPECT_EQ(p.shadow[0].rect, (PixelRect{52, 7, 147, 8}));
    EXPECT_EQ(p.shadow[1].bitmap, kShadowVertical);
    EXPECT_EQ(p.shadow[1].rect, (PixelRect{147, 7, 149, 144}));
    EXPECT_EQ(p.shadow[2].rect, (PixelRect{52, 142, 147, 144}));
    EXPECT_EQ(p.shadow[3].rect, (PixelRect{52, 8, 53, 142}));

    // A landscape document shows a landscape page of the same proportions.
    const PreviewPage l = LayOutPreviewPage(200, 150, u"A4", 2);
    EXPECT_TRUE(l.landscape);
    EXPECT_EQ(l.scale, 620);
    EXPECT_EQ(l.page, (PixelRect{33, 28, 33 + 134, 28 + 94}));
}

TEST(WatermarkPreviewPage, ABoxWithoutRoomDrawsNoPage) {
    EXPECT_FALSE(LayOutPreviewPage(16, 200, u"A4", 1).drawable);
    EXPECT_FALSE(LayOutPreviewPage(0, 0, u"A4", 1).drawable);
    EXPECT_FALSE(LayOutPreviewPage(17, 200, u"Legal 14", 1).drawable);  // scale beyond 16 bits
    EXPECT_TRUE(LayOutPreviewPage(20, 20, u"A4", 1).drawable);
}

TEST(WatermarkPreviewText, TheSineTableAndTheTurnedBoxes) {
    EXPECT_EQ(SineTable(0), 0);
    EXPECT_EQ(SineTable(30), 5000);
    EXPECT_EQ(SineTable(45), 7071);
    EXPECT_EQ(SineTable(90), 10000);
    struct Case {
        int angle, width, height, ox, oy;
    } cases[] = {
        {0, 100, 20, 0, 20},    {45, 84, 84, 14, 84},  {90, 20, 100, 20, 100}, {-90, 20, 100, 0, 0},
        {180, 100, 20, 100, 0}, {-180, 100, 20, 100, 0}, {-45, 84, 84, 0, 14}, {135, 84, 84, 84, 70},
        {-135, 84, 84, 70, 0},
    };
    for (const Case& c : cases) {
        const RotatedBox b = RotateBox(100, 20, c.angle);
        EXPECT_EQ(b.width, c.width) << c.angle;
        EXPECT_EQ(b.height, c.height) << c.angle;
        EXPECT_EQ(b.origin, (PixelPoint{c.ox, c.oy})) << c.angle;
    }
}

TEST(WatermarkPreviewText, EveryAngleKeepsTheTurnedRectangleInsideItsBox) {
    for (int angle = -180; angle <= 180; ++angle) {
        const RotatedBox b = RotateBox(137, 41, angle);
        EXPECT_EQ(b.corners[0], b.origin);
        for (const PixelPoint& p : b.corners) {
            EXPECT_GE(p.x, 0) << angle;
            EXPECT_LE(p.x, b.width) << angle;
            EXPECT_GE(p.y, 0) << angle;
            EXPECT_LE(p.y, b.height) << angle;
        }
        // The baseline runs in the direction of the angle, counter-clockwise.
        const double a = angle * 3.14159265358979 / 180;
        const PixelPoint along{b.corners[1].x - b.corners[0].x, b.corners[1].y - b.corners[0].y};
        EXPECT_NEAR(along.x, 137 * std::cos(a), 1.5) << angle;
        EXPECT_NEAR(along.y, -137 * std::sin(a), 1.5) << angle;
    }
    // Beyond the range the angle is held at its bound rather than leaving the table.
    EXPECT_EQ(RotateBox(100, 20, 1000).origin, RotateBox(100, 20, 180).origin);
}

WatermarkRecord Watermark(std::uint16_t position, int angle = 0, WatermarkBorder border = WatermarkBorder::None) {
    WatermarkRecord r;
    r.size = 72;
    r.angle = std::int16_t(angle);
    r.position = position;
    r.border = std::uint16_t(border);
    return r;
}

TEST(WatermarkPreviewText, SevenPositionsInBothOrientations) {
    for (int orientation : {1, 2}) {
        const PreviewPage page = LayOutPreviewPage(200, 150, u"A4", orientation);
        const PixelRect& pg = page.page;
        const int midX = pg.left + 2 + (pg.width() - 4) / 2, midY = pg.top + 2 + (pg.height() - 4) / 2;
        for (std::uint16_t position = 0; position < 8; ++position) {
            SCOPED_TRACE(testing::Message() << "orientation " << orientation << " position " << position);
            const PreviewLayout l = LayOutPreviewText(page, Watermark(position), 40, 10);
            const PixelRect& b = l.bounds;
            EXPECT_EQ(b.width(), 40);
            EXPECT_EQ(b.height(), 10);
            const int p = position < 7 ? position : 3;
            const int column = p == 0 || p == 4 ? 0 : p == 2 || p == 6 ? 2 : 1;
            const int row = p <= 2 ? 0 : p == 3 ? 1 : 2;
            if (column == 0) EXPECT_EQ(b.left, pg.left + 2);
            if (column == 1) EXPECT_EQ(b.left, midX - 20);
            if (column == 2) EXPECT_EQ(b.right, pg.right - 2);
            if (row == 0) EXPECT_EQ(b.top, pg.top + 2);
            if (row == 1) EXPECT_EQ(b.top, midY - 5);
            if (row == 2) EXPECT_EQ(b.bottom, pg.bottom - 2);
            EXPECT_EQ(l.textBox, b);
            EXPECT_EQ(l.textOrigin, (PixelPoint{b.left, b.bottom}));
        }
    }
}

TEST(WatermarkPreviewText, TheAdjustmentMovesTheBoxInPreviewPixels) {
    const PreviewPage page = LayOutPreviewPage(200, 150, u"A4", 1);
    WatermarkRecord r = Watermark(0);
    r.offsetX = 100;
    r.offsetY = -1000;
    const PreviewLayout l = LayOutPreviewText(page, r, 40, 10);
    EXPECT_EQ(l.bounds.left, page.page.left + 2 + 16);  // 100 x 100 / 620
    EXPECT_EQ(l.bounds.top, page.page.top + 2 - 161);
}

TEST(WatermarkPreviewText, BordersSizeTheBoundsAndHoldTheText) {
    const PreviewPage page = LayOutPreviewPage(300, 300, u"A4", 1);
    for (int angle : {0, 45, 90, -90, 180, -180, 30, -120}) {
        for (WatermarkBorder border : {WatermarkBorder::None, WatermarkBorder::Circle, WatermarkBorder::SingleFrame,
                                       WatermarkBorder::DoubleFrame}) {
            SCOPED_TRACE(testing::Message() << "angle " << angle << " border " << int(border));
            const PreviewLayout l = LayOutPreviewText(page, Watermark(3, angle, border), 60, 12);
            EXPECT_GE(l.textBox.left, l.bounds.left);
            EXPECT_GE(l.textBox.top, l.bounds.top);
            EXPECT_LE(l.textBox.right, l.bounds.right + 1);
            EXPECT_LE(l.textBox.bottom, l.bounds.bottom + 1);
            for (const auto& frame : l.frames)
                for (const PixelPoint& p : frame) {
                    EXPECT_GE(p.x, l.bounds.left);
                    EXPECT_LE(p.x, l.bounds.right);
                    EXPECT_GE(p.y, l.bounds.top);
                    EXPECT_LE(p.y, l.bounds.bottom);
                }
            EXPECT_TRUE(l.drawBorder == (border != WatermarkBorder::None));
        }
    }
    // Sizes at angle 0: single frame 60 + 2 x (18 - 12) - 4 by 14 x 120 / 100 + 4;
    // double frame 6 larger; circle trunc(hypot(60, 12)) x 11 / 10.
    const PreviewLayout single = LayOutPreviewText(page, Watermark(3, 0, WatermarkBorder::SingleFrame), 60, 12);
    EXPECT_EQ(single.bounds.width(), 68);
    EXPECT_EQ(single.bounds.height(), 18);
    ASSERT_EQ(single.frames.size(), 1u);
    const PreviewLayout twice = LayOutPreviewText(page, Watermark(3, 0, WatermarkBorder::DoubleFrame), 60, 12);
    EXPECT_EQ(twice.bounds.width(), 74);
    EXPECT_EQ(twice.bounds.height(), 24);
    ASSERT_EQ(twice.frames.size(), 2u);
    EXPECT_EQ(twice.frames[1][0], (PixelPoint{twice.bounds.left + 3, twice.bounds.bottom - 3}));
    const PreviewLayout circle = LayOutPreviewText(page, Watermark(3, 0, WatermarkBorder::Circle), 60, 12);
    EXPECT_EQ(circle.bounds.width(), 67);
    EXPECT_EQ(circle.innerRadius, 33);
    EXPECT_EQ(circle.outerRadius, 35);
    EXPECT_EQ(circle.centre, (PixelPoint{circle.bounds.left + 33, circle.bounds.top + 33}));
    EXPECT_EQ(circle.ringStrip, kStripVertical);
    EXPECT_EQ(LayOutPreviewText(LayOutPreviewPage(300, 300, u"A4", 2), Watermark(3, 0, WatermarkBorder::Circle), 60,
                                12).ringStrip,
              kStripHorizontal);
}

TEST(WatermarkPreviewText, BandThicknessByBorderSizeAndAngle) {
    const PreviewPage page = LayOutPreviewPage(300, 300, u"A4", 1);
    struct Case {
        WatermarkBorder border;
        int size, angle, thickness;
        bool white;
    } cases[] = {
        {WatermarkBorder::SingleFrame, 72, 0, 2, false},   {WatermarkBorder::SingleFrame, 72, 45, 3, true},
        {WatermarkBorder::SingleFrame, 72, -135, 3, true}, {WatermarkBorder::SingleFrame, 72, 39, 2, true},
        {WatermarkBorder::SingleFrame, 222, 50, 4, true},  {WatermarkBorder::SingleFrame, 222, 90, 3, false},
        {WatermarkBorder::SingleFrame, 221, 180, 2, false}, {WatermarkBorder::DoubleFrame, 72, 45, 1, true},
        {WatermarkBorder::DoubleFrame, 300, 45, 3, true},  {WatermarkBorder::DoubleFrame, 300, 0, 2, false},
        {WatermarkBorder::Circle, 72, 45, 0, false},
    };
    for (const Case& c : cases) {
        WatermarkRecord r = Watermark(3, c.angle, c.border);
        r.size = c.size;
        const PreviewLayout l = LayOutPreviewText(page, r, 60, 12);
        EXPECT_EQ(l.bandThickness, c.thickness) << c.size << " " << c.angle;
        EXPECT_EQ(l.whiteBands, c.white) << c.size << " " << c.angle;
    }
    // From size 222 on the double frame grows by 8 and the ring by 3.
    WatermarkRecord big = Watermark(3, 0, WatermarkBorder::DoubleFrame);
    big.size = 222;
    EXPECT_EQ(LayOutPreviewText(page, big, 60, 12).bounds.width(), 76);
    big.border = std::uint16_t(WatermarkBorder::Circle);
    const PreviewLayout ring = LayOutPreviewText(page, big, 60, 12);
    EXPECT_EQ(ring.outerRadius - ring.innerRadius, 3);
}

TEST(WatermarkPreviewText, EmptyTextDrawsNoBorderAndSizeZeroNoText) {
    const PreviewPage page = LayOutPreviewPage(200, 150, u"A4", 1);
    const PreviewLayout empty = LayOutPreviewText(page, Watermark(3, 45, WatermarkBorder::SingleFrame), 0, 12);
    EXPECT_FALSE(empty.drawBorder);
    WatermarkRecord r = Watermark(3, 0, WatermarkBorder::Circle);
    r.size = 0;
    const PreviewLayout noText = LayOutPreviewText(page, r, 40, 10);
    EXPECT_TRUE(noText.drawBorder);
    EXPECT_FALSE(noText.drawText);
}

TEST(WatermarkPreviewFont, HeightAngleAndFace) {
    const PreviewPage page = LayOutPreviewPage(200, 150, u"A4", 1);
    WatermarkRecord r = Watermark(3, -30);
    r.weight = 700;
    r.italic = 1;
    r.charSet = 2;
    const PreviewFont western =
        PreviewFontFor(page, r, ParsePrinterFontEntry(u"Times-Roman,Times-Italic,Times-Bold,Times-BoldItalic,Times New Roman"));
    EXPECT_EQ(western.height, 12);  // (72 x 200 + 620) / 1240
    EXPECT_EQ(western.escapement, -300);
    EXPECT_EQ(western.face, u"Times New Roman");
    EXPECT_EQ(western.charSet, 2);
    EXPECT_TRUE(western.italic);
    const PreviewFont japanese =
        PreviewFontFor(page, r, ParsePrinterFontEntry(u"\u660E\u671D,MS Mincho,Ryumin-Light,\u65E5\u672C\u8A9E"));
    EXPECT_EQ(japanese.face, u"MS Mincho");
    EXPECT_EQ(japanese.charSet, kShiftJisCharSet);
    r.size = 1;
    EXPECT_EQ(PreviewFontFor(page, r, std::nullopt).height, 1);
    EXPECT_EQ(PreviewFontFor(page, r, std::nullopt).face, u"");
}

TEST(WatermarkPreviewBorder, TheRingCoversExactlyTheBandBetweenItsRadii) {
    const PixelPoint c{50, 40};
    const int inner = 10, outer = 13;
    std::set<std::pair<int, int>> covered;
    for (const PixelSpan& s : RingSpans(c, inner, outer)) {
        ASSERT_LE(s.left, s.right);
        for (int x = s.left; x < s.right; ++x) EXPECT_TRUE(covered.insert({x, s.y}).second) << x << "," << s.y;
    }
    for (int y = c.y - 20; y <= c.y + 20; ++y) {
        for (int x = c.x - 20; x <= c.x + 20; ++x) {
            const int d2 = (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y);
            // Well inside the hole and well outside the ring stay clear;
            // the middle of the band is filled.
            if (d2 < (inner - 1) * (inner - 1) || d2 > (outer + 1) * (outer + 1))
                EXPECT_FALSE(covered.count({x, y})) << x << "," << y;
            if (d2 >= (inner + 1) * (inner + 1) && d2 <= (outer - 1) * (outer - 1))
                EXPECT_TRUE(covered.count({x, y})) << x << "," << y;
        }
    }
    // Degenerate radii neither loop for ever nor draw beyond the outer one.
    EXPECT_EQ(RingSpans(c, 0, 0), (std::vector<PixelSpan>{{40, 50, 51}}));
    for (const PixelSpan& s : RingSpans(c, 30, 3)) EXPECT_LE(std::abs(s.y - c.y), 3);
}

TEST(WatermarkPreviewBorder, BandsLieBesideTheirLineOnTheChosenSide) {
    // Straight: one rectangle inside the frame's corners.
    EXPECT_EQ(BandPieces({10, 20}, {60, 20}, 2, {30, 40}), (std::vector<PixelRect>{{10, 20, 60, 22}}));
    EXPECT_EQ(BandPieces({60, 50}, {10, 50}, 2, {30, 40}), (std::vector<PixelRect>{{10, 48, 60, 50}}));
    EXPECT_EQ(BandPieces({10, 20}, {10, 50}, 3, {30, 40}), (std::vector<PixelRect>{{10, 20, 13, 50}}));
    EXPECT_EQ(BandPieces({10, 20}, {10, 50}, 3, {30, 40}, true), (std::vector<PixelRect>{{7, 20, 10, 50}}));
    EXPECT_TRUE(BandPieces({10, 20}, {60, 20}, 0, {30, 40}).empty());
    EXPECT_TRUE(BandPieces({10, 20}, {10, 20}, 2, {30, 40}).empty());

    // Slanted at 45 degrees: a piece per column, stepping down with the line
    // and never leaving the line's extent.
    const std::vector<PixelRect> slant = BandPieces({0, 0}, {20, 20}, 2, {20, 0});
    ASSERT_EQ(slant.size(), 20u);
    for (std::size_t i = 0; i < slant.size(); ++i) {
        EXPECT_EQ(slant[i].left, int(i));
        EXPECT_EQ(slant[i].width(), 1);
        EXPECT_EQ(slant[i].height(), 2);
        if (i > 0) EXPECT_GE(slant[i].top, slant[i - 1].top);
        EXPECT_LE(std::abs(slant[i].bottom - int(i)), 2) << i;  // towards (20, 0): above the line
    }
    EXPECT_EQ(slant.back().bottom, 18);
    // Steep and upwards: a piece per row, stepping left.
    const std::vector<PixelRect> steep = BandPieces({30, 40}, {25, 0}, 1, {0, 20});
    ASSERT_EQ(steep.size(), 40u);
    EXPECT_EQ(steep.front(), (PixelRect{29, 39, 30, 40}));
    EXPECT_EQ(steep.back(), (PixelRect{24, 0, 25, 1}));
}

}  // namespace
}  // namespace wren::ui
