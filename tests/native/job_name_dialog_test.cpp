#include "ps/dialogs/job_name_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <span>
#include <vector>

#include "common/settings/record_text.h"
#include "fake_dialog_view.h"
#include "ui/dialogs/dialog_language.h"

namespace wren::ps {
namespace {

using test::ControlKind;
using test::FakeDialogView;
using test::FakeStrings;

// The languages wrenps.rc carries dialog 103 in, in resource order.
constexpr std::uint16_t kShippedLanguages[] = {1028, 1031, 1034, 1036, 1040, 1041, 1042, 1046, 2052, 2057};

std::uint16_t JobNameDialogLanguage(std::span<const std::uint16_t> languages, std::uint16_t user) {
    return ui::FindBestDialogLanguage(languages, user);
}

constexpr int kEditUpdate = 0x0400;  // EN_UPDATE
constexpr int kEditChange = 0x0300;  // EN_CHANGE
constexpr int kEditSetFocus = 0x0100;

class JobNameDialogTest : public ::testing::Test {
protected:
    JobNameDialogTest() {
        std::memset(&record, 0, sizeof record);
        view.add(kJobNameEdit);
        view.add(1, ControlKind::Button);
    }
    // The user leaves `text` in the field with the caret at `caret`.
    void type(std::u16string_view text, int caret) {
        view.at(kJobNameEdit).text = std::u16string(text);
        view.at(kJobNameEdit).caret = caret;
        dialog.command(kJobNameEdit, kEditUpdate);
    }

    PrivateRecord record;
    FakeDialogView view;
    FakeStrings strings{{kStringInputJobName, u"Input Job Name"}};
    JobNameDialog dialog{view, strings, record};
};

TEST_F(JobNameDialogTest, OpensWithTheRecordsNameAndTheLimit) {
    writeField(record.jobName, u"Report");
    dialog.initialize();
    EXPECT_EQ(view.at(kJobNameEdit).textLimit, 16);
    EXPECT_EQ(view.at(kJobNameEdit).text, u"Report");
}

TEST_F(JobNameDialogTest, AnUnterminatedNameIsReadWithinItsField) {
    for (char16_t& c : record.jobName) c = u'x';
    dialog.initialize();
    EXPECT_EQ(view.at(kJobNameEdit).text, std::u16string(16, u'x'));
}

TEST_F(JobNameDialogTest, TypedTextIsFilteredWithOneBeep) {
    struct Case {
        std::u16string typed;
        int caret;
        std::u16string kept;
        int caretAfter;
        int beeps;
    };
    const std::vector<Case> cases = {
        {u"Report", 6, u"Report", 6, 0},                 // nothing to remove: left alone
        {u"Rep\"ort", 4, u"Report", 3, 1},               // a double quote
        {u"Re\u00e9port", 3, u"Report", 2, 1},           // a non-ASCII letter
        {u"\"\u65e5\u672c\"ab", 4, u"ab", 0, 1},         // several removed, one beep
        {u"\"\"\"a", 1, u"a", 0, 1},                     // caret would go negative: 0
        {u"ab~ \x7f", 5, u"ab~ \x7f", 5, 0},             // all ASCII but the quote stays
    };
    for (const Case& c : cases) {
        view.beeps = 0;
        type(c.typed, c.caret);
        EXPECT_EQ(view.at(kJobNameEdit).text, c.kept) << c.caret;
        EXPECT_EQ(view.at(kJobNameEdit).caret, c.caretAfter) << c.caret;
        EXPECT_EQ(view.beeps, c.beeps) << c.caret;
    }
}

TEST_F(JobNameDialogTest, EveryEditNotificationDetachesTheInputMethodButOnlyUpdatesFilter) {
    for (int notification : {kEditSetFocus, kEditChange}) {
        view.at(kJobNameEdit).inputMethodDetached = false;
        view.at(kJobNameEdit).text = u"a\"b";
        dialog.command(kJobNameEdit, notification);
        EXPECT_TRUE(view.at(kJobNameEdit).inputMethodDetached) << notification;
        EXPECT_EQ(view.at(kJobNameEdit).text, u"a\"b") << notification;
    }
    EXPECT_EQ(view.beeps, 0);
}

TEST_F(JobNameDialogTest, EmptyOkShowsTheMessageAndKeepsTheDialogOpen) {
    writeField(record.jobName, u"Old");
    dialog.command(1, 0);
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    EXPECT_EQ(view.messageBoxes[0].text, u"Input Job Name");
    EXPECT_EQ(view.messageBoxes[0].caption, u"");
    EXPECT_EQ(view.messageBoxes[0].flags, 0x10u);  // MB_ICONHAND
    EXPECT_EQ(view.focused, kJobNameEdit);
    EXPECT_FALSE(view.endResult.has_value());
    EXPECT_EQ(readField(record.jobName), u"Old");
    EXPECT_EQ(strings.loads, std::vector<int>{kStringInputJobName});
}

TEST_F(JobNameDialogTest, OkStoresAtMostSixteenCharactersAndEnds) {
    view.at(kJobNameEdit).text = u"ABCDEFGHIJKLMNOPQRS";  // set past the limit
    dialog.command(1, 0);
    EXPECT_EQ(readField(record.jobName), u"ABCDEFGHIJKLMNOP");
    EXPECT_EQ(record.jobName[16], u'\0');
    EXPECT_EQ(view.endResult, 1);
    EXPECT_TRUE(view.messageBoxes.empty());
}

TEST_F(JobNameDialogTest, OtherButtonsDoNothing) {
    dialog.command(2, 0);  // there is no cancel button; Esc must not end the job's prompt
    EXPECT_FALSE(view.endResult.has_value());
    EXPECT_TRUE(view.messageBoxes.empty());
}

TEST(JobNameDialogLanguage, PicksAmongTheShippedLanguages) {
    struct Case {
        std::uint16_t user, expected;
    };
    const std::vector<Case> cases = {
        {1041, 1041},  // exact
        {2057, 2057},
        {1033, 2057},  // English (US): the British copy
        {3082, 1034},  // modern Spanish: the traditional copy
        {2055, 1031},  // German (Switzerland)
        {3076, 1028},  // Chinese (Hong Kong): traditional
        {5124, 1028},  // Chinese (Macau): traditional
        {4100, 2052},  // Chinese (Singapore): simplified
        {1049, 0},     // Russian: none, the default resource
    };
    for (const Case& c : cases) EXPECT_EQ(JobNameDialogLanguage(kShippedLanguages, c.user), c.expected) << c.user;
}

TEST(JobNameDialogLanguage, ChineseKeepsScriptsApartInEitherOrder) {
    const std::vector<std::uint16_t> both = {1028, 2052}, reversed = {2052, 1028};
    for (const auto* list : {&both, &reversed}) {
        EXPECT_EQ(JobNameDialogLanguage(*list, 3076), 1028);
        EXPECT_EQ(JobNameDialogLanguage(*list, 4100), 2052);
    }
    // The neutral Chinese copy (no sublanguage) gives way to a regional one.
    const std::vector<std::uint16_t> neutralFirst = {0x0004, 2052};
    EXPECT_EQ(JobNameDialogLanguage(neutralFirst, 3076), 2052);
    EXPECT_EQ(JobNameDialogLanguage({}, 1028), 0);
}

}  // namespace
}  // namespace wren::ps
