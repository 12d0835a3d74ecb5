#include "ps/dialogs/job_name_dialog.h"

#include "common/settings/record_text.h"
#include "ui/pages/control_events.h"
#include "ui/pages/page_text.h"

namespace wren::ps {
namespace {

// The name travels inside a quoted PJL value, in the printer's 8-bit text.
bool jobNameCharacter(char16_t c) { return c < 0x80 && c != u'"'; }

// Room to read whatever the edit holds, even text set past its limit.
constexpr std::size_t kFilterReadChars = 64;

}  // namespace

JobNameDialog::JobNameDialog(ui::DialogView& view, const ui::UiStrings& strings, PrivateRecord& record)
    : view_(view), strings_(strings), record_(record) {}

void JobNameDialog::initialize() {
    view_.setTextLimit(kJobNameEdit, static_cast<int>(kJobNameDialogChars));
    view_.setText(kJobNameEdit, readField(record_.jobName).substr(0, kJobNameDialogChars));
}

void JobNameDialog::command(int id, int notification) {
    if (id == kJobNameEdit) {
        // Input is ASCII only: no input method composes into the name.
        view_.detachInputMethod(kJobNameEdit);
        if (notification == ui::kEditUpdate) filterName();
    } else if (id == ui::kIdOk) {
        confirm();
    }
}

void JobNameDialog::filterName() {
    const ui::FilteredText kept = ui::filterText(view_.text(kJobNameEdit, kFilterReadChars), jobNameCharacter);
    if (kept.removed == 0) return;
    // The caret is read before the text is replaced, which moves it.
    const int caret = view_.caret(kJobNameEdit);
    view_.beep();
    view_.setText(kJobNameEdit, kept.text);
    const int moved = caret - static_cast<int>(kept.removed);
    view_.setCaret(kJobNameEdit, moved > 0 ? moved : 0);
}

void JobNameDialog::confirm() {
    const std::u16string name = view_.text(kJobNameEdit, kJobNameDialogChars + 1);
    if (name.empty()) {
        view_.messageBox(strings_.load(kStringInputJobName, kJobNameMessageChars), u"", ui::kMessageStop);
        view_.focus(kJobNameEdit);
        return;
    }
    writeField(record_.jobName, name);
    view_.endDialog(1);
}

}  // namespace wren::ps
