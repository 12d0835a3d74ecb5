// Stored watermark values as the list reads them from the plug-in INI file:
// whatever the value, the texts stay within their fields, and what the
// formatter writes for a parsed record reads back as the same record.
#include <cstring>

#include "common/config/ini_document.h"
#include "ui/watermark/watermark_codec.h"

using namespace wren;
using namespace wren::ui;

namespace {

bool terminatedWithin(const char16_t* field, std::size_t units) {
    for (std::size_t i = 0; i < units; ++i)
        if (field[i] == u'\0') return true;
    return false;
}

bool sameRecord(const WatermarkRecord& a, const WatermarkRecord& b) {
    return a.size == b.size && a.fontIndex == b.fontIndex && a.angle == b.angle && a.offsetX == b.offsetX &&
           a.offsetY == b.offsetY && a.color == b.color && a.textValue() == b.textValue() &&
           a.fontNameValue() == b.fontNameValue() && a.weight == b.weight && a.italic == b.italic &&
           a.charSet == b.charSet && a.position == b.position && a.border == b.border &&
           a.inBackground == b.inBackground && a.firstPageOnly == b.firstPageOnly && a.styleCode == b.styleCode;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string value(size / 2, u'\0');
    std::memcpy(value.data(), data, value.size() * 2);
    const WatermarkRecord r = ParseWatermarkValue(value);
    if (!terminatedWithin(r.text, std::size(r.text)) || !terminatedWithin(r.fontName, std::size(r.fontName)))
        __builtin_trap();
    if (r.position > 0xFF || r.border > 0xFF || r.inBackground > 0xFF) __builtin_trap();

    // The font name is written as it stands: a separator in it cannot come
    // back, and no font-file token holds one.
    const std::u16string name = r.fontNameValue();
    if (name.find_first_of(u",;") != std::u16string::npos) return 0;
    const std::u16string stored = FormatWatermarkValue(r);
    if (stored.size() >= 512) __builtin_trap();  // the store reads 511 characters back
    if (!sameRecord(ParseWatermarkValue(stored), r)) __builtin_trap();
    return 0;
}
