// A plug-in page changed a setting: the sheet's Apply button comes on, and
// the sheet-state flag that RevisitCorePage looks at is set.
#pragma once

#include "ui/dialogs/dialog_view.h"
#include "ui/dialogs/ui_state.h"

namespace wren::ui {

inline void MarkPageChanged(DialogView& page, UiState& state) {
    page.markPageChanged();
    state.pluginChanged = true;
}

}  // namespace wren::ui
