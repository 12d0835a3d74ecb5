#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "fake_dialog_view.h"
#include "fakes.h"
#include "ui/dialogs/control_ranges.h"
#include "ui/dialogs/help_map.h"
#include "ui/dialogs/page_changed.h"
#include "ui/dialogs/printer_sharing.h"
#include "ui/dialogs/resource_message.h"
#include "ui/dialogs/revisit_core_page.h"
#include "ui/dialogs/warning_dialog.h"
#include "ui/dialogs/warning_store.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

using test::ControlKind;
using test::FakeDialogView;

TEST(ControlRanges, EachOperationOnTheWholeRangeOnly) {
    FakeDialogView view;
    view.addRange(10, 14);
    view.enable(12, false);  // a control the page already disabled
    view.destroy(13);        // and one that is gone

    EnableControlRange(view, 11, 12, true);
    EXPECT_TRUE(view.enabled(12));
    EnableControlRange(view, 10, 14, false);
    for (int id : {10, 11, 12, 14}) EXPECT_FALSE(view.enabled(id)) << id;

    EnableControlRange(view, 10, 14, true);
    view.enable(11, false);
    RestrictControlRange(view, 10, 12, true);
    EXPECT_TRUE(view.enabled(10));
    EXPECT_FALSE(view.enabled(11));  // never re-enabled
    RestrictControlRange(view, 10, 12, false);
    EXPECT_FALSE(view.enabled(10));
    EXPECT_TRUE(view.enabled(14));  // outside the range

    ShowControlRange(view, 10, 11, false);
    EXPECT_FALSE(view.at(10).visible);
    EXPECT_FALSE(view.enabled(10));
    ShowControlRange(view, 10, 11, true);
    EXPECT_TRUE(view.at(11).visible);
    EXPECT_TRUE(view.enabled(11));

    DestroyControlRange(view, 9, 11);
    EXPECT_FALSE(view.exists(10));
    EXPECT_FALSE(view.exists(11));
    EXPECT_TRUE(view.exists(12));
    // Missing and destroyed controls are passed over without harm.
    EnableControlRange(view, 1, 20, true);
    EXPECT_FALSE(view.exists(10));
}

TEST(ControlRanges, RangeEndingAtIntMaxEnds) {
    FakeDialogView view;
    view.add(INT_MAX);
    EnableControlRange(view, INT_MAX - 1, INT_MAX, false);
    EXPECT_FALSE(view.enabled(INT_MAX));
}

// A view that lists its controls is asked about those alone, not about
// every number of the range, and a range ends up as it would have.
TEST(ControlRanges, AListingViewIsAskedOnlyAboutItsControls) {
    class CountingView : public FakeDialogView {
    public:
        mutable int lookups = 0;
        bool exists(int id) const override {
            ++lookups;
            return FakeDialogView::exists(id);
        }
    };
    auto layout = [](FakeDialogView& view) {
        view.addRange(10, 14);
        view.add(5000);
        view.add(20000);  // outside the range
        view.enable(11, false);
        view.destroy(13);
    };
    CountingView listing, counting;
    listing.listsControls = true;
    layout(listing);
    layout(counting);

    RestrictControlRange(listing, 1, 10001, true);
    RestrictControlRange(counting, 1, 10001, true);
    EXPECT_EQ(listing.lookups, 6);  // 10 to 14, 5000 (20000 is not asked)
    EXPECT_EQ(counting.lookups, 10001);
    for (int id : {10, 11, 12, 14, 5000, 20000}) EXPECT_EQ(listing.enabled(id), counting.enabled(id)) << id;
    EXPECT_FALSE(listing.enabled(11));  // never re-enabled

    RestrictControlRange(listing, 1, 10001, false);
    for (int id : {10, 12, 14, 5000}) EXPECT_FALSE(listing.enabled(id)) << id;
    EXPECT_TRUE(listing.enabled(20000));
    EnableControlRange(listing, 12, 14, true);  // a short range, number by number
    EXPECT_TRUE(listing.enabled(12));
    EXPECT_TRUE(listing.enabled(14));
    EXPECT_FALSE(listing.enabled(10));

    // The walk survives its own action destroying controls.
    DestroyControlRange(listing, 1, 10001);
    for (int id : {10, 11, 12, 14, 5000}) EXPECT_FALSE(listing.exists(id)) << id;
    EXPECT_TRUE(listing.exists(20000));
}

