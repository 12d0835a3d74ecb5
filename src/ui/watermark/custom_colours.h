// The colour chooser's 16 custom colours. The table lives for the process;
// the INI file keeps one set per user-interface language, in a section
// whose name is the language's own translation of "Custom Color".
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/profile.h"
#include "ui/dialogs/ui_strings.h"
#include "ui/watermark/watermark_record.h"

namespace wren::ui {

using CustomColourTable = std::array<std::uint32_t, 16>;

inline CustomColourTable InitialCustomColours() {
    CustomColourTable table;
    table.fill(kLightGrey);
    return table;
}

inline constexpr std::size_t kCustomColourKeyListChars = 1024;
inline constexpr std::size_t kCustomColourValueChars = 64;

// "red,green,blue": each number after leading blanks with an optional sign,
// its low 8 bits; a missing number is 0. The result is 0x00BBGGRR.
std::uint32_t ParseCustomColour(std::u16string_view value);

// The keys in file order, at most 16, fill the table from its start;
// entries not read keep their values.
void LoadCustomColours(const Profile& profile, std::u16string_view iniFile, const UiStrings& strings,
                       CustomColourTable& table);
// The section replaced by "Color0".."Color15".
bool SaveCustomColours(const Profile& profile, std::u16string_view iniFile, const UiStrings& strings,
                       const CustomColourTable& table);

}  // namespace wren::ui
