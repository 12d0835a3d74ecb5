// The end of an encrypted job over arbitrary contents and arbitrary block
// cuts: it is found in exactly the block where "@PJL EOJ" or "%%%%EOF"
// first completes in the stream since the last end.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "ps/encrypt/end_detector.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    wren::EndDetector detector;
    std::string since;  // the stream since the last end
    while (in.remaining_bytes() > 0) {
        // Mostly short cuts, some past the window's halves.
        std::size_t n = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::size_t>(0, 12)
                                         : in.ConsumeIntegralInRange<std::size_t>(0, 700);
        std::string block = in.ConsumeBytesAsString(n);
        const bool before = since.find(wren::kEndOfJobPattern) != std::string::npos ||
                            since.find(wren::kEndOfFilePattern) != std::string::npos;
        if (before) __builtin_trap();
        since += block;
        const bool expected = since.find(wren::kEndOfJobPattern) != std::string::npos ||
                              since.find(wren::kEndOfFilePattern) != std::string::npos;
        const bool found = detector.feed(reinterpret_cast<const std::uint8_t*>(block.data()), block.size());
        if (found != expected) __builtin_trap();
        if (found) since.clear();
        if (wren::containsEndPattern(reinterpret_cast<const std::uint8_t*>(block.data()), block.size()) !=
            (block.find(wren::kEndOfJobPattern) != std::string::npos ||
             block.find(wren::kEndOfFilePattern) != std::string::npos))
            __builtin_trap();
    }
    return 0;
}
