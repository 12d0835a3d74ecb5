// What the Define Overlays dialog lets through as the user types, and the
// form-name history it keeps.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "common/overlay/overlay_store.h"
#include "ui/pages/page_text.h"

namespace wren::ui {

// Page numbers and ranges: numbers of 1 to 4 digits without a leading zero,
// at most one "-" between two commas, separators only after a digit. A
// separator followed by anything but a digit leads to no number and goes
// too; one that ends the text stays, since the user is still typing.
FilteredText filterCustomPages(std::u16string_view text);

// Form names as the printer stores them: printable ASCII without spaces
// and without the characters PostScript names and file paths reserve.
FilteredText filterFormName(std::u16string_view text);
bool isFormNameCharacter(char16_t c);

// A name used moves to the front of the history; a new one goes to the
// front, pushing out the oldest when the history is full.
void rememberFormName(overlay::OverlayList& list, std::u16string_view name);

}  // namespace wren::ui