TEST(ResourceMessage, TextAndCaptionFromTheTable) {
    FakeDialogView view;
    test::FakeStrings strings{{10040, u"Up to 16 watermarks."}, {10041, u"Warning"}};
    view.answers = {6};
    EXPECT_EQ(ShowResourceMessage(view, strings, 10040, 10041, kMessageWarning), 6);
    EXPECT_EQ(ShowResourceMessage(view, strings, 10040, 0, kMessageOk), 1);
    ASSERT_EQ(view.messageBoxes.size(), 2u);
    EXPECT_EQ(view.messageBoxes[0].text, u"Up to 16 watermarks.");
    EXPECT_EQ(view.messageBoxes[0].caption, u"Warning");
    EXPECT_EQ(view.messageBoxes[0].flags, kMessageWarning);
    // Caption 0: the system's own title, and no string is loaded for it.
    EXPECT_EQ(view.messageBoxes[1].caption, u"");
    EXPECT_EQ(std::count(strings.loads.begin(), strings.loads.end(), 0), 0);
}

TEST(ResourceMessage, CaptionIsCutToEightyCharacters) {
    FakeDialogView view;
    test::FakeStrings strings{{1, std::u16string(400, u'x')}, {2, std::u16string(100, u'y')}};
    ShowResourceMessage(view, strings, 1, 2, kMessageOk);
    EXPECT_EQ(view.messageBoxes[0].text.size(), 299u);
    EXPECT_EQ(view.messageBoxes[0].caption.size(), 79u);
}

constexpr std::u16string_view kIni = u"C:\\drivers\\x64\\3\\WRENUI.INI";

TEST(WarningStore, ShowsUntilTheBoxIsCleared) {
    struct Case {
        const char* ini;
        int dialogResult;
        bool shown;
        bool written;
    } cases[] = {
        {"", 1, true, false},                                // missing: shown, box kept checked
        {"", 0, true, true},                                 // missing: shown, box cleared
        {"[DisplayAllert]\nAllertFlag1=0\n", 0, true, true},
        {"[DisplayAllert]\nAllertFlag1=1\n", 0, false, false},  // silenced
        {"[DisplayAllert]\nAllertFlag2=1\n", 1, true, false},   // another warning's flag
    };
    for (const Case& c : cases) {
        test::FakeProfile profile;
        profile.addFile(std::u16string(kIni), c.ini);
        int runs = 0;
        const bool shown = ShowWarningOnce(profile, kIni, [&] { ++runs; return c.dialogResult; });
        EXPECT_EQ(shown, c.shown) << c.ini;
        EXPECT_EQ(runs, c.shown ? 1 : 0) << c.ini;
        ASSERT_EQ(profile.writes.size(), c.written ? 1u : 0u) << c.ini;
        if (c.written) {
            EXPECT_EQ(profile.writes[0].section, u"DisplayAllert");
            EXPECT_EQ(profile.writes[0].key, u"AllertFlag1");
            EXPECT_EQ(profile.writes[0].value, u"1");
            // And the next time it stays silent.
            EXPECT_FALSE(ShowWarningOnce(profile, kIni, [] { return 0; }));
        }
    }
}

TEST(WarningStore, FailedWriteShowsAgain) {
    test::FakeProfile profile;
    profile.readOnly = true;
    int runs = 0;
    auto dialog = [&] { ++runs; return 0; };
    EXPECT_TRUE(ShowWarningOnce(profile, kIni, dialog));
    EXPECT_TRUE(ShowWarningOnce(profile, kIni, dialog));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(WarningFlagKey(12), u"AllertFlag12");
}

TEST(WarningDialog, ResultSaysWhetherToShowAgain) {
    struct Case {
        bool clearBox;
        int button;
        int result;
    } cases[] = {{false, 1, 1}, {true, 1, 0}, {false, 2, 0}, {true, 2, 0}};
    for (const Case& c : cases) {
        FakeDialogView view{IDC_WARN_SHOW_AGAIN, IDC_WARN_ICON, IDC_WARN_TEXT1};
        WarningDialog dialog(view);
        dialog.initialize();
        EXPECT_TRUE(view.checked(IDC_WARN_SHOW_AGAIN));
        if (c.clearBox) view.setChecked(IDC_WARN_SHOW_AGAIN, false);
        dialog.command(IDC_WARN_SHOW_AGAIN, 0);  // the box itself ends nothing
        EXPECT_FALSE(view.endResult);
        dialog.command(c.button, 0);
        EXPECT_EQ(view.endResult, c.result);
    }
}

