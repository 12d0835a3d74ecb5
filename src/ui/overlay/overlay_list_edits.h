// The Overlays dialog's changes to the overlay list: which overlays are
// active, in order, and which are defined, by number.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/overlay/overlay_store.h"
#include "ui/dialogs/ui_strings.h"

namespace wren::ui {

// Appends the given defined overlays, in that order, while fewer than four
// are active. Numbers that name no defined overlay are skipped.
void activateOverlays(overlay::OverlayList& list, const std::vector<std::size_t>& numbers);

// Removes the active overlays at the given positions of the active list,
// keeping the order of the rest.
void deactivateOverlays(overlay::OverlayList& list, const std::vector<std::size_t>& positions);

// Removes the given defined overlays; the rest are renumbered in order,
// active overlays that went are dropped and the others follow the new
// numbers.
void deleteOverlays(overlay::OverlayList& list, const std::vector<std::size_t>& numbers);

bool isActive(const overlay::OverlayList& list, std::size_t number);

// The "Page" column: the page mode's name, or the page list itself for
// custom pages.
std::u16string overlayPagesText(const overlay::OverlayRecord& record, const UiStrings& strings);

}  // namespace wren::ui
