#include "ui/watermark/watermark_fonts.h"

#include <algorithm>

namespace wren::ui {
namespace {

constexpr std::u16string_view kSection = u"PrinterFont";
constexpr std::u16string_view kJapaneseMark = u"\u65E5\u672C";
constexpr std::int32_t kBold = 700;
// Entries are numbered from 1 without gaps; this bounds a file that never
// stops.
constexpr std::int32_t kMaxEntries = 1000;

std::u16string keyFor(std::int32_t number) { return DecimalText(number); }

}  // namespace

bool PrinterFontEntry::japanese() const { return token(4).substr(0, kJapaneseMark.size()) == kJapaneseMark; }

std::u16string PrinterFontEntry::token(std::size_t number) const {
    return number >= 1 && number <= tokens.size() ? tokens[number - 1] : std::u16string();
}

PrinterFontEntry ParsePrinterFontEntry(std::u16string_view value) {
    PrinterFontEntry entry;
    while (true) {
        const std::size_t comma = value.find(u',');
        entry.tokens.emplace_back(value.substr(0, std::min(comma, kFontTokenChars)));
        if (comma == std::u16string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
    return entry;
}

PrinterFontChoice ChoosePrinterFont(const PrinterFontEntry& entry, std::int32_t weight, bool italic) {
    const bool bold = weight == kBold;
    PrinterFontChoice choice;
    if (entry.japanese()) {
        choice.fontName = entry.token(3);
        choice.styleCode = std::uint16_t((italic ? 1 : 0) + (bold ? 2 : 0));
    } else {
        choice.fontName = entry.token(1 + (italic ? 1 : 0) + (bold ? 2 : 0));
        choice.styleCode = italic ? 5 : 0;
    }
    if (choice.fontName.size() > kWatermarkFontNameChars) choice.fontName.resize(kWatermarkFontNameChars);
    return choice;
}

int WatermarkFontFile::defaultNumber() const {
    return path_.empty() ? 0 : profile_.readInt(path_, kSection, u"DefaultNo", 0);
}

std::optional<PrinterFontEntry> WatermarkFontFile::entry(std::int32_t index) const {
    if (path_.empty() || index < 0 || index >= kMaxEntries) return std::nullopt;
    // A present but empty entry reads the same as a missing one.
    const std::u16string value = profile_.readString(path_, kSection, keyFor(index + 1), kFontEntryChars);
    if (value.empty()) return std::nullopt;
    return ParsePrinterFontEntry(value);
}

std::vector<FontListItem> WatermarkFontFile::fonts(std::uint16_t locale) const {
    std::vector<FontListItem> items;
    const int defaultNo = defaultNumber();
    const std::int32_t end = locale != kJapaneseLocale && defaultNo > 0 ? defaultNo - 1 : kMaxEntries;
    for (std::int32_t index = 0; index < end; ++index) {
        std::optional<PrinterFontEntry> e = entry(index);
        if (!e) break;
        items.push_back({e->displayName(), index});
    }
    return items;
}

std::int32_t WatermarkFontFile::defaultFontIndex(std::uint16_t locale) const {
    if (locale != kJapaneseLocale) return 0;
    const int defaultNo = defaultNumber();
    return defaultNo > 0 ? defaultNo - 1 : 0;
}

void DeriveFontNameAndStyle(WatermarkRecord& record, const WatermarkFontFile& fonts) {
    // A missing entry has no tokens: an empty name, and the Western style
    // code.
    const PrinterFontChoice choice =
        ChoosePrinterFont(fonts.entry(record.fontIndex).value_or(PrinterFontEntry{}), record.weight,
                          record.italic != 0);
    record.setFontName(choice.fontName);
    record.styleCode = choice.styleCode;
}

}  // namespace wren::ui
