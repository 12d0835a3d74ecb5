#include "ui/features/write_back.h"

#include <array>
#include <span>

namespace wren::ui {
namespace {

using F = Feature;

// A step writes one list, or one of two when its order depends on a
// working option read as the step begins.
struct WriteBackStep {
    std::span<const Feature> order;
    bool (*useAlternative)(const SheetContext&) = nullptr;
    std::span<const Feature> alternative = {};
};

constexpr std::array kColourControls{
    F::ZEControl, F::ZESeparationorder, F::ZEOverPrint, F::ZEProcessMode, F::ZEBlackSubstitution,
    F::ZEAlwaysPrnHT, F::ZESpecialColorSpace, F::ZEColorRenderStyle, F::ZEColorRenderDict, F::ZETargetColor,
};

// The output-mode group's order depends on the chosen mode, so that the
// core driver settles conflicts inside the group in favour of that mode.
constexpr std::array kOutputModeColour{F::PrintQuality, F::ZESpecialColorControl, F::ZEOutputMode,
                                       F::ZEOutputModeBlack};
constexpr std::array kOutputModeBlack{F::ZEOutputModeBlack, F::ZEOutputMode, F::PrintQuality,
                                      F::ZESpecialColorControl};
bool OutputModeIsBlack(const SheetContext& c) { return c[F::ZEOutputMode].sel == 1; }

constexpr std::array kJobBasics{F::Scale, F::ZEJob_Type, F::Copies};

// Rotate-sort only makes sense with collation: collation on is written
// before rotate-sort, collation off after it.
constexpr std::array kCollateFirst{F::ZECollate, F::ZERotateSort};
constexpr std::array kRotateSortFirst{F::ZERotateSort, F::ZECollate};
bool CollateIsOff(const SheetContext& c) { return c[F::ZECollate].sel == 0; }

constexpr std::array kPrintAids{
    F::MirrorOutput, F::NegativeOutput, F::ZEHDDSpool, F::ZEDrumClean, F::ZEHairLine, F::ZEFITTOMPT,
    F::ZEFITTOTRAY1, F::ZEFITTOTRAY2, F::ZEFITTOTRAY3, F::ZEFITTOTRAY4, F::ZEFITTOTRAY5,
};

// Finishing and the output bin constrain each other: the bin goes first
// when stapling or punching is asked for, last when both are off.
constexpr std::array kBinFirst{F::OutputBin, F::ZEStaple, F::ZEPunch};
constexpr std::array kBinLast{F::ZEStaple, F::ZEPunch, F::OutputBin};
bool FinishingIsOff(const SheetContext& c) { return c[F::ZEStaple].sel == 0 && c[F::ZEPunch].sel == 0; }

constexpr std::array kColourAndRest{
    F::ZEBindPosition, F::ZEBlackSubGra, F::ZEColorICMS, F::ZECMYKProfile, F::ZERGBProfile,
    F::ZECMYKInputProfile, F::ZECMYKLinkProfile, F::ZEOutProfile, F::ZESimProfile, F::ZEPureBlack,
    F::ZEPreserveBlack, F::ZEColorMatch, F::ZEResolution, F::ZEScreenObo, F::ZETrapping,
    F::ZEScreenSelection, F::ZESpecialColorOrder, F::ZEClearOutputMode, F::ZEErrorDiffusion,
    F::ZEBlackFinishSubGra, F::ZEOverlay,
};

const std::array<WriteBackStep, 7> kSteps{{
    {kColourControls},
    {kOutputModeColour, OutputModeIsBlack, kOutputModeBlack},
    {kJobBasics},
    {kCollateFirst, CollateIsOff, kRotateSortFirst},
    {kPrintAids},
    {kBinFirst, FinishingIsOff, kBinLast},
    {kColourAndRest},
}};

// An overlay form of this option needs the core driver's feature 25 at the
// same option.
constexpr std::int32_t kOverlayFormOption = 2;

}  // namespace

std::uint32_t SetCoreItemSelection(OptionTree& tree, std::uint16_t itemIndex, std::int32_t& option,
                                   std::uint32_t mode) {
    if (itemIndex == kAbsentItem || itemIndex >= tree.size()) return 0;
    const std::int32_t previous = tree.sel(itemIndex);
    const bool wasHidden = (tree.flags(itemIndex) & kItemHide) != 0;
    if (wasHidden) tree.setFlags(itemIndex, tree.flags(itemIndex) & ~kItemHide);
    tree.setSel(itemIndex, option);
    tree.setFlags(itemIndex, tree.flags(itemIndex) | kItemChanged);
    const std::uint32_t result = tree.updateSetting(itemIndex, previous, mode);
    if (wasHidden) tree.setFlags(itemIndex, tree.flags(itemIndex) | kItemHide);
    if (result == 0) option = previous;
    return result;
}

void WriteBackSelections(SheetContext& context, OptionTree& tree) {
    for (const WriteBackStep& step : kSteps) {
        const bool alternative = step.useAlternative && step.useAlternative(context);
        for (Feature f : alternative ? step.alternative : step.order) {
            FeatureSlot& slot = context[f];
            if (slot.present()) SetCoreItemSelection(tree, slot.index, slot.sel, kDocumentMode);
        }
    }
    if (context.has(F::ZEOverlay) && context[F::ZEOverlay].sel == kOverlayFormOption) {
        std::int32_t option = kOverlayFormOption;  // the context keeps no option for feature 25
        SetCoreItemSelection(tree, context[F::Feature25].index, option, kDocumentMode);
    }
}

void StoreAppliedChoices(const SheetContext& context, const OptionTree& tree, PrivateRecord& record) {
    const std::int32_t special = context[Feature::ZESpecialColorControl].sel;
    record.noSpecialColorSpace = (special == 0 || special == 4) ? 1 : 0;
    if (context.has(Feature::Nup)) record.nupCode = static_cast<std::uint8_t>(tree.sel(context[Feature::Nup].index));
    if (context.has(Feature::Orientation))
        record.orientation = static_cast<std::uint8_t>(tree.sel(context[Feature::Orientation].index));
}

}  // namespace wren::ui
