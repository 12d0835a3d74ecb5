// What travels through the application-info channel: the printing
// application's name, at most 60 UTF-16 characters, in a 122-byte shared
// block or one pipe message of at most 122 bytes. The other side may be an
// older or a foreign writer, so every read stays within the bytes that came
// and within the name's room, terminator or not.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wren::appinfo {

inline constexpr std::size_t kMessageBytes = 122;
inline constexpr std::size_t kNameChars = 60;

using MessageBlock = std::array<std::uint8_t, kMessageBytes>;

// The name cut to 60 characters, NUL-terminated, the rest of the block zero.
MessageBlock encodeName(std::u16string_view name);

// The name in `size` bytes of a block or message (little-endian UTF-16):
// up to its terminator, the end of the bytes, or 60 characters.
std::u16string decodeName(const std::uint8_t* bytes, std::size_t size);

}  // namespace wren::appinfo
