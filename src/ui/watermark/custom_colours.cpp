#include "ui/watermark/custom_colours.h"

#include <string>

#include "ui/watermark/watermark_ids.h"

namespace wren::ui {
namespace {

constexpr std::size_t kSectionChars = 64;

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }

// One number as the C library's atoi reads it, wrapped to 32 bits rather
// than overflowing; `rest` moves past its field.
std::uint32_t component(std::u16string_view& rest) {
    const std::size_t comma = rest.find(u',');
    std::u16string_view field = rest.substr(0, comma);
    rest = comma == std::u16string_view::npos ? std::u16string_view() : rest.substr(comma + 1);
    while (!field.empty() && isBlank(field.front())) field.remove_prefix(1);
    bool negative = false;
    if (!field.empty() && (field.front() == u'+' || field.front() == u'-')) {
        negative = field.front() == u'-';
        field.remove_prefix(1);
    }
    std::uint32_t v = 0;
    for (char16_t c : field) {
        if (c < u'0' || c > u'9') break;
        v = v * 10 + std::uint32_t(c - u'0');
    }
    return (negative ? 0u - v : v) & 0xFF;
}

std::u16string sectionName(const UiStrings& strings) { return strings.load(wm::kStringCustomColourSection, kSectionChars); }

std::u16string keyFor(std::size_t i) { return u"Color" + DecimalText(static_cast<long long>(i)); }

}  // namespace

std::uint32_t ParseCustomColour(std::u16string_view value) {
    const std::uint32_t red = component(value);
    const std::uint32_t green = component(value);
    const std::uint32_t blue = component(value);
    return red | green << 8 | blue << 16;
}

void LoadCustomColours(const Profile& profile, std::u16string_view iniFile, const UiStrings& strings,
                       CustomColourTable& table) {
    // Without its translated name there is no section of this language to
    // read, and the empty name would address none.
    const std::u16string section = sectionName(strings);
    if (section.empty()) return;
    std::size_t next = 0;
    for (const std::u16string& key : profile.keyNames(iniFile, section, kCustomColourKeyListChars)) {
        if (next == table.size()) break;
        table[next++] = ParseCustomColour(profile.readString(iniFile, section, key, kCustomColourValueChars));
    }
}

bool SaveCustomColours(const Profile& profile, std::u16string_view iniFile, const UiStrings& strings,
                       const CustomColourTable& table) {
    const std::u16string section = sectionName(strings);
    if (section.empty()) return false;
    bool ok = profile.deleteSection(iniFile, section);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::uint32_t c = table[i];
        const std::u16string value = DecimalText(c & 0xFF) + u',' + DecimalText(c >> 8 & 0xFF) + u',' + DecimalText(c >> 16 & 0xFF);
        ok = profile.writeString(iniFile, section, keyFor(i), value) && ok;
    }
    return ok;
}

}  // namespace wren::ui
