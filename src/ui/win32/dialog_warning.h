// The warning dialogs (templates 300 to 303) on Windows.
#pragma once

#include <windows.h>

#include "ui/dialogs/ui_state.h"

namespace wren::ui {

// Runs warning `templateId` owned by `owner`: 1 when it should show again,
// 0 when the user cleared its box or cancelled. `state`: the sheet's.
int RunWarningDialog(HWND owner, int templateId, UiState& state);

}  // namespace wren::ui
