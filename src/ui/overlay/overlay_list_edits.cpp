#include "ui/overlay/overlay_list_edits.h"

#include <algorithm>

#include "ui/overlay/overlay_ids.h"

namespace wren::ui {

using overlay::kEmptySlot;
using overlay::kMaxActive;
using overlay::OverlayList;

bool isActive(const OverlayList& list, std::size_t number) {
    for (std::size_t i = 0; i < list.activeCount; ++i)
        if (list.active[i] == number) return true;
    return false;
}

void activateOverlays(OverlayList& list, const std::vector<std::size_t>& numbers) {
    for (std::size_t number : numbers) {
        if (list.activeCount >= kMaxActive) return;
        if (number >= list.definedCount) continue;
        list.active[list.activeCount++] = static_cast<std::uint16_t>(number);
    }
}

void deactivateOverlays(OverlayList& list, const std::vector<std::size_t>& positions) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.activeCount; ++i)
        if (std::find(positions.begin(), positions.end(), i) == positions.end()) list.active[kept++] = list.active[i];
    for (std::size_t i = kept; i < kMaxActive; ++i) list.active[i] = kEmptySlot;
    list.activeCount = kept;
}

void deleteOverlays(OverlayList& list, const std::vector<std::size_t>& numbers) {
    // The new number of every old one; removed ones get none.
    std::array<std::uint16_t, overlay::kMaxOverlays> renumbered{};
    std::size_t kept = 0;
    for (std::size_t n = 0; n < list.definedCount; ++n) {
        if (std::find(numbers.begin(), numbers.end(), n) != numbers.end()) {
            renumbered[n] = kEmptySlot;
            continue;
        }
        renumbered[n] = static_cast<std::uint16_t>(kept);
        if (kept != n) list.overlays[kept] = std::move(list.overlays[n]);
        ++kept;
    }
    for (std::size_t n = kept; n < list.definedCount; ++n) list.overlays[n] = overlay::OverlayRecord{};

    std::size_t active = 0;
    for (std::size_t i = 0; i < list.activeCount; ++i) {
        const std::uint16_t old = list.active[i];
        if (old < list.definedCount && renumbered[old] != kEmptySlot) list.active[active++] = renumbered[old];
    }
    for (std::size_t i = active; i < kMaxActive; ++i) list.active[i] = kEmptySlot;
    list.activeCount = active;
    list.definedCount = kept;
}

std::u16string overlayPagesText(const overlay::OverlayRecord& record, const UiStrings& strings) {
    if (record.pageMode == static_cast<std::uint16_t>(overlay::PageMode::Custom)) return record.customPages;
    const int mode = record.pageMode <= 4 ? record.pageMode : 0;
    return strings.load(ov::kStringFirstPageMode + mode);
}

}  // namespace wren::ui
