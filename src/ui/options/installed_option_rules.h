// One row per installed option the printer reports: the printer tree's
// item, the PPD keyword of the core driver's stored records, and the rule
// that turns the printer's report into the item's selection and into the
// record's option. The printer page's updates and the installer's stored
// keywords both follow this table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ui/features/feature_ids.h"
#include "ui/options/installed_options.h"

namespace wren::ui {

struct OptionRuleInputs {
    std::span<const std::u16string> memoryOptionNames;  // the InstalledMemory item's options
    bool newerOs = false;                               // major version 6 or later
};

struct InstalledOptionRule {
    DeviceFeature item;
    std::string_view keyword;
    // The item's selection for the report; nothing leaves the item alone.
    std::optional<std::int32_t> (*selection)(const InstalledOptions&, const OptionRuleInputs&);
    // The stored record's option; nothing leaves the record alone.
    std::optional<std::string> (*option)(const InstalledOptions&, const OptionRuleInputs&);
    // Where the record's replacement comes among the replacements.
    std::uint8_t keywordOrder;
};

// In the order of the selections' positions (OptionSelections).
std::span<const InstalledOptionRule> InstalledOptionRules();

}  // namespace wren::ui
