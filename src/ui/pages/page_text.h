// Small text rules the pages share: filtering typed characters, reading a
// feature's option keyword, and the %d formats of the string table.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/driver_settings.h"

namespace wren::ui {

struct FilteredText {
    std::u16string text;
    std::size_t removed = 0;
};

// Keeps the characters `keep` accepts.
template <typename Keep>
FilteredText filterText(std::u16string_view text, Keep keep) {
    FilteredText out;
    for (char16_t c : text) {
        if (keep(c)) out.text.push_back(c);
        else ++out.removed;
    }
    return out;
}

inline bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The option keyword of a printer-description feature as the core driver
// reports it now (read within its 64-byte buffer); empty when it cannot say.
std::string featureOption(const DriverSettings& settings, const char* keyword);

// Fills the %d conversions of a string-table format in order; "%%" is "%".
std::u16string formatNumbers(std::u16string_view format, std::initializer_list<long> values);

// A whole decimal number of digits only; false for anything else or more
// than nine digits.
bool parseWholeNumber(std::u16string_view text, long& value);

std::u16string asciiToU16(std::string_view text);

}  // namespace wren::ui
