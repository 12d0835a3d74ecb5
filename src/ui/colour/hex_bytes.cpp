#include "ui/colour/hex_bytes.h"

namespace wren::ui {
namespace {

int nibble(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

}  // namespace

HexDecoded DecodeHexBytes(std::u16string_view text, std::uint8_t* destination, std::size_t capacity) {
    HexDecoded out;
    std::size_t at = 0;
    while (at < text.size()) {
        const int high = nibble(text[at]);
        if (high < 0) break;
        const int low = at + 1 < text.size() ? nibble(text[at + 1]) : -1;
        if (low < 0) {
            out.status = HexStatus::Malformed;
            return out;
        }
        if (out.count == capacity) {
            out.status = HexStatus::TooLong;
            return out;
        }
        destination[out.count++] = static_cast<std::uint8_t>(high << 4 | low);
        at += 2;
    }
    if (at < text.size()) out.status = HexStatus::Malformed;
    return out;
}

}  // namespace wren::ui