TEST(HelpMap, FixedRowsAndWellFormedTable) {
    EXPECT_EQ(FindHelpTopic(1), 3u);
    EXPECT_EQ(FindHelpTopic(2), 4u);
    EXPECT_EQ(FindHelpTopic(10000), 1u);
    EXPECT_FALSE(FindHelpTopic(0));
    EXPECT_FALSE(FindHelpTopic(4242));

    auto map = HelpIdentifierMap();
    ASSERT_EQ(map.size() % 2, 0u);
    ASSERT_GE(map.size(), 2u);
    EXPECT_EQ(map[map.size() - 2], 0u);  // closed by control 0
    std::set<std::uint32_t> controls;
    for (std::size_t i = 0; i + 2 < map.size(); i += 2) {
        EXPECT_NE(map[i], 0u) << "row " << i / 2 << " would end the table early";
        EXPECT_NE(map[i + 1], 0u) << map[i];
        EXPECT_TRUE(controls.insert(map[i]).second) << "control " << map[i] << " listed twice";
    }
}

TEST(HelpMap, EveryControlOfThePagesHasATopic) {
    const int ids[] = {IDC_QUALITY_GROUP, IDC_QUALITY_FINE,  IDC_TONER_LIST,   IDC_GAMMA_CHECK,  IDC_JOBTYPE_SECURE,
                       IDC_COPIES_EDIT,   IDC_COLLATE,       IDC_SCALE_EDIT,   IDC_FIT_LIST,     IDC_LOGO,
                       IDC_ABOUT_BUTTON,  IDC_LINK_TEXT,     IDC_PIN_JOB_NAME, IDC_PIN_PIN_EDIT, IDC_ADV_MIRROR,
                       IDC_ADV_JOB_SPOOL, IDC_WARN_SHOW_AGAIN};
    for (int id : ids) EXPECT_TRUE(FindHelpTopic(std::uint32_t(id))) << id;
}

TEST(HelpMap, LooksAtControlPositionsOnly) {
    // 4 is a topic (Cancel's), never a control: it must not match.
    const std::uint32_t map[] = {1, 4, 4, 9, 0, 0};
    EXPECT_EQ(FindHelpTopic(map, 4), 9u);
    const std::uint32_t topicsOnly[] = {7, 20, 0, 0};
    EXPECT_FALSE(FindHelpTopic(topicsOnly, 20));
    // An unterminated table ends at its last full pair.
    const std::uint32_t open[] = {7, 20, 8};
    EXPECT_FALSE(FindHelpTopic(open, 8));
}

struct RecordingSheet : PageSelector {
    int current = 0;
    std::vector<int> selected;
    int currentPageIndex() override { return current; }
    void selectPage(int index) override { selected.push_back(index); }
};

TEST(RevisitCorePage, OnlyWhenAllConditionsHold) {
    struct Case {
        bool writable, coreVisited, pluginChanged, revisits;
    } cases[] = {
        {false, false, true, true},
        {true, false, true, false},
        {false, true, true, false},
        {false, false, false, false},
    };
    for (const Case& c : cases) {
        UiState state;
        state.settingsWritable = c.writable;
        state.coreVisited = c.coreVisited;
        state.pluginChanged = c.pluginChanged;
        RecordingSheet sheet;
        sheet.current = 3;
        RevisitCorePage(state, sheet);
        EXPECT_EQ(sheet.selected, (c.revisits ? std::vector<int>{2, 3} : std::vector<int>{}));
    }
}

TEST(RevisitCorePage, OncePerProcess) {
    UiState state;
    state.pluginChanged = true;
    RecordingSheet sheet;
    RevisitCorePage(state, sheet);
    EXPECT_TRUE(state.coreVisited);
    // Even when a later sheet clears the visited bit, it does not come again.
    state.coreVisited = false;
    RevisitCorePage(state, sheet);
    EXPECT_EQ(sheet.selected.size(), 2u);
}

TEST(MarkPageChanged, EnablesApplyAndNotesTheChange) {
    FakeDialogView view;
    UiState state;
    MarkPageChanged(view, state);
    EXPECT_EQ(view.pageChanges, 1);
    EXPECT_TRUE(state.pluginChanged);
}

TEST(PrinterSharing, SharedOrNetworkBits) {
    test::FakeSpooler spooler;
    PrinterHandle printer = reinterpret_cast<PrinterHandle>(1);
    struct Case {
        std::uint32_t attributes, expected;
    } cases[] = {{0, 0}, {0x8, 0x8}, {0x10, 0x10}, {0x18 | 0x4 | 0x40, 0x18}, {0x4, 0}};
    for (const Case& c : cases) {
        spooler.printers[printer].details.attributes = c.attributes;
        EXPECT_EQ(IsPrinterSharedOrNetwork(spooler, printer), c.expected) << c.attributes;
    }
    EXPECT_EQ(IsPrinterSharedOrNetwork(spooler, reinterpret_cast<PrinterHandle>(2)), 0u);
}

}  // namespace
}  // namespace wren::ui
