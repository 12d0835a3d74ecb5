// The Colour page's three detail dialogs, each run with its controller over
// a Win32 view; each returns 1 for OK and 0 for Cancel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/colour/colour_details.h"
#include "ui/pages/page_services.h"

namespace wren::ui {

int RunHalvaneDialog(HWND owner, ColourDetails details, const PageServices& services, std::uint32_t& ccmSetting);
int RunQuillonDialog(HWND owner, ColourDetails details, UiState& state);
int RunColourAdvancedDialog(HWND owner, ColourDetails details, UiState& state);

}  // namespace wren::ui
