// The one rule for text that the plug-in pastes into a PJL line from a
// record or a configuration file. A printer obeys every command that reaches
// it, so a double quote (it ends a quoted value), a control byte (CR or LF
// start a new command, ESC a new universal exit language) or a byte outside
// printable ASCII must never come from such a text. Unfit characters are
// dropped, as the UI's own dialogs drop them while the user types.
#pragma once

#include <string>
#include <string_view>

namespace wren {

// Printable ASCII (0x20..0x7E) other than the double quote.
constexpr bool isPjlTextCharacter(char32_t c) { return c >= 0x20 && c <= 0x7E && c != U'"'; }
constexpr bool isPjlDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// The text without the characters that may not appear in a PJL line.
std::string pjlText(std::string_view text);
std::u16string pjlText(std::u16string_view text);

// The PIN as the PASSWORD value carries it: its decimal digits only.
std::string pjlDigits(std::string_view text);
std::u16string pjlDigits(std::u16string_view text);

// Cleans a NUL-terminated 8-bit field of a record in place, within its
// bounds; the cleaned text is always terminated.
void cleanPjlField(char* field, std::size_t size);

}  // namespace wren
