// The core driver's stored installable options ("FeatureKeyword"): a list of
// records, each a PPD keyword, its NUL, the chosen option, a NUL and a line
// feed, closed by a pair of NUL bytes. When a printer is installed, the
// printer's reported options replace the stored ones, so that the core
// driver starts with what the printer really has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/options/installed_options.h"

namespace wren::ui {

// What the core driver reads back: the list never grows beyond this.
inline constexpr std::size_t kFeatureKeywordBytes = 256;
inline constexpr std::u16string_view kFeatureKeywordValue = u"FeatureKeyword";
inline constexpr std::u16string_view kFeatureKeywordSizeValue = u"FeatureKeywordSize";

struct KeywordOption {
    std::string_view keyword;
    std::string option;
};

// The replacements in the order they are made. A feature without a defined
// option (memory 0, an unknown spot colour) is not in the list.
std::vector<KeywordOption> KeywordOptionsFor(const InstalledOptions& options, bool newerOs);

// One record's option replaced; the copy ends after the closing NUL pair or
// at the end of `list`. Keywords are matched at the start of a record only.
std::vector<std::uint8_t> ReplaceKeywordOption(std::span<const std::uint8_t> list, std::string_view keyword,
                                               std::string_view option);

// The whole update. `stored` is what was read (at most 256 bytes), `storedSize`
// the stored "FeatureKeywordSize"; the shorter of the two counts. Nothing when
// the result would not fit 256 bytes: the stored list then stays as it is,
// rather than being cut mid-record or written larger than it can be read back.
std::optional<std::vector<std::uint8_t>> UpdateFeatureKeywords(std::span<const std::uint8_t> stored,
                                                               std::uint32_t storedSize,
                                                               std::span<const KeywordOption> replacements);

}  // namespace wren::ui
