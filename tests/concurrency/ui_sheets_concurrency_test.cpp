// Several printers' document property sheets open at once in one process,
// as the printer folder opens them, each on a thread of its own: every
// sheet's pages must save what they save with no other sheet open, and what
// one sheet remembers (a page changed, the copies warning given, the
// job-type dialog open, the settings writable) must never reach another.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "colour_fixture.h"
#include "common/settings/record_text.h"
#include "job_options_fixture.h"
#include "run_together.h"
#include "ui/pages/job_pin_dialog.h"

namespace wren::test {
namespace {

constexpr int kSheets = 4;
constexpr int kRounds = 3;

std::string narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

std::vector<std::uint8_t> bytesOf(const PrivateRecord& record) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    return {bytes, bytes + sizeof record};
}

// Empty when equal; else the first byte where they part.
std::string difference(const std::vector<std::uint8_t>& got, const std::vector<std::uint8_t>& expected) {
    for (std::size_t i = 0; i < got.size() && i < expected.size(); ++i)
        if (got[i] != expected[i])
            return "byte " + std::to_string(i) + ": " + std::to_string(got[i]) + " instead of " +
                   std::to_string(expected[i]);
    return got.size() == expected.size() ? "" : "sizes differ";
}

std::vector<std::int32_t> selections(const FakeOptionTree& tree) {
    std::vector<std::int32_t> sels;
    for (const FakeItem& item : tree.items) sels.push_back(item.sel);
    return sels;
}

// What a sheet left behind: a line per user action (what the sheet
// remembered and showed after it), the two pages' saved records and the
// selections written back to the core driver's tree.
struct SheetOutcome {
    std::vector<std::string> trace;
    std::vector<std::uint8_t> jobOptionsRecord, colourRecord;
    std::vector<std::int32_t> jobOptionsTree, colourTree;
};

// One printer's document sheet: its Job Options and Colour pages, each over
// its own fixture's fakes, and a user who works through a script that
// depends on the sheet's number, so that each sheet saves something else.
class PrinterSheet {
public:
    explicit PrinterSheet(int number) : n_(number) {
        jobs_.prepare();
        jobs_.cipher.typedPassword = "pass" + std::to_string(n_);
        jobs_.sheet.dialogAnswers[ui::kJobPinDialog] = [this] { return typeNameAndPin(); };
        colour_.prepare();
        pinView_.add(IDC_PIN_JOB_NAME);
        pinView_.add(IDC_PIN_PIN_EDIT);
        pinView_.add(IDC_PIN_REQUEST_NAME, ControlKind::Check);
        script_ = makeScript();
    }
    PrinterSheet(const PrinterSheet&) = delete;
    PrinterSheet& operator=(const PrinterSheet&) = delete;

    // The user's actions in order; every sheet has as many.
    std::size_t steps() const { return script_.size(); }
    void perform(std::size_t step) {
        gCipher = &jobs_.cipher;  // the cipher stand-in answers the thread that runs this sheet
        const auto& [name, action] = script_[step];
        action();
        outcome_.trace.push_back(name + ": " + shown());
    }
    void performAll() {
        for (std::size_t step = 0; step < steps(); ++step) perform(step);
    }
    SheetOutcome outcome() {
        outcome_.jobOptionsRecord = bytesOf(jobs_.record);
        outcome_.colourRecord = bytesOf(colour_.record);
        outcome_.jobOptionsTree = selections(jobs_.tree);
        outcome_.colourTree = selections(colour_.tree);
        return outcome_;
    }

    const PrivateRecord& jobOptionsRecord() const { return jobs_.record; }

private:
    using Step = std::pair<std::string, std::function<void()>>;

