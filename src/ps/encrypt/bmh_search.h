// Boyer-Moore-Horspool search of a fixed byte pattern: a 256-entry table
// says how far the window may move when a given byte sits under the
// pattern's last position, so most windows are rejected after one byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wren {

class BmhPattern {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // `pattern` must outlive the object and be 1 to 255 bytes long.
    explicit BmhPattern(std::string_view pattern);

    // Offset of the first match lying wholly within the `size` bytes, or npos.
    std::size_t find(const std::uint8_t* data, std::size_t size) const;

    std::size_t size() const { return pattern_.size(); }
    std::string_view text() const { return pattern_; }

private:
    std::string_view pattern_;
    std::array<std::uint8_t, 256> shift_{};
};

}  // namespace wren
