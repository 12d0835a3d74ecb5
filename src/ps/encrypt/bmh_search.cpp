#include "ps/encrypt/bmh_search.h"

#include <cstring>

namespace wren {

BmhPattern::BmhPattern(std::string_view pattern) : pattern_(pattern) {
    const std::size_t m = pattern_.size();
    shift_.fill(static_cast<std::uint8_t>(m));
    for (std::size_t i = 0; i + 1 < m; ++i)
        shift_[static_cast<std::uint8_t>(pattern_[i])] = static_cast<std::uint8_t>(m - 1 - i);
}

std::size_t BmhPattern::find(const std::uint8_t* data, std::size_t size) const {
    const std::size_t m = pattern_.size();
    if (m == 0 || size < m) return npos;
    const auto* pattern = reinterpret_cast<const std::uint8_t*>(pattern_.data());
    const std::uint8_t last = pattern[m - 1];
    for (std::size_t at = 0; at + m <= size;) {
        const std::uint8_t c = data[at + m - 1];
        if (c == last && std::memcmp(data + at, pattern, m - 1) == 0) return at;
        at += shift_[c];
    }
    return npos;
}

}  // namespace wren
