#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "fake_dialog_view.h"
#include "fake_option_tree.h"
#include "fakes.h"
#include "ui/overlay/define_overlay_dialog.h"
#include "ui/overlay/overlay_ids.h"
#include "ui/overlay/overlay_list_edits.h"
#include "ui/overlay/overlay_text_rules.h"
#include "ui/overlay/overlays_dialog.h"
#include "ui/pages/control_events.h"

namespace wren::ui {
namespace {

using test::ControlKind;
using test::FakeDialogView;
namespace o = overlay;

constexpr char16_t kIni[] = u"C:\\drv\\3\\wren.ini";

std::string overlaysIni(int count) {
    std::string text = "[OverlaySetting]\nOverlay_Num=" + std::to_string(count) + "\nHistory_Num=0\n";
    for (int n = 0; n < count; ++n)
        text += "[Overlay_Info " + std::to_string(n) + "]\nOverlay_Name=O" + std::to_string(n) +
                "\nPageMode=0\nForm_Num=1\nForm_Name 0=F" + std::to_string(n) + "\n";
    return text;
}

// TEST: custom pages, the form-name filter and the history.
TEST(OverlayTextRules, CustomPagesKeepOnlyWellFormedNumbersAndRanges) {
    struct Case {
        std::u16string typed, kept;
        std::size_t removed;
    };
    const Case cases[] = {
        {u"01,3-5-7,a", u"1,3-57,", 3},  // leading zero, second dash, the letter
        {u"12345,,6--7,-8", u"1234,6-7,8", 4},  // pages 6 to 7 and page 8: no range is merged
        {u"1,3-5,7-", u"1,3-5,7-", 0},   // a range still being typed
        {u"12345", u"1234", 1},          // four digits at most
        {u"-1,,2", u"1,2", 2},           // separators only after a digit
        {u"100", u"100", 0},             // zeros inside a number stay
        {u"", u"", 0},
    };
    for (const Case& c : cases) {
        const FilteredText f = filterCustomPages(c.typed);
        EXPECT_EQ(f.text, c.kept) << std::string(c.typed.begin(), c.typed.end());
        EXPECT_EQ(f.removed, c.removed) << std::string(c.typed.begin(), c.typed.end());
    }
}

TEST(OverlayTextRules, FormNamesLoseSpacesReservedAndNonAsciiCharacters) {
    EXPECT_EQ(filterFormName(u"A(B)").text, u"AB");
    const FilteredText f = filterFormName(u"a b\"%*/:<>?[]\\{}|\u00e9~!");
    EXPECT_EQ(f.text, u"ab~!");
    EXPECT_EQ(f.removed, 16u);
}

TEST(OverlayTextRules, HistoryMovesUsedNamesToTheFrontAndKeepsTen) {
    o::OverlayList list;
    for (int i = 0; i < 10; ++i) rememberFormName(list, std::u16string(1, char16_t(u'A' + i)));
    ASSERT_EQ(list.historyCount, 10u);
    EXPECT_EQ(list.history[0], u"J");
    EXPECT_EQ(list.history[9], u"A");
    rememberFormName(list, u"C");  // known: moves, nothing dropped
    EXPECT_EQ(list.history[0], u"C");
    EXPECT_EQ(list.history[1], u"J");
    EXPECT_EQ(list.history[9], u"A");
    rememberFormName(list, u"K");  // new: the oldest goes
    EXPECT_EQ(list.historyCount, 10u);
    EXPECT_EQ(list.history[0], u"K");
    EXPECT_EQ(list.history[9], u"B");
}

TEST(OverlayListEdits, DeletingRenumbersAndDropsRemovedActiveOverlays) {
    o::OverlayList list;
    list.definedCount = 5;
    for (std::size_t n = 0; n < 5; ++n) list.overlays[n].name = std::u16string(1, char16_t(u'a' + n));
    list.activeCount = 3;
    list.active = {4, 1, 3, o::kEmptySlot};
    deleteOverlays(list, {1, 2});
    ASSERT_EQ(list.definedCount, 3u);
    EXPECT_EQ(list.overlays[0].name, u"a");
    EXPECT_EQ(list.overlays[1].name, u"d");
    EXPECT_EQ(list.overlays[2].name, u"e");
    ASSERT_EQ(list.activeCount, 2u);
    EXPECT_EQ(list.active[0], 2);  // was 4
    EXPECT_EQ(list.active[1], 1);  // was 3
    EXPECT_EQ(list.active[2], o::kEmptySlot);
}

// TEST: the two dialogs over fakes.
struct OverlayDialogsFixture : ::testing::Test {
    OverlayDialogsFixture() {
        item = tree.add(test::FakeItem::feature("ZEOverlay").withOptions({u"None", u"Use", u"Create"}));
        context[Feature::ZEOverlay].index = std::uint16_t(item);
        std::fill(std::begin(record.overlayIds), std::end(record.overlayIds), o::kEmptySlot);
        state.settingsWritable = true;
        view.add(ov::kModeList, ControlKind::Combo);
        for (int id : {ov::kActiveList, ov::kDefinedList}) view.add(id, ControlKind::Static).width = 200;
        for (int id : {ov::kActiveMax, ov::kDefinedMax}) view.add(id, ControlKind::Static);
        view.addRange(ov::kAddButton, ov::kRemoveButton, ControlKind::Button);
        view.addRange(ov::kNewButton, ov::kDeleteButton, ControlKind::Button);
    }
    void open(const std::string& ini) {
        profile.addFile(kIni, ini);
        session.emplace(profile, kIni, state.settingsWritable);
        env = std::make_unique<OverlayEnvironment>(
            OverlayEnvironment{strings, context, tree, record, state, *session, noPermission, {}, [this] { ++marks; }});
        env->runDialog = [this](int templateId) {
            if (templateId != ov::kDefineDialog || !user) return 0;
            FakeDialogView define = defineView();
            DefineOverlayDialog dialog(*env, define);
            dialog.initialize();
            user(dialog, define);
            return define.endResult.value_or(0);
        };
        dialog = std::make_unique<OverlaysDialog>(*env, view);
        dialog->initialize();
    }
    static FakeDialogView defineView() {
        FakeDialogView v;
        for (int id : {ov::kNameEdit, ov::kCustomPagesEdit}) v.add(id, ControlKind::Edit);
        for (int id : {ov::kPageModeList, ov::kFormNameBox}) v.add(id, ControlKind::Combo);
        v.add(ov::kFormList, ControlKind::Combo);
        for (int id : {ov::kFormAddButton, ov::kFormRenameButton, ov::kFormDeleteButton})
            v.add(id, ControlKind::Button);
        return v;
    }
    void selectRows(int id, std::initializer_list<int> rows) {
        for (int row = 0; row < view.reportCount(id); ++row) view.reportSelect(id, row, false);
        for (int row : rows) view.reportSelect(id, row, true);
        dialog->listEvent(id, ov::ListEvent::ItemChanged);
    }
    std::vector<std::u16string> names(int id) {
        std::vector<std::u16string> out;
        for (const auto& row : view.at(id).rows) out.push_back(row.first);
        return out;
    }
    void click(int id) { dialog->command(id, kClicked); }

