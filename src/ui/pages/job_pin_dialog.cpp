#include "ui/pages/job_pin_dialog.h"

#include "common/settings/record_text.h"
#include "ui/dialogs/resource_message.h"
#include "ui/pages/control_events.h"
#include "ui/pages/page_text.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

// The job name reaches the printer inside a quoted PJL value.
bool jobNameCharacter(char16_t c) { return c < 0x80 && c != u'"'; }
bool pinCharacter(char16_t c) { return isDigit(c); }

}  // namespace

JobPinDialog::JobPinDialog(DialogView& view, PrivateRecord& record, const UiStrings& strings, const UiState& state,
                           bool sharedOrNetwork, std::function<void()> showSharingWarning)
    : ModalController(view, 0), view_(view), record_(record), strings_(strings), state_(state),
      sharedOrNetwork_(sharedOrNetwork), showSharingWarning_(std::move(showSharingWarning)) {}

void JobPinDialog::initialize() {
    view_.setTextLimit(IDC_PIN_JOB_NAME, kJobNameChars);
    view_.setTextLimit(IDC_PIN_PIN_EDIT, kPinChars);
    view_.setText(IDC_PIN_JOB_NAME, readField(record_.jobName).substr(0, kJobNameChars));
    view_.setText(IDC_PIN_PIN_EDIT, readField(record_.password).substr(0, kPinChars));
    view_.setChecked(IDC_PIN_REQUEST_NAME, record_.askAtPrint != 0);
    // The print-time prompt cannot reach a user of a shared printer, and
    // from version 6 on the spooler runs it in another session.
    if (state_.os.newer()) view_.enable(IDC_PIN_REQUEST_NAME, false);
    if (sharedOrNetwork_) {
        view_.setChecked(IDC_PIN_REQUEST_NAME, false);
        view_.enable(IDC_PIN_REQUEST_NAME, false);
    }
}

void JobPinDialog::command(int id, int notification) {
    if (closingButton(id, notification)) return;
    switch (id) {
    case IDC_PIN_JOB_NAME:
        if (notification == kEditChange || notification == kEditUpdate) filterEdit(id, jobNameCharacter);
        return;
    case IDC_PIN_PIN_EDIT:
        if (notification == kEditChange || notification == kEditUpdate) filterEdit(id, pinCharacter);
        return;
    case IDC_PIN_REQUEST_NAME:
        if (notification == kClicked && view_.checked(id) && state_.os.xpOr2003() && showSharingWarning_)
            showSharingWarning_();
        return;
    default:
        return;
    }
}

void JobPinDialog::filterEdit(int id, bool (*keep)(char16_t)) {
    view_.detachInputMethod(id);
    const std::u16string text = view_.text(id, 64);
    FilteredText kept = filterText(text, keep);
    if (kept.removed == 0) return;
    const int caret = view_.caret(id);
    view_.beep();
    view_.setText(id, kept.text);
    const int moved = caret - static_cast<int>(kept.removed);
    view_.setCaret(id, moved > 0 ? moved : 0);
}

void JobPinDialog::confirm() {
    const std::u16string name = view_.text(IDC_PIN_JOB_NAME, kJobNameChars + 1);
    const std::u16string pin = view_.text(IDC_PIN_PIN_EDIT, kPinChars + 2);
    const bool request = view_.checked(IDC_PIN_REQUEST_NAME);
    if (pin.size() != kPinChars) {
        ShowResourceMessage(view_, strings_, IDS_PIN_FOUR_DIGITS, 0, kMessageStop);
        return;
    }
    if (name.empty() && !request) {
        ShowResourceMessage(view_, strings_, IDS_PIN_JOB_NAME, 0, kMessageStop);
        return;
    }
    writeField(record_.jobName, name);
    writeField(record_.password, pin);
    record_.askAtPrint = request ? 1 : 0;
    view_.endDialog(1);
}

}  // namespace wren::ui
