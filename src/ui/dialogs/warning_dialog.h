// The controller of the warning dialogs (templates 300 to 303): a text, a
// warning icon, and the "&Show this message next time" box. The dialog's
// result says whether the warning should come again.
#pragma once

#include "ui/dialogs/dialog_view.h"

namespace wren::ui {

class WarningDialog {
public:
    explicit WarningDialog(DialogView& view) : view_(view) {}

    // The icon is the Win32 side's part; this checks the box.
    void initialize();
    // OK ends with 1 while the box is checked, 0 once cleared; Cancel with 0.
    void command(int id, int notification);

private:
    DialogView& view_;
};

}  // namespace wren::ui
