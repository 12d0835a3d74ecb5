// The rendering plug-in's merge over records of any content: sizes that are
// short, long or damaged, foreign signatures, unterminated strings. Record
// in is only as long as its own size says.
#include <cstring>
#include <vector>

#include "common/settings/render_devmode.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 * 8) return 0;
    PrivateRecord out;
    std::memset(&out, 0xA5, sizeof out);
    const std::size_t outBytes = std::min(size / 2, sizeof out);
    std::memcpy(&out, data, outBytes);
    const std::uint8_t* inData = data + size / 2;
    const std::size_t inSize = size - size / 2;

    std::uint32_t claimed = 0;
    std::memcpy(&claimed, inData, 4);
    const std::size_t inBytes = std::max<std::size_t>(8, std::min<std::size_t>(claimed, kRecordSize));
    std::vector<std::uint8_t> in(inBytes, 0);
    std::memcpy(in.data(), inData, std::min(inSize, inBytes));
    const bool sameSignature = reinterpret_cast<const PrivateRecord*>(in.data())->dwSignature == out.dwSignature;
    // Only the header and the bytes its size covers may be read.
    renderMerge(reinterpret_cast<const PrivateRecord*>(in.data()), &out);
    if (out.dwSize != kRecordSize || out.dwVersion != kRecordVersion) __builtin_trap();
    // A record of ours always leaves the merge within the ranges.
    if (sameSignature && (out.whiteAdjust < 0 || out.whiteAdjust > 100 || out.nupCode > 6)) __builtin_trap();
    return 0;
}
