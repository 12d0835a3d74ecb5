// UpdateFeatureKeywords over arbitrary stored bytes and sizes: the result
// never exceeds 256 bytes, never reads past what was stored, and a list
// without any known keyword is copied up to its end unchanged.
#include <cstring>

#include "ui/options/feature_keywords.h"

using namespace wren::ui;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    std::uint32_t storedSize = 0;
    std::memcpy(&storedSize, data, 4);
    InstalledOptions options;
    options.installed = data[4];
    options.hardDisk = data[5] & 1;
    options.memoryMb = (data[5] & 2) ? 256 : 0;
    options.punchType = data[5] >> 4;
    options.spotColor = (data[5] >> 2) & 3;
    // What was read is at most 256 bytes, in a buffer of exactly that size.
    const std::size_t readBytes = std::min<std::size_t>(size - 6, kFeatureKeywordBytes);
    std::vector<std::uint8_t> stored(data + 6, data + 6 + readBytes);
    const std::vector<KeywordOption> replacements = KeywordOptionsFor(options, data[5] & 0x80);
    const auto updated = UpdateFeatureKeywords(stored, storedSize, replacements);
    if (updated && updated->size() > kFeatureKeywordBytes) __builtin_trap();

    const std::vector<KeywordOption> none{{"NoSuchKeywordAnywhere", "X"}};
    const auto same = UpdateFeatureKeywords(stored, storedSize, none);
    if (!same) __builtin_trap();  // nothing replaced, nothing grows
    const std::size_t length = std::min<std::size_t>(stored.size(), storedSize);
    if (same->size() > length || !std::equal(same->begin(), same->end(), stored.begin())) __builtin_trap();
    return 0;
}
