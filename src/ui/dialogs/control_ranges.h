// Operations on runs of consecutive control identifiers, first to last
// inclusive. Identifiers the template lacks are passed over.
#pragma once

#include "ui/dialogs/dialog_view.h"

namespace wren::ui {

void EnableControlRange(DialogView& dialog, int first, int last, bool enable);
// Never enables a control that is disabled now: for rules (such as missing
// permission) laid over the page's own enabling.
void RestrictControlRange(DialogView& dialog, int first, int last, bool enable);
// Shown and enabled, or hidden and disabled.
void ShowControlRange(DialogView& dialog, int first, int last, bool show);
// For features the printer description lacks: the controls go for good.
void DestroyControlRange(DialogView& dialog, int first, int last);

}  // namespace wren::ui
