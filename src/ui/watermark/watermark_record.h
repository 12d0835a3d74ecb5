// One text watermark as the dialogs edit it and the store keeps it. The two
// texts are fixed fields, always terminated within their bounds, so a record
// copied into the settings record or formatted for the store never reaches
// past them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/settings/record_text.h"

namespace wren::ui {

inline constexpr std::size_t kWatermarkTextChars = 128;
inline constexpr std::size_t kWatermarkFontNameChars = 31;
inline constexpr int kMaxWatermarks = 16;

// Limits of the editable values.
inline constexpr int kWatermarkMinSize = 1;
inline constexpr int kWatermarkMaxSize = 600;
inline constexpr int kWatermarkMinAngle = -180;
inline constexpr int kWatermarkMaxAngle = 180;
inline constexpr int kWatermarkMaxOffset = 1000;

enum class WatermarkBorder : std::uint16_t { None = 0, Circle = 1, SingleFrame = 2, DoubleFrame = 3 };
inline constexpr std::uint16_t kPositionCenter = 3;
inline constexpr std::uint16_t kPositionCount = 7;  // upper left .. lower right
inline constexpr std::uint32_t kLightGrey = 0x00C0C0C0;

struct WatermarkRecord {
    std::int32_t size = 0;        // points
    std::int32_t fontIndex = 0;   // entry of the printer-font list, 0-based
    std::int16_t angle = 0;       // degrees, counter-clockwise
    std::int32_t offsetX = 0;     // points, to the right
    std::int32_t offsetY = 0;     // points, downwards on the preview
    std::uint32_t color = 0;      // 0x00BBGGRR
    char16_t text[kWatermarkTextChars + 1] = {};
    char16_t fontName[kWatermarkFontNameChars + 1] = {};
    std::int32_t weight = 0;      // 700: bold
    std::uint8_t italic = 0;
    std::uint8_t charSet = 0;     // of the preview's screen font; never edited
    std::uint16_t position = 0;   // 0..6
    std::uint16_t border = 0;     // WatermarkBorder
    std::uint16_t inBackground = 0;
    std::uint8_t firstPageOnly = 0;
    std::uint16_t styleCode = 0;  // how the style reaches the printer: 0..3 or 5

    std::u16string textValue() const { return readField(text); }
    std::u16string fontNameValue() const { return readField(fontName); }
    void setText(std::u16string_view t) { writeField(text, t); }
    void setFontName(std::u16string_view n) { writeField(fontName, n); }
};

// A number as the dialogs and the store write it.
inline std::u16string DecimalText(long long v) {
    std::u16string out;
    for (char c : std::to_string(v)) out.push_back(char16_t(c));
    return out;
}

// Field by field, both texts up to their terminators.
inline void CopyWatermarkRecord(WatermarkRecord& destination, const WatermarkRecord& source) {
    destination = source;
}

}  // namespace wren::ui
