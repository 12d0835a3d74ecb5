// Runs UpdateFeatureKeywords on a stored "FeatureKeyword"/"FeatureKeywordSize"
// pair, wherever the pair is kept (printer data or the PrinterDriverData key).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/options/installed_options.h"

namespace wren::ui {

struct KeywordStore {
    std::function<std::optional<std::vector<std::uint8_t>>(std::u16string_view value, std::size_t maxBytes)> read;
    std::function<bool(std::u16string_view value, const std::vector<std::uint8_t>& bytes)> writeBytes;
    std::function<bool(std::u16string_view value, std::uint32_t number)> writeNumber;
};

// False when "FeatureKeyword" cannot be read, the update was refused (it
// would outgrow its 256 bytes) or a write failed.
bool UpdateStoredKeywords(const KeywordStore& store, const InstalledOptions& options, bool newerOs);

}  // namespace wren::ui
