#include "ui/options/keyword_store.h"

#include "ui/options/feature_keywords.h"

namespace wren::ui {

bool UpdateStoredKeywords(const KeywordStore& store, const InstalledOptions& options, bool newerOs) {
    const std::optional<std::vector<std::uint8_t>> list = store.read(kFeatureKeywordValue, kFeatureKeywordBytes);
    if (!list) return false;
    // Without a stored size, the bytes read are the list.
    std::uint32_t size = static_cast<std::uint32_t>(list->size());
    if (const auto stored = store.read(kFeatureKeywordSizeValue, sizeof(std::uint32_t));
        stored && stored->size() == sizeof(std::uint32_t))
        size = static_cast<std::uint32_t>((*stored)[0]) | static_cast<std::uint32_t>((*stored)[1]) << 8 |
               static_cast<std::uint32_t>((*stored)[2]) << 16 | static_cast<std::uint32_t>((*stored)[3]) << 24;
    const std::vector<KeywordOption> replacements = KeywordOptionsFor(options, newerOs);
    const std::optional<std::vector<std::uint8_t>> updated = UpdateFeatureKeywords(*list, size, replacements);
    if (!updated) return false;
    const bool sized = store.writeNumber(kFeatureKeywordSizeValue, static_cast<std::uint32_t>(updated->size()));
    return store.writeBytes(kFeatureKeywordValue, *updated) && sized;
}

}  // namespace wren::ui