    std::vector<Step> makeScript() {
        const bool even = n_ % 2 == 0;
        return {
            {"open", [this, even] {
                 // What writing the test value to the printer's data found, as the sheet opens.
                 jobs_.state.settingsWritable = even;
                 jobs_.open();
             }},
            {"quality", [this, even] { jobs_.click(even ? IDC_QUALITY_NORMAL : IDC_QUALITY_FINE); }},
            {"copies", [this] { jobs_.type(IDC_COPIES_EDIT, decimal(2 + n_)); }},
            {"secure print", [this] { jobs_.click(IDC_JOBTYPE_SECURE); }},
            {even ? "store for re-print" : "job type settings",
             [this, even] { jobs_.click(even ? IDC_JOBTYPE_STORE : IDC_JOBTYPE_SETTING); }},
            {"normal", [this] { jobs_.click(IDC_JOBTYPE_NORMAL); }},
            {"copies again", [this] { jobs_.type(IDC_COPIES_EDIT, decimal(3 + n_)); }},
            {even ? "secure print again" : "encrypted secure print",
             [this, even] { jobs_.click(even ? IDC_JOBTYPE_SECURE : IDC_JOBTYPE_ENCRYPTED); }},
            {"custom gamma", [this, even] {
                 jobs_.click(IDC_GAMMA_CHECK);
                 jobs_.view.listSelect(IDC_GAMMA_LIST, even ? 1 : 0);
                 jobs_.page->command(IDC_GAMMA_LIST, ui::kSelectionChanged);
             }},
            {"fit to page", [this, even] {
                 if (even) jobs_.click(IDC_FIT_CHECK);
             }},
            {"leave job options", [this] { left_ = jobs_.page->leave(); }},
            {"open colour", [this] { colour_.open(); }},
            {"colour mode", [this] { colour_.click(IDC_CL_MODE_FIRST + n_ % 5); }},
            {"colour gamma", [this, even] { colour_.choose(IDC_CL_GAMMA_LIST, even ? 0 : 1); }},
            // What Halvane Details settles when it closes with OK.
            {"colour correction", [this, even] { colour_.page->ccmSetting() = even ? 1 : 2; }},
            {"swatch", [this] { colour_.click(IDC_CL_SWATCH); }},
            {"leave colour", [this] { colour_.page->leave(); }},
            {"apply", [this] {
                 jobs_.context.overlaysChanged = true;
                 jobs_.page->apply();
                 colour_.page->apply();
             }},
        };
    }

    // The JOB PIN dialog as the user fills it: a job name and a PIN of the
    // sheet's own, then OK.
    int typeNameAndPin() {
        ui::JobPinDialog dialog(pinView_, jobs_.record, jobs_.strings, pageState(), false, [] {});
        pinView_.endResult.reset();
        dialog.initialize();
        pinOpenIdle_ += pageState().jobTypeDialogIdle ? "1" : "0";
        const std::u16string name = u"Sheet " + decimal(n_) + u" r" + decimal(++pinDialogs_);
        for (auto [id, text] : {std::pair{IDC_PIN_JOB_NAME, name}, {IDC_PIN_PIN_EDIT, std::u16string(4, u'0' + n_)}}) {
            pinView_.setText(id, text);
            pinView_.setCaret(id, static_cast<int>(text.size()));
            dialog.command(id, ui::kEditChange);
        }
        dialog.command(ui::kIdOk, ui::kClicked);
        return pinView_.endResult.value_or(0);
    }

    // What the sheet remembers and the user sees after a step.
    // The state the Job Options page works with, once it is open.
    const ui::UiState& pageState() const { return jobs_.services ? jobs_.services->state : jobs_.state; }

    std::string shown() const {
        const ui::UiState& st = pageState();
        auto flag = [](bool b) { return b ? "1" : "0"; };
        return std::string("changed ") + flag(st.pluginChanged) + flag(colour_.state.pluginChanged) + " writable " +
               flag(st.settingsWritable) + " warning armed " + flag(st.copiesWarningArmed) + " idle " +
               flag(st.jobTypeDialogIdle) + " accepted " + flag(st.jobTypeLastAccepted) + " pin-dialog idle [" +
               pinOpenIdle_ + "] job type " + std::to_string(jobs_.context[ui::Feature::ZEJob_Type].sel) +
               " copies " + std::to_string(jobs_.context[ui::Feature::Copies].sel) + " messages " +
               std::to_string(jobs_.view.messageBoxes.size()) + "+" + std::to_string(colour_.view.messageBoxes.size()) +
               " dialogs " + std::to_string(jobs_.sheet.dialogs.size()) + "+" + std::to_string(jobs_.cipher.dialogs) +
               " applied " + std::to_string(jobs_.sheet.applied) + "+" + std::to_string(colour_.sheet.applied) +
               " left " + flag(left_);
    }

    static std::u16string decimal(int v) { return FakeDialogView::decimal(v); }

