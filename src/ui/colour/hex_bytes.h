// Hexadecimal text to bytes, as the colour-correction tables are stored in
// the driver's colour-correction file: each pair of digits is one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wren::ui {

enum class HexStatus {
    Complete,   // every character was part of a whole pair
    Malformed,  // a pair lacked its second digit, or decoding stopped early
    TooLong,    // more pairs than the destination holds: the rest was not written
};

struct HexDecoded {
    std::size_t count = 0;  // bytes written
    HexStatus status = HexStatus::Complete;
};

// Decodes from the start of `text` until a pair whose first character is
// not a hexadecimal digit; never writes more than `capacity` bytes.
HexDecoded DecodeHexBytes(std::u16string_view text, std::uint8_t* destination, std::size_t capacity);

}  // namespace wren::ui