    test::FakeProfile profile;
    test::FakeOptionTree tree;
    std::size_t item = 0;
    SheetContext context;
    PrivateRecord record{};
    UiState state;
    test::FakeStrings strings{{ov::kStringMaximum, u"(Max. %d)"},
                              {ov::kStringFirstPageMode, u"All Pages"},
                              {ov::kStringFirstPageMode + 4, u"Custom"},
                              {ov::kStringNewOverlay, u"New Overlay"},
                              {ov::kStringOverlayColumn, u"Overlay"},
                              {ov::kStringNoForms, u"no forms"},
                              {ov::kStringNameTaken, u"taken"},
                              {ov::kStringNoName, u"no name"},
                              {ov::kStringTrailingDot, u"dot"},
                              {ov::kStringCreateForm, u"create"},
                              {ov::kStringInformation, u"Information"}};
    std::optional<o::OverlaySession> session;
    std::unique_ptr<OverlayEnvironment> env;
    std::unique_ptr<OverlaysDialog> dialog;
    FakeDialogView view;
    int marks = 0;
    bool noPermission = false;
    std::function<void(DefineOverlayDialog&, FakeDialogView&)> user;
};

TEST_F(OverlayDialogsFixture, OpensWithListsColumnsAndMaximaAndLeavesOutTheLastModeWhenWritable) {
    record.overlayIds[0] = 2;
    record.overlayIds[1] = 7;  // names no defined overlay: dropped
    context[Feature::ZEOverlay].sel = 1;
    open(overlaysIni(3));
    EXPECT_EQ(view.at(ov::kModeList).items.size(), 2u);
    EXPECT_EQ(view.listSelection(ov::kModeList), 1);
    EXPECT_EQ(view.at(ov::kActiveList).columns[1].width, 98);
    EXPECT_EQ(view.at(ov::kDefinedList).columns[0].header, u"Overlay");
    EXPECT_EQ(view.at(ov::kActiveMax).text, u"(Max. 4)");
    EXPECT_EQ(view.at(ov::kDefinedMax).text, u"(Max. 32)");
    EXPECT_EQ(names(ov::kActiveList), std::vector<std::u16string>{u"O2"});
    EXPECT_EQ(view.at(ov::kDefinedList).rows[0].second, u"All Pages");
    EXPECT_TRUE(state.pluginChanged);
    EXPECT_FALSE(view.enabled(ov::kAddButton));
    EXPECT_FALSE(view.enabled(ov::kEditButton));
}

TEST_F(OverlayDialogsFixture, WithoutWriteRightsDefinitionsCannotBeChangedButCreateIsOffered) {
    state.settingsWritable = false;
    open(overlaysIni(2));
    EXPECT_EQ(view.at(ov::kModeList).items.size(), 3u);
    for (int id : {ov::kNewButton, ov::kEditButton, ov::kDeleteButton}) EXPECT_FALSE(view.exists(id));
    view.listSelect(ov::kModeList, 2);
    dialog->command(ov::kModeList, kSelectionChanged);
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    EXPECT_EQ(view.messageBoxes[0].text, u"create");
    EXPECT_EQ(view.messageBoxes[0].caption, u"Information");
    EXPECT_EQ(view.messageBoxes[0].flags, kMessageInfo);
    click(kIdOk);
    EXPECT_EQ(context[Feature::ZEOverlay].sel, 2);
    EXPECT_EQ(profile.writes.size(), 0u);  // nothing reaches the store
}

TEST_F(OverlayDialogsFixture, WithoutPermissionEveryControlStaysDisabled) {
    noPermission = true;
    open(overlaysIni(2));
    selectRows(ov::kDefinedList, {0});
    for (int id = ov::kModeList; id <= ov::kDeleteButton; ++id)
        if (view.has(id)) EXPECT_FALSE(view.enabled(id)) << id;
    int edits = 0;
    user = [&edits](DefineOverlayDialog&, FakeDialogView&) { ++edits; };
    dialog->listEvent(ov::kDefinedList, ov::ListEvent::DoubleClicked);
    EXPECT_EQ(edits, 0);
}

TEST_F(OverlayDialogsFixture, DoubleClickOnADefinedRowEdits) {
    open(overlaysIni(2));
    int edits = 0;
    user = [&edits](DefineOverlayDialog&, FakeDialogView& v) {
        ++edits;
        EXPECT_EQ(v.at(ov::kNameEdit).text, u"O1");
        EXPECT_EQ(v.at(ov::kFormNameBox).text, u"F1");  // the first form
    };
    dialog->listEvent(ov::kDefinedList, ov::ListEvent::DoubleClicked);  // nothing selected
    selectRows(ov::kDefinedList, {1});
    dialog->listEvent(ov::kDefinedList, ov::ListEvent::DoubleClicked);
    EXPECT_EQ(edits, 1);
}

TEST_F(OverlayDialogsFixture, AddStopsAtFourActiveAndForOverlaysAlreadyActive) {
    open(overlaysIni(6));
    selectRows(ov::kDefinedList, {0, 1, 2, 3, 4});
    EXPECT_FALSE(view.enabled(ov::kAddButton));  // five would be too many
    selectRows(ov::kDefinedList, {0, 1, 2});
    ASSERT_TRUE(view.enabled(ov::kAddButton));
    click(ov::kAddButton);
    EXPECT_EQ(names(ov::kActiveList), (std::vector<std::u16string>{u"O0", u"O1", u"O2"}));
    EXPECT_FALSE(view.reportSelected(ov::kDefinedList, 0));
    EXPECT_EQ(view.focused, ov::kNewButton);
    selectRows(ov::kDefinedList, {2});
    EXPECT_FALSE(view.enabled(ov::kAddButton));  // already active
    selectRows(ov::kDefinedList, {3});
    click(ov::kAddButton);
    selectRows(ov::kDefinedList, {4});
    EXPECT_FALSE(view.enabled(ov::kAddButton));  // four active
    EXPECT_GT(marks, 0);
}

TEST_F(OverlayDialogsFixture, FocusOnOneListClearsTheOthersSelection) {
    record.overlayIds[0] = 0;
    open(overlaysIni(2));
    selectRows(ov::kDefinedList, {1});
    view.reportSelect(ov::kActiveList, 0, true);
    dialog->listEvent(ov::kActiveList, ov::ListEvent::Focused);
    EXPECT_FALSE(view.reportSelected(ov::kDefinedList, 1));
    EXPECT_TRUE(view.enabled(ov::kRemoveButton));
    EXPECT_FALSE(view.enabled(ov::kEditButton));
}

TEST_F(OverlayDialogsFixture, NewIsDisabledAtThirtyTwo) {
    open(overlaysIni(32));
    EXPECT_FALSE(view.enabled(ov::kNewButton));
    user = [](DefineOverlayDialog&, FakeDialogView&) { FAIL() << "no 33rd overlay"; };
    dialog->command(ov::kNewButton, kClicked);
}

TEST_F(OverlayDialogsFixture, DeleteRenumbersTheActiveOverlaysAndOkWritesThePendingCopy) {
    record.overlayIds[0] = 2;
    record.overlayIds[1] = 0;
    open(overlaysIni(3));
    selectRows(ov::kDefinedList, {0});
    click(ov::kDeleteButton);
    EXPECT_EQ(names(ov::kDefinedList), (std::vector<std::u16string>{u"O1", u"O2"}));
    EXPECT_EQ(names(ov::kActiveList), std::vector<std::u16string>{u"O2"});
    click(kIdOk);
    EXPECT_EQ(view.endResult, 1);
    EXPECT_EQ(record.overlayIds[0], 1);
    EXPECT_EQ(record.overlayIds[1], o::kEmptySlot);
    EXPECT_EQ(profile.readInt(kIni, u"OverlaySetting_Sv", u"Overlay_Num", -1), 2);
    EXPECT_EQ(profile.readInt(kIni, u"OverlaySetting", u"Overlay_Num", -1), 3);
    ASSERT_FALSE(tree.updates.empty());  // the mode went back to the core driver
    EXPECT_EQ(tree.updates.back().item, item);
}

TEST_F(OverlayDialogsFixture, CancelAfterDeleteLeavesTheStoreAndTheDocument) {
    record.overlayIds[0] = 1;
    open(overlaysIni(2));
    selectRows(ov::kDefinedList, {0, 1});
    click(ov::kDeleteButton);
    click(kIdCancel);
    EXPECT_EQ(view.endResult, 0);
    EXPECT_EQ(record.overlayIds[0], 1);
    EXPECT_TRUE(profile.writes.empty());
    EXPECT_EQ(session->state(), o::PendingState::Opened);
}

TEST_F(OverlayDialogsFixture, NewOverlayWithTwoFormsOnCustomPages) {
    open(overlaysIni(0));
    user = [](DefineOverlayDialog& d, FakeDialogView& v) {
        EXPECT_EQ(v.at(ov::kNameEdit).text, u"New Overlay");
        EXPECT_FALSE(v.enabled(ov::kFormAddButton));
        v.setText(ov::kCustomPagesEdit, u"1,3-5,7-");
        d.command(ov::kCustomPagesEdit, kEditUpdate);
        EXPECT_EQ(v.listSelection(ov::kPageModeList), 4);
        for (const char16_t* form : {u"LETTER", u"GRID"}) {
            v.setText(ov::kFormNameBox, form);
            d.command(ov::kFormNameBox, ov::kComboEditChange);
            ASSERT_TRUE(v.enabled(ov::kFormAddButton));
            d.command(ov::kFormAddButton, kClicked);
        }
        EXPECT_EQ(v.listSelection(ov::kFormList), 1);
        EXPECT_TRUE(v.enabled(ov::kFormDeleteButton));
        v.setText(ov::kNameEdit, u"Letterhead");
        d.command(kIdOk, kClicked);
    };
    click(ov::kNewButton);
    ASSERT_EQ(names(ov::kDefinedList), std::vector<std::u16string>{u"Letterhead"});
    EXPECT_EQ(view.at(ov::kDefinedList).rows[0].second, u"1,3-5,7-");
    const o::OverlayList& list = *env->list;
    EXPECT_EQ(list.overlays[0].formCount, 2);
    EXPECT_EQ(list.overlays[0].forms[1], u"GRID");
    EXPECT_EQ(list.historyCount, 2u);
    EXPECT_EQ(list.history[0], u"GRID");
}

TEST_F(OverlayDialogsFixture, CustomPagesFilterBeepsOnceAndStepsTheCaretBack) {
    open(overlaysIni(1));
    selectRows(ov::kDefinedList, {0});
    user = [](DefineOverlayDialog& d, FakeDialogView& v) {
        v.setText(ov::kCustomPagesEdit, u"01,3-5-7,a");
        d.command(ov::kCustomPagesEdit, kEditUpdate);
        EXPECT_EQ(v.at(ov::kCustomPagesEdit).text, u"1,3-57,");
        EXPECT_EQ(v.beeps, 1);
        EXPECT_EQ(v.caret(ov::kCustomPagesEdit), 7);
        EXPECT_EQ(v.listSelection(ov::kPageModeList), 4);
        v.setText(ov::kCustomPagesEdit, u"");
        d.command(ov::kCustomPagesEdit, kEditUpdate);
        EXPECT_EQ(v.listSelection(ov::kPageModeList), 0);

        v.setText(ov::kFormNameBox, u"A(B)");
        d.command(ov::kFormNameBox, ov::kComboEditChange);
        EXPECT_EQ(v.at(ov::kFormNameBox).text, u"AB");
        EXPECT_EQ(v.beeps, 2);
        d.command(kIdCancel, kClicked);
    };
    click(ov::kEditButton);
    EXPECT_EQ(env->list->overlays[0].customPages, u"");  // Cancel kept the overlay
}

TEST_F(OverlayDialogsFixture, OkValidatesNameUniquenessAndFormsInOrder) {
    open(overlaysIni(2));
    selectRows(ov::kDefinedList, {1});
    user = [](DefineOverlayDialog& d, FakeDialogView& v) {
        auto lastMessage = [&v] { return v.messageBoxes.back().text; };
        v.setText(ov::kNameEdit, u"");
        d.command(kIdOk, kClicked);
        EXPECT_EQ(lastMessage(), u"no name");
        EXPECT_EQ(v.messageBoxes.back().flags, kMessageStop);
        EXPECT_TRUE(v.messageBoxes.back().caption.empty());
        v.setText(ov::kNameEdit, u"O0");
        d.command(kIdOk, kClicked);
        EXPECT_EQ(lastMessage(), u"taken");
        EXPECT_EQ(v.at(ov::kNameEdit).selectAllCount, 1);
        EXPECT_EQ(v.messageBoxes.size(), 2u);  // the forms are not checked as well
        v.setText(ov::kNameEdit, u"O1");       // its own name is fine
        v.listSelect(ov::kFormList, 0);
        d.command(ov::kFormList, kSelectionChanged);
        d.command(ov::kFormDeleteButton, kClicked);
        d.command(kIdOk, kClicked);
        EXPECT_EQ(lastMessage(), u"no forms");
        EXPECT_EQ(v.beeps, 3);
        EXPECT_FALSE(v.endResult.has_value());
        v.setText(ov::kFormNameBox, u"END.");
        d.command(ov::kFormNameBox, ov::kComboEditChange);
        d.command(ov::kFormAddButton, kClicked);
        EXPECT_EQ(lastMessage(), u"dot");
        EXPECT_EQ(v.listCount(ov::kFormList), 0);
        d.command(kIdCancel, kClicked);
    };
    click(ov::kEditButton);
}

TEST_F(OverlayDialogsFixture, RenameReplacesTheSelectedFormAndShowsTheFirst) {
    open(overlaysIni(1));
    selectRows(ov::kDefinedList, {0});
    user = [](DefineOverlayDialog& d, FakeDialogView& v) {
        v.setText(ov::kFormNameBox, u"SECOND");
        d.command(ov::kFormNameBox, ov::kComboEditChange);
        d.command(ov::kFormAddButton, kClicked);
        v.listSelect(ov::kFormList, 1);
        d.command(ov::kFormList, kSelectionChanged);
        EXPECT_FALSE(v.enabled(ov::kFormRenameButton));
        v.setText(ov::kFormNameBox, u"OTHER");
        d.command(ov::kFormNameBox, ov::kComboEditChange);
        ASSERT_TRUE(v.enabled(ov::kFormRenameButton));
        d.command(ov::kFormRenameButton, kClicked);
        EXPECT_EQ(v.at(ov::kFormList).items[1].text, u"OTHER");
        EXPECT_EQ(v.at(ov::kFormNameBox).text, u"F0");
        EXPECT_EQ(v.at(ov::kFormNameBox).items[0].text, u"OTHER");  // the history, newest first
        d.command(kIdOk, kClicked);
    };
    click(ov::kEditButton);
    EXPECT_EQ(env->list->overlays[0].forms[1], u"OTHER");
}

}  // namespace
}  // namespace wren::ui