    const int n_;
    JobOptionsSheet jobs_;
    ColourSheet colour_;
    FakeDialogView pinView_;
    int pinDialogs_ = 0;
    std::string pinOpenIdle_;  // the idle flag as each JOB PIN dialog saw it, open
    bool left_ = false;
    std::vector<Step> script_;
    SheetOutcome outcome_;
};

SheetOutcome runSheet(int number) {
    PrinterSheet sheet(number);
    sheet.performAll();
    return sheet.outcome();
}

// Empty when equal; else the first step after which the sheet differed.
std::string difference(const std::vector<std::string>& got, const std::vector<std::string>& expected) {
    for (std::size_t i = 0; i < got.size() && i < expected.size(); ++i)
        if (got[i] != expected[i]) return "after step " + got[i] + "\n  instead of " + expected[i];
    return got.size() == expected.size() ? "" : "another number of steps";
}

void expectSameOutcome(const SheetOutcome& got, const SheetOutcome& alone) {
    EXPECT_EQ(difference(got.trace, alone.trace), "");
    EXPECT_EQ(difference(got.jobOptionsRecord, alone.jobOptionsRecord), "") << "Job Options record";
    EXPECT_EQ(difference(got.colourRecord, alone.colourRecord), "") << "Colour record";
    EXPECT_EQ(got.jobOptionsTree, alone.jobOptionsTree);
    EXPECT_EQ(got.colourTree, alone.colourTree);
}

class UiSheetsConcurrency : public ::testing::Test {
protected:
    std::vector<SheetOutcome> alone;  // each sheet's outcome with no other sheet open

    void SetUp() override {
        for (int i = 0; i < kSheets; ++i) alone.push_back(runSheet(i));
    }
};

// The scripts do what they are meant to, and differently per sheet: a
// mix-up between sheets could not go unseen.
TEST_F(UiSheetsConcurrency, EachSheetAloneSavesItsOwnChoices) {
    for (int i = 0; i < kSheets; ++i) {
        SCOPED_TRACE(i);
        PrinterSheet sheet(i);
        sheet.performAll();
        const PrivateRecord& record = sheet.jobOptionsRecord();
        EXPECT_EQ(narrow(readField(record.password)), std::string(4, static_cast<char>('0' + i)));
        EXPECT_EQ(narrow(readField(record.jobName)), "Sheet " + std::to_string(i) + " r" + (i % 2 ? "2" : "1"));
        EXPECT_EQ(record.fitToPaper, i % 2 ? 0u : 1u);
        EXPECT_EQ(record.cryptPasswordLength, i % 2 ? 5u : 0u) << "only the odd sheets encrypt";
        const std::vector<std::string>& trace = alone[i].trace;
        ASSERT_EQ(trace.size(), sheet.steps());
        EXPECT_NE(trace[3].find("warning armed 0"), std::string::npos) << trace[3];
        EXPECT_NE(trace[3].find("pin-dialog idle [0]"), std::string::npos) << "the choice's dialog was open";
        EXPECT_NE(trace[5].find("warning armed 1"), std::string::npos) << "Normal arms the warning again";
        EXPECT_NE(trace.back().find(std::string("applied ") + (i % 2 ? "1+1" : "2+1")), std::string::npos)
            << "only a writable sheet commits its overlays: " << trace.back();
        if (i > 0) EXPECT_NE(difference(alone[i].jobOptionsRecord, alone[i - 1].jobOptionsRecord), "");
    }
}

// Two sheets' messages handled in turn on one thread, a step of each at a
// time: what one step leaves in its sheet is what the next step there sees.
TEST_F(UiSheetsConcurrency, TwoSheetsInterleavedOnOneThread) {
    const std::pair<int, int> pairs[] = {{0, 1}, {1, 0}, {2, 3}, {0, 2}};
    for (const auto& [first, second] : pairs) {
        SCOPED_TRACE(std::to_string(first) + " with " + std::to_string(second));
        PrinterSheet a(first), b(second);
        for (std::size_t step = 0; step < a.steps(); ++step) {
            a.perform(step);
            b.perform(step);
        }
        expectSameOutcome(a.outcome(), alone[first]);
        expectSameOutcome(b.outcome(), alone[second]);
    }
}

TEST_F(UiSheetsConcurrency, SheetsOnTheirOwnThreadsSaveWhatTheySaveAlone) {
    for (int round = 0; round < kRounds; ++round) {
        std::vector<SheetOutcome> together(kSheets);
        runTogether(kSheets, [&](int i) { together[i] = runSheet(i); });
        for (int i = 0; i < kSheets; ++i) {
            SCOPED_TRACE("round " + std::to_string(round) + ", sheet " + std::to_string(i));
            expectSameOutcome(together[i], alone[i]);
        }
    }
}

}  // namespace
}  // namespace wren::test
