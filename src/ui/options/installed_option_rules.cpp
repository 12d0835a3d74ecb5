#include "ui/options/installed_option_rules.h"

#include <array>

namespace wren::ui {
namespace {

using D = DeviceFeature;
using Report = InstalledOptions;
using Inputs = OptionRuleInputs;

std::string trueFalse(bool on) { return on ? "True" : "False"; }

// Items whose option 0 is "installed" and option 1 "not installed".
std::int32_t installedFirst(bool installed) { return installed ? 0 : 1; }
// Items whose option 1 is "installed".
std::int32_t installedSecond(bool installed) { return installed ? 1 : 0; }

// A newer system limits jobs by itself, so the printer's limit is off there.
bool jobsLimited(const Report& r, const Inputs& in) { return !in.newerOs && r.jobLimitationMode != 0; }

// PunchType 1..3 name the punch units; anything else is none.
std::string punchOption(std::int32_t type) {
    constexpr std::array<std::string_view, 3> kTypes{"Type1", "Type2", "Type3"};
    if (type >= 1 && type <= 3) return std::string(kTypes[static_cast<std::size_t>(type - 1)]);
    return "None";
}

constexpr std::array<std::string_view, 3> kSpotToners{"None", "White", "Clear"};

constexpr InstalledOptionRule kRules[] = {
    {D::ZEHDD, "ZEHDD",
     [](const Report& r, const Inputs&) -> std::optional<std::int32_t> { return installedFirst(r.hardDisk); },
     [](const Report& r, const Inputs&) -> std::optional<std::string> { return trueFalse(r.hardDisk); }, 6},
    {D::ZEOptionDuplex, "ZEOptionDuplex",
     [](const Report& r, const Inputs&) -> std::optional<std::int32_t> { return installedFirst(r.duplex()); },
     [](const Report& r, const Inputs&) -> std::optional<std::string> { return trueFalse(r.duplex()); }, 1},
    {D::ZEOptionTray, "ZEOptionTray",
     [](const Report& r, const Inputs&) -> std::optional<std::int32_t> { return r.trays(); },
     [](const Report& r, const Inputs&) -> std::optional<std::string> { return std::to_string(r.trays()); }, 5},
    // Memory 0 names no option: the stored record stays.
    {D::InstalledMemory, "InstalledMemory",
     [](const Report& r, const Inputs& in) -> std::optional<std::int32_t> {
         return MemorySelection(r.memoryMb, in.memoryOptionNames);
     },
     [](const Report& r, const Inputs&) -> std::optional<std::string> {
         if (r.memoryMb == 0) return std::nullopt;
         return std::to_string(r.memoryMb) + "MB";
     },
     7},
    {D::ZEFinisher, "ZEFinisher",
     [](const Report& r, const Inputs&) -> std::optional<std::int32_t> { return installedSecond(r.finisher()); },
     [](const Report& r, const Inputs&) -> std::optional<std::string> { return trueFalse(r.finisher()); }, 2},
    {D::ZEOptionMPF, "ZEOptionMPF",
     [](const Report& r, const Inputs&) -> std::optional<std::int32_t> { return installedSecond(r.mpf()); },
     [](const Report& r, const Inputs&) -> std::optional<std::string> { return trueFalse(r.mpf()); }, 0},
    {D::ZEPunchUnit, "ZEPunchUnit",
     [](const Report& r, const Inputs&) -> std::optional<std::int32_t> { return installedSecond(r.punchType != 0); },
     [](const Report& r, const Inputs&) -> std::optional<std::string> { return punchOption(r.punchType); }, 3},
    {D::ZEJobLimit, "ZEJobLimit",
     [](const Report& r, const Inputs& in) -> std::optional<std::int32_t> { return installedFirst(jobsLimited(r, in)); },
     [](const Report& r, const Inputs& in) -> std::optional<std::string> { return trueFalse(jobsLimited(r, in)); }, 4},
    // A spot colour other than 0, 1 and 2 names no option: item and record stay.
    {D::ZESpecialTonerInstalled, "ZESpecialTonerInstalled",
     [](const Report& r, const Inputs&) -> std::optional<std::int32_t> {
         if (!r.spotColorKnown()) return std::nullopt;
         return r.spotColor;
     },
     [](const Report& r, const Inputs&) -> std::optional<std::string> {
         if (!r.spotColorKnown()) return std::nullopt;
         return std::string(kSpotToners[static_cast<std::size_t>(r.spotColor)]);
     },
     8},
};
static_assert(std::size(kRules) == kOptionSelectionCount);

}  // namespace

std::span<const InstalledOptionRule> InstalledOptionRules() { return kRules; }

}  // namespace wren::ui
