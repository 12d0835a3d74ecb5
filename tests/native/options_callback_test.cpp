// The printer tree's callback: which reason does what, and the
// apply-pending flag between Apply and the next page activation.
#include <gtest/gtest.h>

#include "fake_option_tree.h"
#include "ui/features/feature_mapping.h"
#include "ui/options/device_callback.h"

namespace wren::ui {
namespace {

using test::FakeItem;
using test::FakeOptionTree;

class FakeServices : public DeviceCallbackServices {
public:
    std::optional<InstalledOptions> button, activation;
    bool queryable = true;
    int buttonQueries = 0, activationQueries = 0;
    std::vector<std::uint32_t> stored;
    std::optional<InstalledOptions> queryFromButton() override { return ++buttonQueries, button; }
    std::optional<InstalledOptions> queryOnActivation() override { return ++activationQueries, activation; }
    bool portIsQueryable() override { return queryable; }
    void storeButtonValue(std::uint32_t v) override { stored.push_back(v); }
};

class DeviceCallbackTest : public ::testing::Test {
protected:
    void SetUp() override {
        hdd = tree.add(FakeItem::feature("ZEHDD", 0).withOptions({u"Installed", u"Not Installed"}));
        duplex = tree.add(FakeItem::feature("ZEOptionDuplex", 1).withOptions({u"Installed", u"Not Installed"}));
        memory = tree.add(FakeItem::feature("InstalledMemory", 1).withOptions({u"256 MB", u"512 MB", u"1024 MB"}));
        jobLimit = tree.add(FakeItem::feature("ZEJobLimit", 0).withOptions({u"On", u"Off"}));
        toner = tree.add(FakeItem::feature("ZESpecialTonerInstalled", 0).withOptions({u"None", u"White", u"Clear"}));
        tray = tree.add(FakeItem::feature("ZEOptionTray", 0).withOptions({u"0", u"1", u"2"}));
        MapDeviceFeatures(context, tree, u"help.chm");
        reported.installed = 0x0A;  // four trays: more than the item offers
        reported.hardDisk = true;
        reported.memoryMb = 256;
        reported.spotColor = 2;
    }
    std::int32_t run(std::uint32_t reason, std::uint8_t item = 0, bool newerOs = true, bool standardUiAsked = false) {
        DeviceCallbackCall call{reason, item, standardUiAsked, newerOs};
        return RunDeviceCallback(call, button, context, tree, services, state);
    }
    FakeOptionTree tree;
    DeviceContext context;
    FakeServices services;
    DeviceCallbackState state;
    QueryButton button;
    InstalledOptions reported;
    std::size_t hdd = 0, duplex = 0, memory = 0, jobLimit = 0, toner = 0, tray = 0;
};

TEST_F(DeviceCallbackTest, TheButtonAppliesWhatThePrinterReportsInPrinterMode) {
    services.button = reported;
    EXPECT_EQ(run(kReasonSelChanged, kQueryButtonUserItemId), kActionOptionsChanged);
    EXPECT_EQ(tree[hdd].sel, 0);
    EXPECT_EQ(tree[duplex].sel, 1);   // bit 5 clear
    EXPECT_EQ(tree[memory].sel, 0);   // "256 MB"
    EXPECT_EQ(tree[jobLimit].sel, 1); // off on a newer system
    EXPECT_EQ(tree[toner].sel, 2);
    EXPECT_EQ(tree[tray].sel, 0);     // 4 is not an option of the item: left alone
    for (const auto& u : tree.updates) EXPECT_EQ(u.mode, kPrinterMode);
    EXPECT_EQ(tree.updates.size(), 5u);
}

TEST_F(DeviceCallbackTest, AFailedQueryChangesNothingButStillAsksForARefresh) {
    EXPECT_EQ(run(kReasonSelChanged, kQueryButtonUserItemId), kActionOptionsChanged);
    EXPECT_TRUE(tree.updates.empty());
}

TEST_F(DeviceCallbackTest, JobLimitSnapsBackUnlessAnOlderSystemsStandardUiWasAskedAway) {
    tree[jobLimit].sel = 0;
    EXPECT_EQ(run(kReasonSelChanged, kJobLimitUserItemId, /*newerOs=*/false, /*standardUiAsked=*/true), kActionNone);
    EXPECT_TRUE(tree.updates.empty());
    struct Case { bool newerOs, asked; };
    for (const Case c : {Case{true, true}, Case{true, false}, Case{false, false}}) {
        tree[jobLimit].sel = 0;
        tree.updates.clear();
        EXPECT_EQ(run(kReasonSelChanged, kJobLimitUserItemId, c.newerOs, c.asked), kActionOptionsChanged);
        EXPECT_EQ(tree[jobLimit].sel, 1);
        ASSERT_EQ(tree.updates.size(), 1u);
        EXPECT_EQ(tree.updates[0].mode, kPrinterMode);
    }
}

TEST_F(DeviceCallbackTest, OtherItemsAndReasonsDoNothing) {
    EXPECT_EQ(run(kReasonSelChanged, 5), kActionNone);
    EXPECT_EQ(run(99), kActionNone);
    EXPECT_EQ(services.buttonQueries + services.activationQueries, 0);
}

TEST_F(DeviceCallbackTest, FocusOnTheButtonDisablesItWhenThePortCannotBeAsked) {
    services.queryable = false;
    EXPECT_EQ(run(kReasonOptItemSetFocus, kQueryButtonUserItemId), kActionNone);
    EXPECT_EQ(button.flags, kItemDisabled | kItemChanged);
    services.queryable = true;
    button.flags = kItemDisabled;
    run(kReasonOptItemSetFocus, kQueryButtonUserItemId);
    EXPECT_EQ(button.flags, kItemChanged);
}

TEST_F(DeviceCallbackTest, ApplyStoresTheButtonAndKeepsTheNextActivationFromAsking) {
    services.activation = reported;
    button.sel = 7;
    EXPECT_EQ(run(kReasonApplyNow), kActionNone);
    EXPECT_EQ(services.stored, std::vector<std::uint32_t>{7});
    EXPECT_TRUE(state.applyPending);

    EXPECT_EQ(run(kReasonSetActive), kActionNone);  // just applied: not asked again
    EXPECT_EQ(services.activationQueries, 0);
    EXPECT_FALSE(state.applyPending);

    EXPECT_EQ(run(kReasonSetActive), kActionOptionsChanged);  // the next activation asks
    EXPECT_EQ(services.activationQueries, 1);
    EXPECT_EQ(tree[memory].sel, 0);
}

TEST_F(DeviceCallbackTest, ActivationAsksOnlyOnNewerSystemsAndReportsFailure) {
    services.activation = reported;
    EXPECT_EQ(run(kReasonSetActive, 0, /*newerOs=*/false), kActionNone);
    EXPECT_EQ(services.activationQueries, 0);
    services.activation.reset();
    EXPECT_EQ(run(kReasonSetActive), kActionNone);
    EXPECT_EQ(services.activationQueries, 1);
    EXPECT_TRUE(tree.updates.empty());
}

TEST_F(DeviceCallbackTest, ARefusedUpdateKeepsTheWorkingOptionAtThePreviousOne) {
    services.button = reported;
    tree.refusing.insert(memory);
    run(kReasonSelChanged, kQueryButtonUserItemId);
    EXPECT_EQ(context[DeviceFeature::InstalledMemory].sel, 1);
}

// The core driver resolves its constraints at every update, so the updates
// follow the tree's own order of items, not the order of the selections,
// from the button and from the page's activation alike.
TEST(DeviceCallbackOrder, UpdatesFollowThePrinterTreesOrderOfItems) {
    const char* const treeOrder[] = {"ZEJobLimit", "InstalledMemory", "ZESpecialTonerInstalled", "ZEHDD",
                                     "ZEOptionTray", "ZEPunchUnit", "ZEOptionDuplex", "ZEFinisher", "ZEOptionMPF"};
    for (std::uint32_t reason : {kReasonSelChanged, kReasonSetActive}) {
        FakeOptionTree tree;
        for (const char* keyword : treeOrder)
            tree.add(FakeItem::feature(keyword, 1).withOptions({u"256 MB", u"512 MB", u"1024 MB"}));
        DeviceContext context;
        MapDeviceFeatures(context, tree, u"help.chm");
        FakeServices services;
        InstalledOptions everything;
        everything.installed = 0xFFFF;
        everything.hardDisk = true;
        everything.memoryMb = 512;
        everything.spotColor = 1;
        services.button = services.activation = everything;
        DeviceCallbackState state;
        QueryButton button;
        const std::uint8_t item = reason == kReasonSelChanged ? kQueryButtonUserItemId : 0;
        RunDeviceCallback(DeviceCallbackCall{reason, item, false, true}, button, context, tree, services, state);
        ASSERT_GE(tree.updates.size(), 2u) << "reason " << reason;
        for (std::size_t i = 1; i < tree.updates.size(); ++i)
            EXPECT_LT(tree.updates[i - 1].item, tree.updates[i].item) << "reason " << reason << ", update " << i;
    }
}

}  // namespace
}  // namespace wren::ui
