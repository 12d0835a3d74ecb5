#include <gtest/gtest.h>

#include <vector>

#include "common/overlay/overlay_session.h"
#include "common/overlay/overlay_store.h"
#include "fakes.h"

namespace wren::overlay {
namespace {

using test::FakeProfile;

constexpr char16_t kIni[] = u"C:\\drv\\3\\wren.ini";

const char* const kThreeOverlays =
    "[OverlaySetting]\nOverlay_Num=3\nHistory_Num=2\nHistory 0=LETTER\nHistory 1=GRID\n"
    "[Overlay_Info 0]\nOverlay_Name=Letterhead\nPageMode=1\nCustomPage=\nForm_Num=1\nForm_Name 0=LETTER\n"
    "[Overlay_Info 1]\nOverlay_Name=Grid\nPageMode=4\nCustomPage=1,3-5,7-\nForm_Num=2\nForm_Name 0=GRID\nForm_Name 1=LOGO\n"
    "[Overlay_Info 2]\nOverlay_Name=Draft\nPageMode=0\nCustomPage=\nForm_Num=1\nForm_Name 0=DRAFT\n";

std::u16string value(const FakeProfile& p, std::u16string_view section, std::u16string_view key) {
    return p.readString(kIni, section, key, 256, u"(none)");
}

TEST(OverlayStore, LoadsTheMainSections) {
    FakeProfile profile;
    profile.addFile(kIni, kThreeOverlays);
    const OverlayList list = loadOverlayStore(profile, kIni, PendingState::NotOpened);
    ASSERT_EQ(list.definedCount, 3u);
    EXPECT_EQ(list.historyCount, 2u);
    EXPECT_EQ(list.history[1], u"GRID");
    EXPECT_EQ(list.overlays[1].name, u"Grid");
    EXPECT_EQ(list.overlays[1].pageMode, 4);
    EXPECT_EQ(list.overlays[1].customPages, u"1,3-5,7-");
    EXPECT_EQ(list.overlays[1].formCount, 2);
    EXPECT_EQ(list.overlays[1].forms[1], u"LOGO");
}

TEST(OverlayStore, HandEditedCountsAndTextsStayWithinTheListsRoom) {
    FakeProfile profile;
    std::string text = "[OverlaySetting]\nOverlay_Num=40\nHistory_Num=-3\n";
    for (int n = 0; n < 40; ++n)
        text += "[Overlay_Info " + std::to_string(n) + "]\nOverlay_Name=" + std::string(100, 'N') +
                "\nForm_Num=9\nPageMode=7\nCustomPage=" + std::string(2000, '1') + "\n";
    profile.addFile(kIni, text);
    const OverlayList list = loadOverlayStore(profile, kIni, PendingState::NotOpened);
    EXPECT_EQ(list.definedCount, kMaxOverlays);
    EXPECT_EQ(list.historyCount, 0u);
    EXPECT_EQ(list.overlays[31].name.size(), kNameChars - 1);
    EXPECT_EQ(list.overlays[31].formCount, kMaxForms);
    EXPECT_EQ(list.overlays[31].pageMode, 0) << "a page mode the store does not know prints on all pages";
    EXPECT_EQ(list.overlays[31].customPages.size(), kCustomPageChars - 1);
}

TEST(OverlayStore, WritesKeysInOrderAndCustomPagesWithoutAListAsAllPages) {
    FakeProfile profile;
    OverlayList list;
    list.definedCount = 1;
    list.historyCount = 1;
    list.history[0] = u"A";
    list.overlays[0] = {u"Empty custom", 1, {u"A", u"", u""}, 4, u""};
    ASSERT_TRUE(writeOverlayStore(profile, kIni, PendingState::EditsPending, list));
    std::vector<std::u16string> keys;
    for (const auto& w : profile.writes) keys.push_back(w.section + u"/" + w.key);
    const std::vector<std::u16string> expected = {
        u"OverlaySetting_Sv/Overlay_Num",      u"OverlaySetting_Sv/History_Num",   u"OverlaySetting_Sv/History 0",
        u"Overlay_Info_Sv 0/Overlay_Name",     u"Overlay_Info_Sv 0/PageMode",      u"Overlay_Info_Sv 0/CustomPage",
        u"Overlay_Info_Sv 0/Form_Num",         u"Overlay_Info_Sv 0/Form_Name 0"};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(value(profile, u"Overlay_Info_Sv 0", u"PageMode"), u"0");
}

class OverlaySessionTest : public ::testing::Test {
protected:
    void SetUp() override { profile.addFile(kIni, kThreeOverlays); }
    FakeProfile profile;
    std::uint16_t ids[4] = {1, 255, 255, 255};
};

TEST_F(OverlaySessionTest, DeletingOverlayOneOfThreeReachesTheMainSectionsOnlyOnApply) {
    OverlaySession session(profile, kIni, true);
    OverlayList& list = session.openDialog(ids);
    EXPECT_EQ(session.state(), PendingState::EditsPending);
    // The dialog deletes overlay 1: the others move up.
    list.overlays[1] = list.overlays[2];
    list.definedCount = 2;
    list.activeCount = 1;
    list.active[0] = 0;
    session.confirmDialog(ids);
    EXPECT_EQ(ids[0], 0);
    EXPECT_EQ(ids[1], 255);
    EXPECT_EQ(value(profile, u"OverlaySetting", u"Overlay_Num"), u"3") << "nothing is applied yet";
    EXPECT_EQ(value(profile, u"OverlaySetting_Sv", u"Overlay_Num"), u"2");
    session.applySheet();
    EXPECT_EQ(session.state(), PendingState::Opened);
    EXPECT_EQ(value(profile, u"OverlaySetting", u"Overlay_Num"), u"2");
    EXPECT_EQ(value(profile, u"Overlay_Info 1", u"Overlay_Name"), u"Draft");
    EXPECT_EQ(value(profile, u"Overlay_Info 2", u"Overlay_Name"), u"Draft") << "the old section stays, unread";
}

TEST_F(OverlaySessionTest, ConfirmingTwiceThenCancellingTheSheetLeavesTheMainSections) {
    OverlaySession session(profile, kIni, true);
    session.openDialog(ids).overlays[0].name = u"First edit";
    session.confirmDialog(ids);
    // The second opening sees the first edit again, from the pending copy.
    OverlayList& again = session.openDialog(ids);
    EXPECT_EQ(again.overlays[0].name, u"First edit");
    again.overlays[0].name = u"Second edit";
    session.confirmDialog(ids);
    // The sheet is cancelled: nobody applies.
    EXPECT_EQ(value(profile, u"Overlay_Info 0", u"Overlay_Name"), u"Letterhead");
    EXPECT_EQ(value(profile, u"Overlay_Info_Sv 0", u"Overlay_Name"), u"Second edit");
}

TEST_F(OverlaySessionTest, CancelPutsTheStateBackAsItWasBeforeTheDialog) {
    OverlaySession session(profile, kIni, true);
    session.openDialog(ids);
    session.cancelDialog();
    EXPECT_EQ(session.state(), PendingState::Opened) << "a first opening that is cancelled";
    session.openDialog(ids);
    session.confirmDialog(ids);
    session.openDialog(ids);
    session.cancelDialog();
    EXPECT_EQ(session.state(), PendingState::EditsPending) << "confirmed edits still wait";
    session.applySheet();
    EXPECT_EQ(session.state(), PendingState::Opened);
    EXPECT_EQ(session.list(), nullptr);
}

TEST_F(OverlaySessionTest, WithoutTheRightToChangeSettingsNothingIsWritten) {
    OverlaySession session(profile, kIni, false);
    OverlayList& list = session.openDialog(ids);
    list.active[list.activeCount++] = 2;
    session.confirmDialog(ids);
    session.applySheet();
    EXPECT_TRUE(profile.writes.empty());
    EXPECT_EQ(ids[1], 2) << "the active choice still reaches the job";
}

TEST_F(OverlaySessionTest, ActiveNumbersStopAtTheFirstEmptySlotAndDropThoseNamingNoOverlay) {
    struct Case {
        std::uint16_t ids[4];
        std::vector<std::uint16_t> active;
    };
    const Case cases[] = {
        {{7, 2, 255, 0}, {2}},               // 7 names no overlay; nothing after 255 counts
        {{255, 0, 0, 0}, {}},                // a fresh document's record
        {{2, 1, 0, 1}, {0, 1, 2}},           // more than the three defined: the first three
        {{1, 255, 255, 255}, {1}},
    };
    for (const Case& c : cases) {
        std::uint16_t ids[4] = {c.ids[0], c.ids[1], c.ids[2], c.ids[3]};
        OverlaySession session(profile, kIni, true);
        const OverlayList& list = session.openDialog(ids);
        EXPECT_EQ(std::vector<std::uint16_t>(list.active.begin(), list.active.begin() + list.activeCount), c.active)
            << c.ids[0] << "," << c.ids[1] << "," << c.ids[2] << "," << c.ids[3];
    }
}

}  // namespace
}  // namespace wren::overlay
