#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fake_option_tree.h"
#include "ui/features/write_back.h"

namespace wren::ui {
namespace {

using test::FakeItem;
using test::FakeOptionTree;
using F = Feature;
using Order = std::vector<Feature>;

// ---------------------------------------------------------------------------
// One item

TEST(SetCoreItemSelection, AbsentItemIsNotTouched) {
    FakeOptionTree tree;
    tree.add(FakeItem{});
    std::int32_t option = 4;
    EXPECT_EQ(SetCoreItemSelection(tree, kAbsentItem, option, kDocumentMode), 0u);
    EXPECT_EQ(SetCoreItemSelection(tree, 1, option, kDocumentMode), 0u);  // past the tree
    EXPECT_TRUE(tree.updates.empty());
    EXPECT_EQ(option, 4);
}

TEST(SetCoreItemSelection, HiddenItemIsShownOnlyDuringTheCall) {
    FakeOptionTree tree;
    FakeItem item;
    item.sel = 1;
    item.flags = kItemHide | kItemCallback;
    const std::size_t at = tree.add(item);
    std::int32_t option = 3;
    EXPECT_EQ(SetCoreItemSelection(tree, static_cast<std::uint16_t>(at), option, kPrinterMode), 1u);
    ASSERT_EQ(tree.updates.size(), 1u);
    const auto& call = tree.updates[0];
    EXPECT_EQ(call.sel, 3);
    EXPECT_EQ(call.previous, 1);
    EXPECT_EQ(call.mode, kPrinterMode);
    EXPECT_EQ(call.flags, kItemCallback | kItemChanged);
    EXPECT_EQ(tree[at].flags, kItemHide | kItemCallback | kItemChanged);
    EXPECT_EQ(option, 3);
}

TEST(SetCoreItemSelection, ShownItemStaysShown) {
    FakeOptionTree tree;
    const std::size_t at = tree.add(FakeItem{});
    std::int32_t option = 2;
    SetCoreItemSelection(tree, static_cast<std::uint16_t>(at), option, kDocumentMode);
    EXPECT_EQ(tree.updates.at(0).flags, kItemChanged);
    EXPECT_EQ(tree[at].flags, kItemChanged);
}

TEST(SetCoreItemSelection, RefusalRestoresTheCallersOptionOnly) {
    FakeOptionTree tree;
    FakeItem item;
    item.sel = 5;
    const std::size_t at = tree.add(item);
    tree.refusing.insert(at);
    std::int32_t option = 7;
    EXPECT_EQ(SetCoreItemSelection(tree, static_cast<std::uint16_t>(at), option, kDocumentMode), 0u);
    EXPECT_EQ(option, 5);
    EXPECT_EQ(tree[at].sel, 7);
}

// ---------------------------------------------------------------------------
// The whole context

// Item i of the tree is feature i, so the call log reads as features.
struct WriteBackFixture : ::testing::Test {
    FakeOptionTree tree;
    SheetContext context;

