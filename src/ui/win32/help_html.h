// HTML Help reached without linking to it: the HTML Help control is found
// through its registration (or by its usual name) on first use and kept
// for the process.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialogs/ui_state.h"

namespace wren::ui {

inline constexpr UINT kHtmlHelpContext = 15;  // HH_HELP_CONTEXT

// HtmlHelpW(caller, file, command, data); null when HTML Help cannot be
// had, now or at an earlier call (state.htmlHelpFailed).
HWND CallHtmlHelp(HWND caller, const std::u16string& file, UINT command, DWORD_PTR data, UiState& state);

}  // namespace wren::ui
