#include "ps/encrypt/end_detector.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ps/encrypt/bmh_search.h"

namespace wren {
namespace {

// Made when the library loads, not as function-local statics: their
// thread-safe guard would leave a TLS slot behind at every unload.
const BmhPattern kEndOfJob(kEndOfJobPattern);
const BmhPattern kEndOfFile(kEndOfFilePattern);

const BmhPattern& endOfJob() { return kEndOfJob; }
const BmhPattern& endOfFile() { return kEndOfFile; }

bool inWindow(const std::uint8_t* data, std::size_t size) {
    return endOfJob().find(data, size) != BmhPattern::npos || endOfFile().find(data, size) != BmhPattern::npos;
}

// Long data: both patterns hold "EO" (at offsets 5 and 4), a pair that
// hex image data never holds and text seldom does. Comparing sixteen byte
// pairs at a time and checking around each hit costs a fraction of a
// table-driven scan, whose dependent loads cost more per byte than the
// cipher itself.
constexpr std::size_t kJobPairAt = 5;
constexpr std::size_t kFilePairAt = 4;
static_assert(kEndOfJobPattern.substr(kJobPairAt, 2) == "EO" && kEndOfFilePattern.substr(kFilePairAt, 2) == "EO");

bool matchesAround(const std::uint8_t* data, std::size_t size, std::size_t pair, std::string_view pattern,
                   std::size_t pairAt) {
    if (pair < pairAt || pair - pairAt + pattern.size() > size) return false;
    return std::memcmp(data + pair - pairAt, pattern.data(), pattern.size()) == 0;
}

bool endAtPair(const std::uint8_t* data, std::size_t size, std::size_t pair) {
    return matchesAround(data, size, pair, kEndOfJobPattern, kJobPairAt) ||
           matchesAround(data, size, pair, kEndOfFilePattern, kFilePairAt);
}

}  // namespace

bool containsEndPattern(const std::uint8_t* data, std::size_t size) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i e = _mm_set1_epi8('E');
    const __m128i o = _mm_set1_epi8('O');
    for (; i + 17 <= size; i += 16) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
        auto pairs = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(first, e), _mm_cmpeq_epi8(second, o))));
        for (; pairs != 0; pairs &= pairs - 1)
            if (endAtPair(data, size, i + static_cast<std::size_t>(__builtin_ctz(pairs)))) return true;
    }
#endif
    for (; i + 1 < size; ++i)
        if (data[i] == 'E' && data[i + 1] == 'O' && endAtPair(data, size, i)) return true;
    return false;
}

bool EndDetector::feed(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return false;
    // The history was searched when it came, and long data are searched on
    // their own: only a match across the junction is new in the window, so
    // the search there spans a pattern's length on either side of it.
    const bool longData = size > kHalf;
    const std::size_t head = longData ? kReach : size;
    std::memcpy(window_.data() + kept_, data, head);
    const std::size_t from = kept_ > kReach ? kept_ - kReach : 0;
    bool found = inWindow(window_.data() + from, kept_ + head - from);
    if (!found && longData) found = containsEndPattern(data, size);
    if (found) {
        // The job ends here; what follows belongs to the next one.
        kept_ = 0;
        return true;
    }

    if (longData) {
        std::memcpy(window_.data(), data + size - kHalf, kHalf);
        kept_ = kHalf;
    } else {
        // History and data sit side by side in the window: keep their last
        // 256 bytes.
        const std::size_t total = kept_ + size;
        const std::size_t keep = total < kHalf ? total : kHalf;
        std::memmove(window_.data(), window_.data() + total - keep, keep);
        kept_ = keep;
    }
    return false;
}

}  // namespace wren
