// The plug-in's own insert formatter for the watermark templates: a small
// subset of the message-format inserts ("%1!S!", "%2!d!", "%3"), filled
// strictly in order from an argument list. It runs twice, to measure and
// then into a buffer of exactly that size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "platform/codepage.h"

namespace wren {

// One argument of the list; the template decides which kind it wants, and
// an argument of the other kind (or none left) writes nothing.
struct InsertArgument {
    enum class Kind { Number, Text };
    Kind kind;
    std::uint32_t number = 0;
    std::string_view text;

    static InsertArgument of(std::uint32_t value) { return {Kind::Number, value, {}}; }
    static InsertArgument of(std::string_view value) { return {Kind::Text, 0, value}; }
};

// The two wide strings that "%n!S!" inserts: digit 1 the watermark text
// (escaped for a PostScript string), any other digit the font name.
struct InsertStrings {
    std::u16string_view text;
    std::u16string_view fontName;
};

// The ANSI buffer a wide string is converted into, terminator included.
inline constexpr std::size_t kInsertAnsiBytes = 265;

struct InsertInput {
    std::string_view templateBytes;
    InsertStrings strings;
    std::span<const InsertArgument> arguments;
    const CodePage& codePage;
};

// Formats into out (nothing is written when out is null) and returns the
// length of the whole result; never writes more than capacity bytes.
std::size_t formatInserts(const InsertInput& input, char* out, std::size_t capacity);

// A formatted template: length bytes and a terminating NUL.
struct FormattedText {
    std::unique_ptr<char[]> bytes;
    std::size_t length = 0;
    std::string_view view() const { return {bytes.get(), length}; }
};

// Measures, allocates length + 1 bytes and formats; nothing when the
// allocation fails.
std::optional<FormattedText> formatTemplate(const InsertInput& input);

}  // namespace wren
