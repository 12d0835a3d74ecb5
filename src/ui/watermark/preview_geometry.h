// Where the watermark preview puts the page and the watermark in the
// dialogs' preview box: every number the drawing uses, in pixels of the
// box. The drawing itself only measures the text and paints what this
// says. Rotations use the integer sine table, so the picture is the same
// on every machine.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/watermark/watermark_fonts.h"
#include "ui/watermark/watermark_record.h"

namespace wren::ui {

// Bitmap resources of the preview.
inline constexpr int kStripVertical = 3200;    // 4 x 180, the line colour
inline constexpr int kStripHorizontal = 3201;  // 180 x 4
inline constexpr int kShadowVertical = 3202;   // 2 x 193, magenta transparent
inline constexpr int kShadowHorizontal = 3203; // 193 x 2
inline constexpr int kStripColourIndex = 253;  // the palette entry replaced by the line colour

// sin(d) x 10000 to the nearest integer, d = 0..90.
int SineTable(int degrees);

struct PaperSize {
    int width = 0;   // tenths of a millimetre
    int height = 0;
};
// The paper of a form name, portrait; exchanged when `orientation` (the
// DEVMODE's) is not 1. Unknown names are A4.
PaperSize PaperSizeForForm(std::u16string_view formName, int orientation);

struct PixelPoint {
    int x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

struct PreviewPage {
    bool drawable = false;  // false: the box is too small to hold a page
    int scale = 1;          // tenths of a millimetre x 28 per pixel
    bool landscape = false;
    PixelRect page;         // the paper, and the text's clip
    struct Edge {
        int bitmap;
        PixelRect rect;
    };
    std::array<Edge, 4> shadow{};  // drawn with magenta transparent
};
PreviewPage LayOutPreviewPage(int boxWidth, int boxHeight, std::u16string_view formName, int orientation);

// The screen font of the preview.
struct PreviewFont {
    int height = 1;       // pixels
    int escapement = 0;   // tenths of a degree, counter-clockwise
    std::int32_t weight = 0;
    bool italic = false;
    std::uint8_t charSet = 0;
    std::u16string face;  // empty: the font entry is missing
};
PreviewFont PreviewFontFor(const PreviewPage& page, const WatermarkRecord& record,
                           const std::optional<PrinterFontEntry>& entry);

// A w x h rectangle turned by `angle` degrees, in its bounding box: the box's
// size, where the rectangle's bottom-left corner lies (the text's origin),
// and the four corners bottom-left, bottom-right, top-right, top-left, all
// relative to the box's top-left.
struct RotatedBox {
    int width = 0, height = 0;
    PixelPoint origin;
    std::array<PixelPoint, 4> corners{};
};
RotatedBox RotateBox(int w, int h, int angle);

struct PreviewLayout {
    PixelRect bounds;       // the watermark's bounding box (text or border)
    PixelRect textBox;      // the turned text's box, centred in the bounds
    PixelPoint textOrigin;  // where the text's bottom-left corner goes
    bool drawText = false;  // size is not 0
    bool drawBorder = false;  // a border is chosen and the text is not empty
    WatermarkBorder border = WatermarkBorder::None;

    // Circle: a ring around the bounds' centre, filled with one strip.
    PixelPoint centre;
    int innerRadius = 0, outerRadius = 0;
    int ringStrip = kStripVertical;

    // Frames: the single frame, or the outer and then the inner one, as
    // turned corners. Edges 0-1 and 2-3 run along the text and use the
    // horizontal strip, the others the vertical strip.
    std::vector<std::array<PixelPoint, 4>> frames;
    int bandThickness = 0;
    bool whiteBands = false;  // slanted edges get white bands beside them
};
PreviewLayout LayOutPreviewText(const PreviewPage& page, const WatermarkRecord& record, int textWidth,
                                int textHeight);

// The pixels a border covers, as the drawing fills them with its strips.

// One row of the ring: pixels left .. right - 1 on row y.
struct PixelSpan {
    int y = 0, left = 0, right = 0;
    bool operator==(const PixelSpan&) const = default;
};
// The ring between the two radii around `centre`, row by row: two spans on
// the rows the inner circle reaches, one chord on the others.
std::vector<PixelSpan> RingSpans(PixelPoint centre, int innerRadius, int outerRadius);

// A band `thickness` pixels wide beside the line from `from` to `to`, on the
// side of `towards` (or, with `away`, on the other side). A straight line
// gives one rectangle; a slanted one a piece per pixel along its longer
// axis, each stepped across so that the band follows the line.
std::vector<PixelRect> BandPieces(PixelPoint from, PixelPoint to, int thickness, PixelPoint towards,
                                  bool away = false);

}  // namespace wren::ui
