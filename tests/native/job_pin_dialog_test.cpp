#include <gtest/gtest.h>

#include "common/settings/record_text.h"
#include "fake_dialog_view.h"
#include "ui/pages/control_events.h"
#include "ui/pages/job_pin_dialog.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

using test::ControlKind;

struct JobPinFixture : ::testing::Test {
    JobPinFixture() {
        view.add(IDC_PIN_JOB_NAME);
        view.add(IDC_PIN_PIN_EDIT);
        view.add(IDC_PIN_REQUEST_NAME, ControlKind::Check);
        strings.texts = {{IDS_PIN_FOUR_DIGITS, u"Please enter a 4 digit PIN number."},
                         {IDS_PIN_JOB_NAME, u"Please enter a Job Name."}};
        state.os = OsVersion{6, 1};
    }
    JobPinDialog make(bool shared = false) {
        return JobPinDialog(view, record, strings, state, shared, [this] { ++warnings; });
    }
    // Types into an edit as the user does: the edit changes, then notifies.
    void type(JobPinDialog& dialog, int id, std::u16string_view text) {
        view.setText(id, view.text(id, 100) + std::u16string(text));
        view.setCaret(id, static_cast<int>(view.text(id, 100).size()));
        dialog.command(id, kEditChange);
    }
    test::FakeDialogView view;
    test::FakeStrings strings;
    UiState state;
    PrivateRecord record{};
    int warnings = 0;
};

TEST_F(JobPinFixture, OpensWithTheStoredValuesAndLimits) {
    writeField(record.jobName, u"REPORT");
    writeField(record.password, u"1234");
    record.askAtPrint = 1;
    state.os = OsVersion{5, 1};
    JobPinDialog dialog = make();
    dialog.initialize();
    EXPECT_EQ(view.text(IDC_PIN_JOB_NAME, 100), u"REPORT");
    EXPECT_EQ(view.text(IDC_PIN_PIN_EDIT, 100), u"1234");
    EXPECT_EQ(view.at(IDC_PIN_JOB_NAME).textLimit, 16);
    EXPECT_EQ(view.at(IDC_PIN_PIN_EDIT).textLimit, 4);
    EXPECT_TRUE(view.checked(IDC_PIN_REQUEST_NAME));
    EXPECT_TRUE(view.enabled(IDC_PIN_REQUEST_NAME));
}

TEST_F(JobPinFixture, RequestBoxIsOffForSharedPrintersAndNewerSystems) {
    record.askAtPrint = 1;
    JobPinDialog newer = make();
    newer.initialize();
    EXPECT_TRUE(view.checked(IDC_PIN_REQUEST_NAME));
    EXPECT_FALSE(view.enabled(IDC_PIN_REQUEST_NAME));

    state.os = OsVersion{5, 1};
    JobPinDialog shared = make(true);
    shared.initialize();
    EXPECT_FALSE(view.checked(IDC_PIN_REQUEST_NAME));
    EXPECT_FALSE(view.enabled(IDC_PIN_REQUEST_NAME));
}

TEST_F(JobPinFixture, TypedCharactersAreFilteredWithOneBeepPerEdit) {
    JobPinDialog dialog = make();
    dialog.initialize();
    type(dialog, IDC_PIN_PIN_EDIT, u"1a2b");
    EXPECT_EQ(view.text(IDC_PIN_PIN_EDIT, 100), u"12");
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(view.caret(IDC_PIN_PIN_EDIT), 2);
    EXPECT_TRUE(view.at(IDC_PIN_PIN_EDIT).inputMethodDetached);

    // The job name keeps ASCII but never a double quote: it is sent quoted.
    type(dialog, IDC_PIN_JOB_NAME, u"A\"B\u00e9C");
    EXPECT_EQ(view.text(IDC_PIN_JOB_NAME, 100), u"ABC");
    EXPECT_EQ(view.beeps, 2);
    type(dialog, IDC_PIN_JOB_NAME, u"D");
    EXPECT_EQ(view.beeps, 2);
}

TEST_F(JobPinFixture, OkValidatesThePinThenTheName) {
    JobPinDialog dialog = make();
    dialog.initialize();
    view.setText(IDC_PIN_PIN_EDIT, u"123");
    view.setText(IDC_PIN_JOB_NAME, u"JOB");
    dialog.command(kIdOk, kClicked);
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    EXPECT_EQ(view.messageBoxes[0].text, u"Please enter a 4 digit PIN number.");
    EXPECT_EQ(view.messageBoxes[0].caption, u"");
    EXPECT_EQ(view.messageBoxes[0].flags, kMessageStop);
    EXPECT_FALSE(view.endResult.has_value());

    view.setText(IDC_PIN_PIN_EDIT, u"1234");
    view.setText(IDC_PIN_JOB_NAME, u"");
    dialog.command(kIdOk, kClicked);
    ASSERT_EQ(view.messageBoxes.size(), 2u);
    EXPECT_EQ(view.messageBoxes[1].text, u"Please enter a Job Name.");
    EXPECT_EQ(readField(record.password), u"");

    // Asking for the name at print time stands in for a name.
    view.setChecked(IDC_PIN_REQUEST_NAME, true);
    dialog.command(kIdOk, kClicked);
    EXPECT_EQ(view.endResult, 1);
    EXPECT_EQ(readField(record.password), u"1234");
    EXPECT_EQ(record.askAtPrint, 1u);
}

TEST_F(JobPinFixture, OkStoresNameAndPinCancelStoresNothing) {
    JobPinDialog dialog = make();
    dialog.initialize();
    view.setText(IDC_PIN_PIN_EDIT, u"4711");
    view.setText(IDC_PIN_JOB_NAME, u"QUARTERLY");
    dialog.command(kIdCancel, kClicked);
    EXPECT_EQ(view.endResult, 0);
    EXPECT_EQ(readField(record.jobName), u"");

    dialog.command(kIdOk, kClicked);
    EXPECT_EQ(view.endResult, 1);
    EXPECT_EQ(readField(record.jobName), u"QUARTERLY");
    EXPECT_EQ(readField(record.password), u"4711");
    EXPECT_EQ(record.askAtPrint, 0u);
}

TEST_F(JobPinFixture, SharingWarningOnlyOnXpAndServer2003WhenChecking) {
    JobPinDialog newer = make();
    newer.initialize();
    view.setChecked(IDC_PIN_REQUEST_NAME, true);
    newer.command(IDC_PIN_REQUEST_NAME, kClicked);
    EXPECT_EQ(warnings, 0);

    state.os = OsVersion{5, 2};
    JobPinDialog xp = make();
    xp.initialize();
    view.setChecked(IDC_PIN_REQUEST_NAME, true);
    xp.command(IDC_PIN_REQUEST_NAME, kClicked);
    EXPECT_EQ(warnings, 1);
    view.setChecked(IDC_PIN_REQUEST_NAME, false);
    xp.command(IDC_PIN_REQUEST_NAME, kClicked);
    EXPECT_EQ(warnings, 1);
}

}  // namespace
}  // namespace wren::ui
