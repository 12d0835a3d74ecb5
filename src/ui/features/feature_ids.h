// The core driver's option items that the UI plug-in maps, by the role the
// pages know them by. The per-sheet context keeps one slot per feature:
// the item's position in the core driver's array (kAbsentItem when the
// printer description has no such item) and the working option.
#pragma once

#include <array>
#include <cstdint>

namespace wren::ui {

inline constexpr std::uint16_t kAbsentItem = 65535;

enum class Feature : std::uint8_t {
    // By public DEVMODE role.
    Orientation, Scale, Copies, PrintQuality, Color, Duplex, FormName, Nup,
    // By the core driver's feature number and string resource number.
    Feature25, MirrorOutput, NegativeOutput,
    // By printer-description keyword.
    ZEOutputMode, ZEOutputModeBlack, ZECollate, OutputBin, ZEStaple, ZEHDDSpool, ZEDrumClean,
    ZEJob_Type, ZEOverlay, ZEControl, ZESeparationorder, ZEOverPrint, ZEProcessMode,
    ZEBlackSubstitution, ZEHalftoneMode, ZEAlwaysPrnHT, ZESpecialColorSpace, ZEColorRenderStyle,
    ZEColorRenderDict, ZETargetColor, ZEHairLine, ZEPunch, ZEBindPosition, ZEBlackSubGra,
    ZEColorICMS, ZECMYKProfile, ZERGBProfile, ZECMYKInputProfile, ZECMYKLinkProfile, ZEOutProfile,
    ZESimProfile, ZEPureBlack, ZEPreserveBlack, ZEColorMatch, ZEResolution, ZEImageSmoothing,
    ZETrapping, ZEScreenSelection, ZEScreenObo, ZEFITTOMPT, ZEFITTOTRAY1, ZEFITTOTRAY2,
    ZEFITTOTRAY3, ZEFITTOTRAY4, ZEFITTOTRAY5, ZERotateSort, ZESpecialColorControl,
    ZESpecialColorOrder, ZEClearOutputMode, ZEErrorDiffusion, ZEBlackFinishSubGra,
    Count
};

// The document context has room for 90 items, as the stored layout of the
// pages expects; the features above use the first of them.
inline constexpr std::size_t kDocumentSlots = 90;
static_assert(static_cast<std::size_t>(Feature::Count) <= kDocumentSlots);

// Installable options of the printer tree.
enum class DeviceFeature : std::uint8_t {
    Item404, Item405, Item440, Item427, Item428,
    ZEHDD, ZEOptionDuplex, ZEOptionTray, InstalledMemory, ZEFinisher, ZEOptionMPF, ZEPunchUnit,
    ZEJobLimit, ZESpecialTonerInstalled, ZEOutputManagement,
    Count
};
inline constexpr std::size_t kDeviceSlots = 15;
static_assert(static_cast<std::size_t>(DeviceFeature::Count) <= kDeviceSlots);

struct FeatureSlot {
    std::uint16_t index = kAbsentItem;
    std::int32_t sel = 0;  // the working option
    bool present() const { return index != kAbsentItem; }
};

template <typename Key, std::size_t N>
struct FeatureSlots {
    std::array<FeatureSlot, N> slots{};
    FeatureSlot& operator[](Key k) { return slots[static_cast<std::size_t>(k)]; }
    const FeatureSlot& operator[](Key k) const { return slots[static_cast<std::size_t>(k)]; }
    bool has(Key k) const { return (*this)[k].present(); }
};

using DocumentFeatures = FeatureSlots<Feature, kDocumentSlots>;
using DeviceFeatures = FeatureSlots<DeviceFeature, kDeviceSlots>;

}  // namespace wren::ui
