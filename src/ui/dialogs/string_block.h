// The layout of a string-table resource: strings live in blocks of 16, block
// id / 16 + 1, each entry a 16-bit length followed by that many UTF-16
// units (an empty entry is a lone 0).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace wren::ui {

inline constexpr unsigned StringBlockId(unsigned stringId) { return stringId / 16 + 1; }

// The text of `stringId` in `block`, cut to `capacity` - 1 characters (the
// caller's buffer keeps room for a terminator). Empty when the entry is
// empty or capacity is 0; nothing when the block is too short for its own
// lengths (a damaged resource is never read beyond its end).
std::optional<std::u16string> StringFromBlock(std::span<const char16_t> block, unsigned stringId,
                                              std::size_t capacity);

// LoadLocalizedString's contract over a found block: copies the text and
// a terminator into `buffer` and returns the characters copied; an empty
// or unreadable entry returns 0 and leaves the buffer untouched.
std::size_t CopyStringFromBlock(std::span<const char16_t> block, unsigned stringId, char16_t* buffer,
                                std::size_t capacity);

}  // namespace wren::ui
