// The warning dialogs (templates 300 to 303) on Windows.
#pragma once

#include <windows.h>

namespace wren::ui {

// Runs warning `templateId` owned by `owner`: 1 when it should show again,
// 0 when the user cleared its box or cancelled.
int RunWarningDialog(HWND owner, int templateId);

}  // namespace wren::ui
