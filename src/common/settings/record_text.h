// Text fields of the private settings record. A record may come from a
// stored document or a foreign writer, so a field is always read within its
// own bounds, whether or not it holds a terminator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wren {

template <std::size_t N>
std::u16string readField(const char16_t (&field)[N]) {
    std::size_t n = 0;
    while (n < N && field[n] != u'\0') ++n;
    return std::u16string(field, n);
}

template <std::size_t N>
std::string readField(const char (&field)[N]) {
    std::size_t n = 0;
    while (n < N && field[n] != '\0') ++n;
    return std::string(field, n);
}

// Writes `text` cut to N - 1 units and terminated.
template <std::size_t N>
void writeField(char16_t (&field)[N], std::u16string_view text) {
    std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
    for (std::size_t i = 0; i < n; ++i) field[i] = text[i];
    field[n] = u'\0';
}

template <std::size_t N>
void writeField(char (&field)[N], std::string_view text) {
    std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
    for (std::size_t i = 0; i < n; ++i) field[i] = text[i];
    field[n] = '\0';
}

}  // namespace wren
