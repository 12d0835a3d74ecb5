// The compression level announced in the job header, from the capability
// file's "Compression" value.
#pragma once

#include <cstdint>

namespace wren {

// Bits 8..11 select the level: 0 → 0, 1..3 → 1, 4..6 → 2, 7..9 → 3. The
// configuration files never use 10..15; those announce no compression
// rather than a level the printer was not configured for.
inline std::uint16_t compressionLevelFor(int compression) {
    static constexpr std::uint16_t kLevels[10] = {0, 1, 1, 1, 2, 2, 2, 3, 3, 3};
    unsigned n = (static_cast<unsigned>(compression) >> 8) & 15u;
    return n < 10 ? kLevels[n] : 0;
}

}  // namespace wren
