#include "ps/pjl/pjl_text.h"

#include <type_traits>

namespace wren {
namespace {

template <typename Text>
std::basic_string<typename Text::value_type> keepOnly(Text text, bool (*keep)(char32_t)) {
    std::basic_string<typename Text::value_type> out;
    out.reserve(text.size());
    for (auto c : text) {
        // Through the unsigned type first: a byte from 0x80 must not turn
        // into a negative code that the tests would misread.
        const auto code = static_cast<char32_t>(static_cast<std::make_unsigned_t<typename Text::value_type>>(c));
        if (keep(code)) out.push_back(c);
    }
    return out;
}

bool textCharacter(char32_t c) { return isPjlTextCharacter(c); }
bool digit(char32_t c) { return isPjlDigit(c); }

}  // namespace

std::string pjlText(std::string_view text) { return keepOnly(text, textCharacter); }
std::u16string pjlText(std::u16string_view text) { return keepOnly(text, textCharacter); }
std::string pjlDigits(std::string_view text) { return keepOnly(text, digit); }
std::u16string pjlDigits(std::u16string_view text) { return keepOnly(text, digit); }

void cleanPjlField(char* field, std::size_t size) {
    if (size == 0) return;
    std::size_t length = 0;
    while (length < size - 1 && field[length] != '\0') ++length;
    const std::string clean = pjlText(std::string_view(field, length));
    std::size_t i = 0;
    for (; i < clean.size(); ++i) field[i] = clean[i];
    // The bytes the cleaning freed are cleared too: the library gets the
    // field as a whole and must not find the dropped text behind the end.
    for (; i < size; ++i) field[i] = '\0';
}

}  // namespace wren