    WriteBackFixture() {
        for (int f = 0; f < static_cast<int>(F::Count); ++f) {
            tree.add(FakeItem{});
            context.features.slots[f].index = static_cast<std::uint16_t>(f);
            context.features.slots[f].sel = 9;
        }
    }
    void drop(F f) { context[f].index = kAbsentItem; }
    Order written() const {
        Order order;
        for (std::size_t i : tree.updatedItems()) order.push_back(static_cast<F>(i));
        return order;
    }
};

const Order kStep1{F::ZEControl, F::ZESeparationorder, F::ZEOverPrint, F::ZEProcessMode,
                   F::ZEBlackSubstitution, F::ZEAlwaysPrnHT, F::ZESpecialColorSpace,
                   F::ZEColorRenderStyle, F::ZEColorRenderDict, F::ZETargetColor};
const Order kStep2Colour{F::PrintQuality, F::ZESpecialColorControl, F::ZEOutputMode, F::ZEOutputModeBlack};
const Order kStep2Black{F::ZEOutputModeBlack, F::ZEOutputMode, F::PrintQuality, F::ZESpecialColorControl};
const Order kStep3{F::Scale, F::ZEJob_Type, F::Copies};
const Order kStep4Collate{F::ZECollate, F::ZERotateSort};
const Order kStep4NoCollate{F::ZERotateSort, F::ZECollate};
const Order kStep5{F::MirrorOutput, F::NegativeOutput, F::ZEHDDSpool, F::ZEDrumClean, F::ZEHairLine,
                   F::ZEFITTOMPT, F::ZEFITTOTRAY1, F::ZEFITTOTRAY2, F::ZEFITTOTRAY3, F::ZEFITTOTRAY4,
                   F::ZEFITTOTRAY5};
const Order kStep6Finishing{F::OutputBin, F::ZEStaple, F::ZEPunch};
const Order kStep6Plain{F::ZEStaple, F::ZEPunch, F::OutputBin};
const Order kStep7{F::ZEBindPosition, F::ZEBlackSubGra, F::ZEColorICMS, F::ZECMYKProfile, F::ZERGBProfile,
                   F::ZECMYKInputProfile, F::ZECMYKLinkProfile, F::ZEOutProfile, F::ZESimProfile,
                   F::ZEPureBlack, F::ZEPreserveBlack, F::ZEColorMatch, F::ZEResolution, F::ZEScreenObo,
                   F::ZETrapping, F::ZEScreenSelection, F::ZESpecialColorOrder, F::ZEClearOutputMode,
                   F::ZEErrorDiffusion, F::ZEBlackFinishSubGra, F::ZEOverlay};
const Order kStep8{F::Feature25};

Order Join(std::initializer_list<const Order*> parts) {
    Order out;
    for (const Order* p : parts) out.insert(out.end(), p->begin(), p->end());
    return out;
}

struct BranchCase {
    const char* name;
    std::int32_t outputMode, collate, staple, punch, overlay;
    Order expected;
};

const BranchCase kBranches[] = {
    {"colour, collated, finishing", 0, 1, 1, 0, 0,
     Join({&kStep1, &kStep2Colour, &kStep3, &kStep4Collate, &kStep5, &kStep6Finishing, &kStep7})},
    {"black, uncollated, no finishing", 1, 0, 0, 0, 0,
     Join({&kStep1, &kStep2Black, &kStep3, &kStep4NoCollate, &kStep5, &kStep6Plain, &kStep7})},
    {"mode 2 counts as colour, punch alone", 2, 2, 0, 1, 0,
     Join({&kStep1, &kStep2Colour, &kStep3, &kStep4Collate, &kStep5, &kStep6Finishing, &kStep7})},
    {"overlay form sets feature 25", 0, 0, 0, 0, 2,
     Join({&kStep1, &kStep2Colour, &kStep3, &kStep4NoCollate, &kStep5, &kStep6Plain, &kStep7,
           &kStep8})},
    {"other overlay option", 0, 0, 0, 0, 1,
     Join({&kStep1, &kStep2Colour, &kStep3, &kStep4NoCollate, &kStep5, &kStep6Plain, &kStep7})},
};

TEST_F(WriteBackFixture, OrderFollowsTheWorkingOptions) {
    for (const auto& c : kBranches) {
        SCOPED_TRACE(c.name);
        tree.updates.clear();
        context[F::ZEOutputMode].sel = c.outputMode;
        context[F::ZECollate].sel = c.collate;
        context[F::ZEStaple].sel = c.staple;
        context[F::ZEPunch].sel = c.punch;
        context[F::ZEOverlay].sel = c.overlay;
        WriteBackSelections(context, tree);
        EXPECT_EQ(written(), c.expected);
        for (const auto& u : tree.updates) EXPECT_EQ(u.mode, kDocumentMode);
    }
}

TEST_F(WriteBackFixture, EachWorkingOptionReachesItsItem) {
    for (int f = 0; f < static_cast<int>(F::Count); ++f) context.features.slots[f].sel = 100 + f;
    WriteBackSelections(context, tree);
    for (const auto& u : tree.updates) EXPECT_EQ(u.sel, 100 + static_cast<int>(u.item)) << u.item;
}

TEST_F(WriteBackFixture, AbsentFeaturesAreSkipped) {
    drop(F::ZEOverPrint);
    drop(F::PrintQuality);
    drop(F::ZERotateSort);
    drop(F::ZEOverlay);
    context[F::ZEOverlay].sel = 2;  // no overlay item: feature 25 stays untouched
    WriteBackSelections(context, tree);
    const Order order = written();
    for (F f : {F::ZEOverPrint, F::PrintQuality, F::ZERotateSort, F::ZEOverlay, F::Feature25})
        EXPECT_EQ(std::count(order.begin(), order.end(), f), 0) << static_cast<int>(f);
    EXPECT_EQ(order.size(), Join({&kStep1, &kStep2Colour, &kStep3, &kStep4NoCollate, &kStep5, &kStep6Plain,
                                  &kStep7}).size() - 4);
}

TEST_F(WriteBackFixture, Feature25GoesThroughATemporary) {
    context[F::ZEOverlay].sel = 2;
    context[F::Feature25].sel = 7;
    WriteBackSelections(context, tree);
    ASSERT_EQ(written().back(), F::Feature25);
    EXPECT_EQ(tree.updates.back().sel, 2);
    EXPECT_EQ(context[F::Feature25].sel, 7);
}

TEST_F(WriteBackFixture, RefusedOptionsReturnToThePreviousSelection) {
    const auto mode = static_cast<std::size_t>(F::ZEOutputMode);
    const auto overlay = static_cast<std::size_t>(F::ZEOverlay);
    tree[mode].sel = 0;
    tree[overlay].sel = 1;
    tree.refusing = {mode, overlay};
    context[F::ZEOutputMode].sel = 1;
    context[F::ZEOverlay].sel = 2;
    WriteBackSelections(context, tree);
    EXPECT_EQ(context[F::ZEOutputMode].sel, 0);
    EXPECT_EQ(context[F::ZEOverlay].sel, 1);
    const Order order = written();
    // The black order was chosen from the option the step began with, and
    // the refused overlay no longer asks for feature 25.
    EXPECT_TRUE(std::search(order.begin(), order.end(), kStep2Black.begin(), kStep2Black.end()) != order.end());
    EXPECT_NE(order.back(), F::Feature25);
}

// ---------------------------------------------------------------------------
// What the record keeps when the sheet is applied

TEST(StoreAppliedChoices, SpecialColourSpaceNupAndOrientation) {
    FakeOptionTree tree;
    SheetContext context;
    PrivateRecord record{};
    record.nupCode = 9;
    record.orientation = 9;
    // Without the items, only the special colour rule speaks.
    for (auto [special, none] : {std::pair{0, 1}, {4, 1}, {1, 0}, {3, 0}, {-1, 0}}) {
        context[F::ZESpecialColorControl].sel = special;
        StoreAppliedChoices(context, tree, record);
        EXPECT_EQ(record.noSpecialColorSpace, std::uint32_t(none)) << special;
    }
    EXPECT_EQ(record.nupCode, 9);
    EXPECT_EQ(record.orientation, 9);
    FakeItem nup;
    nup.sel = 3;
    FakeItem orientation;
    orientation.sel = 1;
    context[F::Nup].index = static_cast<std::uint16_t>(tree.add(nup));
    context[F::Orientation].index = static_cast<std::uint16_t>(tree.add(orientation));
    StoreAppliedChoices(context, tree, record);
    EXPECT_EQ(record.nupCode, 3);
    EXPECT_EQ(record.orientation, 1);
}

}  // namespace
}  // namespace wren::ui
