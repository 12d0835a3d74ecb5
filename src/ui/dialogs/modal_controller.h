// The buttons that end a modal dialog, handled alike by every modal
// controller: OK confirms (the controller decides whether the dialog
// ends), Cancel ends it with the dialog's cancel result or the
// controller's own cancel, and Default, on a dialog that offers it, puts
// the defaults back.
#pragma once

#include "ui/dialogs/dialog_view.h"
#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {

class ModalController {
public:
    virtual ~ModalController() = default;

protected:
    ModalController(DialogView& view, int cancelResult) : modalView_(view), cancelResult_(cancelResult) {}

    // True when `id` was one of those buttons, now handled.
    bool closingButton(int id, int notification) {
        if (id == kIdOk) {
            confirm();
            return true;
        }
        if (id == kIdCancel) {
            cancel();
            return true;
        }
        if (id == IDC_DEFAULT && offersDefaults()) {
            if (notification == kClicked) restoreDefaults();
            return true;
        }
        return false;
    }

    virtual void confirm() = 0;
    virtual void cancel() { modalView_.endDialog(cancelResult_); }
    // A dialog with a Default button says so and restores its defaults.
    virtual bool offersDefaults() const { return false; }
    virtual void restoreDefaults() {}

private:
    DialogView& modalView_;
    int cancelResult_;
};

}  // namespace wren::ui
