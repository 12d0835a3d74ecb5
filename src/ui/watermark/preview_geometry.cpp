#include "ui/watermark/preview_geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "common/geometry/sine_table.h"

namespace wren::ui {
namespace {

// A form name's first characters, and up to two further characters at
// fixed places, choose the paper.
struct FormRule {
    std::u16string_view prefix;
    int at1 = -1;
    char16_t c1 = 0;
    int at2 = -1;
    char16_t c2 = 0;
    PaperSize size;
};
constexpr FormRule kForms[] = {
    {u"A4", -1, 0, -1, 0, {2100, 2970}},
    {u"A5", -1, 0, -1, 0, {1480, 2100}},
    {u"A6", -1, 0, -1, 0, {1050, 1480}},
    {u"B5", -1, 0, -1, 0, {1820, 2570}},
    {u"C5", -1, 0, -1, 0, {1620, 2290}},
    {u"Co", 4, u'1', -1, 0, {1050, 2410}},
    {u"Co", 4, u'9', -1, 0, {980, 2250}},
    {u"DL", -1, 0, -1, 0, {970, 2200}},
    {u"Ex", -1, 0, -1, 0, {1840, 2660}},
    {u"Mo", -1, 0, -1, 0, {856, 1905}},
    {u"L", 2, u't', -1, 0, {1620, 2290}},
    {u"L", 2, u'g', 6, u'3', {2030, 3300}},
    {u"L", 2, u'g', 6, u'4', {2030, 3550}},
    {u"Po", -1, 0, -1, 0, {2100, 2970}},
    {u"\u306F\u304C", -1, 0, -1, 0, {1000, 1480}},
    {u"\uFF74\uFF78", -1, 0, -1, 0, {1840, 2660}},
    {u"\uFF98", 7, u'3', -1, 0, {2030, 3300}},
    {u"\uFF98", 7, u'4', -1, 0, {2030, 3550}},
    {u"\u30EC\u30BF", -1, 0, -1, 0, {2150, 2790}},
    {u"\u5F80\u5FA9", -1, 0, -1, 0, {2000, 1480}},
    {u"\u5C01", 2, u'\uFF11', -1, 0, {2349, 1199}},
    {u"\u5C01", 2, u'\uFF12', -1, 0, {2049, 899}},
    {u"\u5C01", 2, u'\uFF13', -1, 0, {2349, 1051}},
    {u"\u5C01", 2, u'\uFF14', -1, 0, {2970, 2159}},
};
constexpr PaperSize kA4{2100, 2970};

bool charAt(std::u16string_view s, int at, char16_t c) {
    return at < 0 || (std::size_t(at) < s.size() && s[std::size_t(at)] == c);
}

// The box's sides minus this margin hold the longer side of the paper.
constexpr int kBoxMargin = 16;
constexpr int kScaleFactor = 28;
// Inside the page the watermark keeps 2 pixels from each edge.
constexpr int kPageInset = 2;
constexpr int kLargeSize = 222;  // from here borders are drawn thicker

int mul(int length, int sine) { return int(std::int64_t(length) * sine / 10000); }

// Angle rows of the rotation: the reduced angle and the signs of cos a and
// sin a.
struct AngleRow {
    int reduced;
    int cosSign, sinSign;
};
AngleRow rowFor(int angle) {
    if (angle < -90) return {angle + 180, -1, -1};
    if (angle < 0) return {-angle, 1, -1};
    if (angle < 90) return {angle, 1, 1};
    return {180 - angle, -1, 1};
}

int clampAngle(int angle) { return std::clamp(angle, kWatermarkMinAngle, kWatermarkMaxAngle); }

int isqrt(std::int64_t v) {
    if (v <= 0) return 0;
    std::int64_t r = 0, bit = std::int64_t(1) << 62;
    while (bit > v) bit >>= 2;
    while (bit != 0) {
        if (v >= r + bit) {
            v -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
        bit >>= 2;
    }
    return int(r);
}

// The angle reduced to 0..90 for the band thickness.
int bandQuadrant(int angle) { return angle == 180 ? 90 : (angle + 180) % 90; }

int bandThickness(WatermarkBorder border, int size, int angle) {
    const int q = bandQuadrant(angle);
    const bool diagonal = q >= 40 && q <= 50;
    const bool large = size >= kLargeSize;
    if (border == WatermarkBorder::SingleFrame) return (large ? 3 : 2) + (diagonal ? 1 : 0);
    if (border == WatermarkBorder::DoubleFrame) return large ? 2 + (diagonal ? 1 : 0) : 1;
    return 0;
}

std::array<PixelPoint, 4> placed(const RotatedBox& box, PixelPoint topLeft) {
    std::array<PixelPoint, 4> out = box.corners;
    for (PixelPoint& p : out) p = {p.x + topLeft.x, p.y + topLeft.y};
    return out;
}

}  // namespace

int SineTable(int degrees) { return kSineTimes10000[static_cast<std::size_t>(std::clamp(degrees, 0, 90))]; }

PaperSize PaperSizeForForm(std::u16string_view formName, int orientation) {
    PaperSize size = kA4;
    for (const FormRule& rule : kForms) {
        if (formName.substr(0, rule.prefix.size()) == rule.prefix && charAt(formName, rule.at1, rule.c1) &&
            charAt(formName, rule.at2, rule.c2)) {
            size = rule.size;
            break;
        }
    }
    if (orientation != 1) std::swap(size.width, size.height);
    return size;
}

PreviewPage LayOutPreviewPage(int boxWidth, int boxHeight, std::u16string_view formName, int orientation) {
    PreviewPage p;
    p.landscape = orientation != 1;
    const int room = std::min(boxWidth, boxHeight) - kBoxMargin;
    // A box with no room for a page (or a scale beyond 16 bits) draws only
    // its edge rather than dividing by zero or wrapping the scale.
    if (room <= 0) return p;
    const PaperSize paper = PaperSizeForForm(formName, orientation);
    const int longer = std::max(paper.width, paper.height);
    const int scale = longer * kScaleFactor / room;
    if (scale < 1 || scale > INT16_MAX) return p;
    p.drawable = true;
    p.scale = scale;
    const int pw = paper.width * kScaleFactor / scale, ph = paper.height * kScaleFactor / scale;
    const int x0 = (boxWidth - pw) / 2, y0 = (boxHeight - ph) / 2;
    p.page = {x0, y0, x0 + pw, y0 + ph};
    p.shadow = {{
        {kShadowHorizontal, {x0 - 1, y0 - 1, x0 + pw, y0}},
        {kShadowVertical, {x0 + pw, y0 - 1, x0 + pw + 2, y0 + ph + 2}},
        {kShadowHorizontal, {x0 - 1, y0 + ph, x0 + pw, y0 + ph + 2}},
        {kShadowVertical, {x0 - 1, y0, x0, y0 + ph}},
    }};
    return p;
}

PreviewFont PreviewFontFor(const PreviewPage& page, const WatermarkRecord& record,
                           const std::optional<PrinterFontEntry>& entry) {
    PreviewFont f;
    const int s = page.scale;
    f.height = std::max(1, int((std::int64_t(record.size) * 200 + s) / (2 * s)));
    f.escapement = clampAngle(record.angle) * 10;
    f.weight = record.weight;
    f.italic = record.italic != 0;
    f.charSet = record.charSet;
    if (entry) {
        f.face = entry->screenFace();
        if (entry->japanese()) f.charSet = kShiftJisCharSet;
    }
    return f;
}

RotatedBox RotateBox(int w, int h, int angle) {
    const AngleRow row = rowFor(clampAngle(angle));
    const int sine = SineTable(row.reduced), cosine = SineTable(90 - row.reduced);
    RotatedBox b;
    b.width = mul(w, cosine) + mul(h, sine);
    b.height = mul(w, sine) + mul(h, cosine);
    // The bottom-left corner by the row of the angle.
    switch (row.cosSign * 2 + row.sinSign) {
    case -3: b.origin = {mul(w, cosine), 0}; break;          // a < -90
    case 1: b.origin = {0, mul(h, cosine)}; break;           // -90 <= a < 0
    case 3: b.origin = {mul(h, sine), b.height}; break;      // 0 <= a < 90
    default: b.origin = {b.width, mul(w, sine)}; break;      // a >= 90
    }
    // Along the text: (cos a, -sin a); towards its top: (-sin a, -cos a).
    const PixelPoint along{row.cosSign * mul(w, cosine), -row.sinSign * mul(w, sine)};
    const PixelPoint up{-row.sinSign * mul(h, sine), -row.cosSign * mul(h, cosine)};
    const PixelPoint o = b.origin;
    b.corners = {{o, {o.x + along.x, o.y + along.y}, {o.x + along.x + up.x, o.y + along.y + up.y},
                  {o.x + up.x, o.y + up.y}}};
    return b;
}

PreviewLayout LayOutPreviewText(const PreviewPage& page, const WatermarkRecord& record, int textWidth,
                                int textHeight) {
    PreviewLayout l;
    const int tw = std::max(0, textWidth), th = std::max(0, textHeight);
    const int angle = clampAngle(record.angle);
    const int size = record.size;
    l.border = record.border <= 3 ? WatermarkBorder(record.border) : WatermarkBorder::None;
    const RotatedBox text = RotateBox(tw, th, angle);

    // Border sizes, unrotated.
    const int frameHeight = th * 120 / 100 + 4;
    const int frameWidth = tw + 2 * (frameHeight - th) - 4;
    const int outerGrow = size >= kLargeSize ? 8 : 6;
    const RotatedBox single = RotateBox(frameWidth, frameHeight, angle);
    const RotatedBox outer = RotateBox(frameWidth + outerGrow, frameHeight + outerGrow, angle);
    const int diameter = isqrt(std::int64_t(tw) * tw + std::int64_t(th) * th) * 11 / 10;

    int bw = text.width, bh = text.height;
    switch (l.border) {
    case WatermarkBorder::Circle: bw = bh = diameter; break;
    case WatermarkBorder::SingleFrame: bw = single.width, bh = single.height; break;
    case WatermarkBorder::DoubleFrame: bw = outer.width, bh = outer.height; break;
    case WatermarkBorder::None: break;
    }

    const int usableW = page.page.width() - 2 * kPageInset, usableH = page.page.height() - 2 * kPageInset;
    const int centreX = usableW / 2 - bw / 2, centreY = usableH / 2 - bh / 2;
    const int rightX = usableW - bw, lowerY = usableH - bh;
    static constexpr int kLeft = 0, kMiddle = 1, kRight = 2;
    static constexpr int kColumn[kPositionCount] = {kLeft, kMiddle, kRight, kMiddle, kLeft, kMiddle, kRight};
    static constexpr int kRow[kPositionCount] = {kLeft, kLeft, kLeft, kMiddle, kRight, kRight, kRight};
    const int position = record.position < kPositionCount ? record.position : kPositionCenter;
    const int columns[] = {0, centreX, rightX}, rows[] = {0, centreY, lowerY};
    const int s = std::max(1, page.scale);
    const int adjustX = std::int16_t(std::int64_t(record.offsetX) * 100 / s);
    const int adjustY = std::int16_t(std::int64_t(record.offsetY) * 100 / s);
    const int left = page.page.left + kPageInset + columns[kColumn[position]] + adjustX;
    const int top = page.page.top + kPageInset + rows[kRow[position]] + adjustY;
    l.bounds = {left, top, left + bw, top + bh};

    const PixelPoint textTopLeft{left + bw / 2 - text.width / 2, top + bh / 2 - text.height / 2};
    l.textBox = {textTopLeft.x, textTopLeft.y, textTopLeft.x + text.width, textTopLeft.y + text.height};
    l.textOrigin = {textTopLeft.x + text.origin.x, textTopLeft.y + text.origin.y};
    l.drawText = size != 0;
    l.drawBorder = tw != 0 && l.border != WatermarkBorder::None;

    l.centre = {left + bw / 2, top + bh / 2};
    l.innerRadius = diameter / 2;
    l.outerRadius = diameter / 2 + (size >= kLargeSize ? 3 : 2);
    l.ringStrip = page.landscape ? kStripHorizontal : kStripVertical;

    if (l.border == WatermarkBorder::SingleFrame) {
        l.frames.push_back(placed(single, {left, top}));
    } else if (l.border == WatermarkBorder::DoubleFrame) {
        l.frames.push_back(placed(outer, {left, top}));
        l.frames.push_back(placed(single, {left + bw / 2 - single.width / 2, top + bh / 2 - single.height / 2}));
    }
    l.bandThickness = bandThickness(l.border, size, angle);
    l.whiteBands = !l.frames.empty() && angle % 90 != 0;
    return l;
}

std::vector<PixelSpan> RingSpans(PixelPoint centre, int innerRadius, int outerRadius) {
    std::vector<PixelSpan> spans;
    const int R = std::max(0, outerRadius), r = std::clamp(innerRadius, 0, R);
    for (int y = -R; y <= R; ++y) {
        const int outer = isqrt(std::int64_t(R) * R - std::int64_t(y) * y);
        const int row = centre.y + y;
        if (std::abs(y) < r) {
            const int inner = isqrt(std::int64_t(r) * r - std::int64_t(y) * y);
            if (outer > inner) {
                spans.push_back({row, centre.x - outer, centre.x - inner});
                spans.push_back({row, centre.x + inner + 1, centre.x + outer + 1});
            }
        } else {
            spans.push_back({row, centre.x - outer, centre.x + outer + 1});
        }
    }
    return spans;
}

std::vector<PixelRect> BandPieces(PixelPoint from, PixelPoint to, int thickness, PixelPoint towards, bool away) {
    std::vector<PixelRect> pieces;
    if (thickness <= 0) return pieces;
    const int dx = to.x - from.x, dy = to.y - from.y;
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const int steps = alongX ? std::abs(dx) : std::abs(dy);
    const int extent = alongX ? std::abs(dy) : std::abs(dx);
    const int stepSign = (alongX ? dx : dy) < 0 ? -1 : 1;
    const int acrossSign = (alongX ? dy : dx) < 0 ? -1 : 1;
    // Which side of the line the band lies on, judged at the line's middle.
    const int middleAcross = alongX ? from.y + dy / 2 : from.x + dx / 2;
    const bool forward = ((alongX ? towards.y : towards.x) >= middleAcross) != away;
    auto across = [&](int at) { return forward ? std::pair{at, at + thickness} : std::pair{at - thickness, at}; };
    auto piece = [&](int alongFrom, int alongTo, int at) {
        const auto [a0, a1] = across(at);
        pieces.push_back(alongX ? PixelRect{alongFrom, a0, alongTo, a1} : PixelRect{a0, alongFrom, a1, alongTo});
    };
    const int start = alongX ? from.x : from.y, base = alongX ? from.y : from.x;
    if (extent == 0) {
        if (steps > 0) piece(std::min(start, start + stepSign * steps), std::max(start, start + stepSign * steps), base);
        return pieces;
    }
    // Whole-pixel steps across: the slope in thousandths, rounded per step.
    const std::int64_t slope = std::int64_t(extent) * 1000 / (steps + 1);
    for (int i = 0; i < steps; ++i) {
        const int along = start + stepSign * i;
        const int offset = int((slope * i + 500) / 1000);
        piece(std::min(along, along + stepSign), std::max(along, along + stepSign), base + acrossSign * offset);
    }
    return pieces;
}

}  // namespace wren::ui
