// The printer fonts a watermark may use, from section "PrinterFont" of the
// driver's watermark font file, and what the chosen font and style become
// for the printer and for the preview's screen font.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"
#include "ui/watermark/watermark_record.h"

namespace wren::ui {

inline constexpr std::uint16_t kJapaneseLocale = 1041;
inline constexpr std::size_t kFontEntryChars = 512;
inline constexpr std::size_t kFontTokenChars = 63;
inline constexpr std::uint8_t kShiftJisCharSet = 128;

// One "PrinterFont" entry split at ",". A Western entry names the regular,
// italic, bold and bold-italic PostScript fonts and then the preview's
// screen face; a Japanese one (its fourth token begins with U+65E5 U+672C)
// names the screen face second and one PostScript font for every style.
struct PrinterFontEntry {
    std::vector<std::u16string> tokens;  // each at most 63 characters

    bool japanese() const;
    std::u16string token(std::size_t number) const;  // 1-based; empty when missing
    std::u16string displayName() const { return token(1); }
    std::u16string screenFace() const { return token(japanese() ? 2 : 5); }
};

PrinterFontEntry ParsePrinterFontEntry(std::u16string_view value);

// The printer font and the style code for a record's weight and italic.
struct PrinterFontChoice {
    std::u16string fontName;  // at most 31 characters
    std::uint16_t styleCode = 0;
};
PrinterFontChoice ChoosePrinterFont(const PrinterFontEntry& entry, std::int32_t weight, bool italic);

struct FontListItem {
    std::u16string name;  // token 1
    std::int32_t index;   // 0-based: the key number minus one
};

class WatermarkFontFile {
public:
    // An empty path is a missing file: no fonts.
    WatermarkFontFile(const Profile& profile, std::u16string path) : profile_(profile), path_(std::move(path)) {}

    int defaultNumber() const;  // "DefaultNo"; 0 when missing
    // Entry index + 1; nothing when the key is missing.
    std::optional<PrinterFontEntry> entry(std::int32_t index) const;
    // "1", "2", ... up to the first missing number; outside the Japanese
    // locale only the entries before "DefaultNo" (the Japanese fonts start
    // there).
    std::vector<FontListItem> fonts(std::uint16_t locale) const;
    // The font a new record starts with.
    std::int32_t defaultFontIndex(std::uint16_t locale) const;

private:
    const Profile& profile_;
    std::u16string path_;
};

// The editor's OK: the record's fontName and styleCode from its font entry;
// a missing entry leaves the name empty.
void DeriveFontNameAndStyle(WatermarkRecord& record, const WatermarkFontFile& fonts);

}  // namespace wren::ui
