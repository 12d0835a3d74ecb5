#include "ui/features/feature_tables.h"

#include <algorithm>
#include <array>

namespace wren::ui {
namespace {

using F = Feature;
using D = DeviceFeature;
constexpr Kept kNothing = Kept::Nothing;
constexpr Kept kIndex = Kept::Index;
constexpr Kept kBoth = Kept::IndexAndOption;
constexpr bool kHide = true;
constexpr bool kShow = false;
constexpr std::uint32_t kNone = kNoHelpTopic;

// DMPUB codes of the public DEVMODE roles.
constexpr std::array<RoleRow, 10> kRoles{{
    {1, F::Orientation, kIndex, kShow, RoleExtra::None},
    {2, F::Scale, kBoth, kHide, RoleExtra::None},
    {3, F::Copies, kBoth, kHide, RoleExtra::None},
    {4, std::nullopt, kIndex, kShow, RoleExtra::PaperSource},
    {5, F::PrintQuality, kBoth, kHide, RoleExtra::None},
    // The Colour page is offered only when this item exists.
    {6, F::Color, kIndex, kShow, RoleExtra::None},
    {7, F::Duplex, kIndex, kShow, RoleExtra::None},
    {9, F::FormName, kIndex, kShow, RoleExtra::PaperNames},
    {12, std::nullopt, kIndex, kShow, RoleExtra::MediaType},
    {16, F::Nup, kIndex, kShow, RoleExtra::None},
}};

// Roles the core driver handles alone; their items carry no keyword of ours.
constexpr std::array<std::uint8_t, 5> kUnmappedRoles{8, 10, 11, 13, 17};

// The core driver's mirror-output and negative-output items.
constexpr std::array<NamedRow, 2> kNamed{{
    {423, F::MirrorOutput, kBoth, kHide},
    {424, F::NegativeOutput, kBoth, kHide},
}};

constexpr std::array<KeywordRow, 59> kKeywords{{
    {"ZEOutputMode", 854, std::nullopt, F::ZEOutputMode, kBoth, kHide},
    {"ZEOutputModeBlack", 851, std::nullopt, F::ZEOutputModeBlack, kBoth, kHide},
    {"ZECollate", 807, std::nullopt, F::ZECollate, kBoth, kHide},
    {"OutputBin", 849, std::nullopt, F::OutputBin, kBoth, kHide},
    {"ZEStaple", 822, 200, F::ZEStaple, kBoth, kHide},
    {"ZEMediaType", 877, std::nullopt, std::nullopt, kNothing, kShow},
    {"ZEManualFeed", 603, std::nullopt, std::nullopt, kNothing, kShow},
    {"TraySwitch", 601, std::nullopt, std::nullopt, kNothing, kShow},
    {"ZEPageSizeCheck", 605, std::nullopt, std::nullopt, kNothing, kShow},
    {"ZEMPTPageSizeCheck", 605, std::nullopt, std::nullopt, kNothing, kShow},
    {"ZEEnvRotate", 2201, std::nullopt, std::nullopt, kNothing, kShow},
    {"ZEHDDSpool", 1204, std::nullopt, F::ZEHDDSpool, kBoth, kHide},
    {"ZEDrumClean", 1203, std::nullopt, F::ZEDrumClean, kBoth, kHide},
    {"ZEJob_Type", kNone, std::nullopt, F::ZEJob_Type, kBoth, kHide},
    {"ZEOverlay", kNone, std::nullopt, F::ZEOverlay, kBoth, kHide},
    {"ZEControl", kNone, std::nullopt, F::ZEControl, kBoth, kHide},
    {"ZESeparationorder", kNone, std::nullopt, F::ZESeparationorder, kBoth, kHide},
    {"ZEOverPrint", kNone, std::nullopt, F::ZEOverPrint, kBoth, kHide},
    {"ZEProcessMode", kNone, std::nullopt, F::ZEProcessMode, kBoth, kHide},
    {"ZEBlackSubstitution", kNone, std::nullopt, F::ZEBlackSubstitution, kBoth, kHide},
    {"ZEHalftoneMode", kNone, std::nullopt, F::ZEHalftoneMode, kBoth, kHide},
    {"ZEAlwaysPrnHT", kNone, std::nullopt, F::ZEAlwaysPrnHT, kBoth, kHide},
    {"ZESpecialColorSpace", kNone, std::nullopt, F::ZESpecialColorSpace, kBoth, kHide},
    {"ZEColorRenderStyle", kNone, std::nullopt, F::ZEColorRenderStyle, kBoth, kHide},
    {"ZEColorRenderDict", kNone, std::nullopt, F::ZEColorRenderDict, kBoth, kHide},
    {"ZETargetColor", kNone, std::nullopt, F::ZETargetColor, kBoth, kHide},
    {"ZETone", 1302, std::nullopt, std::nullopt, kNothing, kShow},
    {"ZEHairLine", kNone, std::nullopt, F::ZEHairLine, kBoth, kHide},
    {"ZEPunch", 823, std::nullopt, F::ZEPunch, kBoth, kHide},
    {"ZEBindPosition", 824, std::nullopt, F::ZEBindPosition, kBoth, kHide},
    {"ZEBlackSubGra", kNone, std::nullopt, F::ZEBlackSubGra, kBoth, kHide},
    {"ZEColorICMS", kNone, std::nullopt, F::ZEColorICMS, kBoth, kHide},
    {"ZECMYKProfile", kNone, std::nullopt, F::ZECMYKProfile, kBoth, kHide},
    {"ZERGBProfile", kNone, std::nullopt, F::ZERGBProfile, kBoth, kHide},
    {"ZECMYKInputProfile", kNone, std::nullopt, F::ZECMYKInputProfile, kBoth, kHide},
    {"ZECMYKLinkProfile", kNone, std::nullopt, F::ZECMYKLinkProfile, kBoth, kHide},
    {"ZEOutProfile", kNone, std::nullopt, F::ZEOutProfile, kBoth, kHide},
    {"ZESimProfile", kNone, std::nullopt, F::ZESimProfile, kBoth, kHide},
    {"ZEPureBlack", kNone, std::nullopt, F::ZEPureBlack, kBoth, kHide},
    {"ZEPreserveBlack", kNone, std::nullopt, F::ZEPreserveBlack, kBoth, kHide},
    {"ZEColorMatch", kNone, std::nullopt, F::ZEColorMatch, kBoth, kHide},
    {"ZEResolution", kNone, std::nullopt, F::ZEResolution, kBoth, kHide},
    {"ZEImageSmoothing", kNone, std::nullopt, F::ZEImageSmoothing, kBoth, kHide},
    {"ZETrapping", kNone, std::nullopt, F::ZETrapping, kBoth, kHide},
    {"ZEScreenSelection", kNone, std::nullopt, F::ZEScreenSelection, kBoth, kHide},
    {"ZEScreenObo", kNone, std::nullopt, F::ZEScreenObo, kBoth, kHide},
    {"ZEFITTOMPT", kNone, std::nullopt, F::ZEFITTOMPT, kBoth, kHide},
    {"ZEFITTOTRAY1", kNone, std::nullopt, F::ZEFITTOTRAY1, kBoth, kHide},
    {"ZEFITTOTRAY2", kNone, std::nullopt, F::ZEFITTOTRAY2, kBoth, kHide},
    {"ZEFITTOTRAY3", kNone, std::nullopt, F::ZEFITTOTRAY3, kBoth, kHide},
    {"ZEFITTOTRAY4", kNone, std::nullopt, F::ZEFITTOTRAY4, kBoth, kHide},
    {"ZEFITTOTRAY5", kNone, std::nullopt, F::ZEFITTOTRAY5, kBoth, kHide},
    {"ZERotateSort", kNone, std::nullopt, F::ZERotateSort, kBoth, kHide},
    {"ZESpecialColorControl", kNone, std::nullopt, F::ZESpecialColorControl, kBoth, kHide},
    {"ZESpecialColorOrder", kNone, std::nullopt, F::ZESpecialColorOrder, kBoth, kHide},
    {"ZEClearOutputMode", kNone, std::nullopt, F::ZEClearOutputMode, kBoth, kHide},
    {"ZEErrorDiffusion", kNone, std::nullopt, F::ZEErrorDiffusion, kBoth, kHide},
    {"ZEPrintBlkTxt", 430, std::nullopt, std::nullopt, kNothing, kShow},
    {"ZEBlackFinishSubGra", kNone, std::nullopt, F::ZEBlackFinishSubGra, kBoth, kHide},
}};

// The installable-option items the core driver names by string number.
// 0xFD1E is the group that holds them, shown collapsed.
constexpr std::array<DeviceNamedRow, 6> kDeviceNamed{{
    {404, D::Item404, false},
    {405, D::Item405, false},
    {440, D::Item440, false},
    {427, D::Item427, false},
    {428, D::Item428, false},
    {0xFD1E, std::nullopt, true},
}};

constexpr std::array<DeviceKeywordRow, 12> kDeviceKeywords{{
    {"ZEHDD", 2205, 3, D::ZEHDD},
    {"ZEOptionDuplex", 2204, 5, D::ZEOptionDuplex},
    {"ZEOptionTray", 2203, 6, D::ZEOptionTray},
    {"InstalledMemory", 2207, 7, D::InstalledMemory},
    {"ZEFinisher", 2206, 8, D::ZEFinisher},
    {"ZEOptionMPF", 2209, 9, D::ZEOptionMPF},
    {"ZEPunchUnit", 2211, 10, D::ZEPunchUnit},
    {"ZEJobLimit", 2212, 11, D::ZEJobLimit},
    {"ZESpecialTonerInstalled", 1812, 12, D::ZESpecialTonerInstalled},
    {"ZEOutputManagement", 1813, 13, D::ZEOutputManagement},
    {"ZEPrivatePassworCheck", kNone, 14, std::nullopt},
    {"ZEUseAccounting", 1814, 15, std::nullopt},
}};

// A row without a slot keeps nothing, and a row that keeps something names
// its slot: checked once here so the mapping need not.
constexpr bool RowsAreConsistent() {
    for (const auto& r : kKeywords) {
        if (r.keyword.empty()) return false;  // a row left over from a miscounted table
        if ((r.kept == kNothing) != !r.feature.has_value()) return false;
        if (r.hidden && r.kept == kNothing) return false;
    }
    for (const auto& r : kDeviceKeywords)
        if (r.keyword.empty() || r.userItemId == 0) return false;
    for (const auto& r : kDeviceNamed)
        if (r.nameResource == 0) return false;
    for (const auto& r : kRoles) {
        if (r.dmPubId == 0) return false;
        if (!r.feature && r.extra != RoleExtra::PaperSource && r.extra != RoleExtra::MediaType) return false;
    }
    return true;
}
static_assert(RowsAreConsistent());

}  // namespace

bool IsUnmappedRole(std::uint8_t dmPubId) {
    return std::find(kUnmappedRoles.begin(), kUnmappedRoles.end(), dmPubId) != kUnmappedRoles.end();
}

const RoleRow* FindRole(std::uint8_t dmPubId) {
    for (const auto& row : kRoles)
        if (row.dmPubId == dmPubId) return &row;
    return nullptr;
}

std::span<const NamedRow> DocumentNamedItems() { return kNamed; }
std::span<const KeywordRow> DocumentKeywords() { return kKeywords; }
std::span<const DeviceNamedRow> DeviceNamedItems() { return kDeviceNamed; }
std::span<const DeviceKeywordRow> DeviceKeywords() { return kDeviceKeywords; }

}  // namespace wren::ui
