// Finds the end of an encrypted job in the stream that is being encrypted:
// "@PJL EOJ" or "%%%%EOF" anywhere in it, also where a block boundary cuts
// the pattern. A 512-byte window joins the last 256 bytes of everything fed
// so far with the first 256 bytes of the new data; the rest of the new data
// is searched on its own. Short data fill the window with what is there and
// the history keeps the last 256 bytes of all data, not of one block, so
// no cut can hide a pattern.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wren {

inline constexpr std::string_view kEndOfJobPattern = "@PJL EOJ";
inline constexpr std::string_view kEndOfFilePattern = "%%%%EOF";
static_assert(kEndOfJobPattern.size() == 8 && kEndOfFilePattern.size() == 7);

// True when `data` holds either end pattern.
bool containsEndPattern(const std::uint8_t* data, std::size_t size);

class EndDetector {
public:
    static constexpr std::size_t kHalf = 256;
    // How far a pattern may reach over a block boundary.
    static constexpr std::size_t kReach = 7;

    // Feeds the next bytes of the job; true when an end pattern completes
    // in them (with the bytes before them). The history then starts afresh.
    bool feed(const std::uint8_t* data, std::size_t size);
    // Forgets the history, for the next job.
    void reset() { kept_ = 0; }

private:
    std::array<std::uint8_t, 2 * kHalf> window_{};
    std::size_t kept_ = 0;  // history bytes at the start of window_
};

}  // namespace wren
