// Port: the platform's 8-bit text conversions. Printer output and the
// printer-family libraries take 8-bit text: the system (ANSI) code page for
// names, or the C runtime's current locale where the job name and PIN go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wren {

class CodePage {
public:
    virtual ~CodePage() = default;
    // System code page; at most maxBytes - 1 bytes (room for the terminator).
    virtual std::string toAnsi(std::u16string_view text, std::size_t maxBytes) const = 0;
    // System code page to UTF-16, at most maxChars characters (what 8-bit
    // file names from another library are written in).
    virtual std::u16string fromAnsi(std::string_view text, std::size_t maxChars) const = 0;
    // The runtime's locale conversion (wcstombs); at most maxBytes - 1 bytes.
    virtual std::string toLocale(std::u16string_view text, std::size_t maxBytes) const = 0;
    // The user's default locale (the application-info channel: the printing
    // application's name is 8-bit in that locale on both sides).
    // 8-bit to UTF-16, at most maxChars characters; and back, at most
    // maxBytes - 1 bytes without splitting a character.
    virtual std::u16string fromUserLocale(std::string_view text, std::size_t maxChars) const = 0;
    virtual std::string toUserLocale(std::u16string_view text, std::size_t maxBytes) const = 0;
    virtual bool isLeadByte(std::uint8_t byte) const = 0;
    // True when lead + trail is a character of the system code page.
    virtual bool isValidPair(std::uint8_t lead, std::uint8_t trail) const = 0;
};

}  // namespace wren
