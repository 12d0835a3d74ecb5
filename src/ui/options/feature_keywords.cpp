#include "ui/options/feature_keywords.h"

#include <algorithm>
#include <string>

#include "ui/options/installed_option_rules.h"

namespace wren::ui {
namespace {

bool startsWithRecord(std::span<const std::uint8_t> list, std::size_t at, std::string_view keyword) {
    if (list.size() - at < keyword.size() + 1) return false;
    if (!std::equal(keyword.begin(), keyword.end(), list.begin() + static_cast<std::ptrdiff_t>(at),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
        return false;
    return list[at + keyword.size()] == 0;
}

}  // namespace

std::vector<KeywordOption> KeywordOptionsFor(const InstalledOptions& o, bool newerOs) {
    const OptionRuleInputs inputs{{}, newerOs};
    std::vector<const InstalledOptionRule*> rules;
    for (const InstalledOptionRule& rule : InstalledOptionRules()) rules.push_back(&rule);
    std::sort(rules.begin(), rules.end(), [](auto* a, auto* b) { return a->keywordOrder < b->keywordOrder; });
    std::vector<KeywordOption> out;
    for (const InstalledOptionRule* rule : rules)
        if (std::optional<std::string> option = rule->option(o, inputs)) out.push_back({rule->keyword, *option});
    return out;
}

std::vector<std::uint8_t> ReplaceKeywordOption(std::span<const std::uint8_t> list, std::string_view keyword,
                                               std::string_view option) {
    std::vector<std::uint8_t> out;
    out.reserve(list.size() + option.size() + 2);
    bool recordStart = true;
    bool nulAtRecordStart = false;  // a record with an empty option is not the end
    std::size_t at = 0;
    while (at < list.size()) {
        if (recordStart && !keyword.empty() && startsWithRecord(list, at, keyword)) {
            out.insert(out.end(), list.begin() + static_cast<std::ptrdiff_t>(at),
                       list.begin() + static_cast<std::ptrdiff_t>(at + keyword.size() + 1));
            out.insert(out.end(), option.begin(), option.end());
            out.push_back(0);
            out.push_back('\n');
            at += keyword.size() + 1;
            while (at < list.size() && list[at] != '\n') ++at;
            if (at < list.size()) ++at;  // the old record's line feed
            recordStart = true;
            continue;
        }
        const std::uint8_t byte = list[at++];
        const bool closing = byte == 0 && nulAtRecordStart;
        nulAtRecordStart = byte == 0 && recordStart;
        out.push_back(byte);
        if (closing) break;
        recordStart = byte == '\n';
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> UpdateFeatureKeywords(std::span<const std::uint8_t> stored,
                                                               std::uint32_t storedSize,
                                                               std::span<const KeywordOption> replacements) {
    const std::size_t length = std::min<std::size_t>({stored.size(), storedSize, kFeatureKeywordBytes});
    std::vector<std::uint8_t> list(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(length));
    // Only the final list has to fit: a replacement that grows may be
    // followed by one that shrinks.
    for (const KeywordOption& r : replacements) list = ReplaceKeywordOption(list, r.keyword, r.option);
    if (list.size() > kFeatureKeywordBytes) return std::nullopt;
    return list;
}

}  // namespace wren::ui
