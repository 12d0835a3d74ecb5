#include "ui/dialogs/warning_dialog.h"

#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {

void WarningDialog::initialize() { view_.setChecked(IDC_WARN_SHOW_AGAIN, true); }

void WarningDialog::command(int id, int notification) {
    if (notification != kClicked) return;
    if (id == kIdOk) view_.endDialog(view_.checked(IDC_WARN_SHOW_AGAIN) ? 1 : 0);
    else if (id == kIdCancel) view_.endDialog(0);
}

}  // namespace wren::ui
