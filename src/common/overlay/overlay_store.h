// The overlay store: the definitions of every overlay of a driver
// installation (up to three printer-resident forms each, and the pages they
// go on) and the history of typed form names, kept in sections of the
// plug-in INI file. wrenui edits it through the Overlays dialog, keeping
// confirmed edits in a pending copy until the property sheet is applied;
// wrenps reads the definitions a job uses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace wren::overlay {

inline constexpr std::size_t kMaxOverlays = 32;
inline constexpr std::size_t kMaxHistory = 10;
inline constexpr std::size_t kMaxForms = 3;
inline constexpr std::size_t kMaxActive = 4;
inline constexpr std::uint16_t kEmptySlot = 255;
// Text room with the terminator: names and history entries, custom pages.
inline constexpr std::size_t kNameChars = 64;
inline constexpr std::size_t kCustomPageChars = 255;

enum class PageMode : std::uint16_t { All = 0, First = 1, Odd = 2, Even = 3, Custom = 4 };

struct OverlayRecord {
    std::u16string name;
    std::uint16_t formCount = 0;
    std::array<std::u16string, kMaxForms> forms;
    std::uint16_t pageMode = 0;
    std::u16string customPages;
};

// The store in memory, with the working copy of the job's active overlays.
struct OverlayList {
    std::size_t activeCount = 0;
    std::array<std::uint16_t, kMaxActive> active{kEmptySlot, kEmptySlot, kEmptySlot, kEmptySlot};
    std::size_t definedCount = 0;
    std::array<OverlayRecord, kMaxOverlays> overlays;
    std::size_t historyCount = 0;
    std::array<std::u16string, kMaxHistory> history;
};

// Which sections wrenui uses, per sheet.
enum class PendingState : std::uint8_t {
    NotOpened = 0,    // main sections
    EditsPending = 1, // the "_Sv" copy holds confirmed edits
    Opened = 2,       // main sections; nothing waits
};

// Reads the store from the sections `state` selects. Counts beyond the
// list's room (a hand-edited file) are cut to it, negative ones read as 0:
// the list never holds more than it has room for.
OverlayList loadOverlayStore(const Profile& profile, std::u16string_view iniFile, PendingState state);

// Writes every count and record into the sections `state` selects, keys in
// a fixed order; sections beyond the counts stay as they are. An overlay with
// custom pages but no page list is stored as printing on all pages. False
// when a write failed (nobody is told: the store is best effort).
bool writeOverlayStore(const Profile& profile, std::u16string_view iniFile, PendingState state,
                       const OverlayList& list);

// Section names: "OverlaySetting" / "Overlay_Info %d", or their "_Sv" copies.
std::u16string listSection(PendingState state);
std::u16string overlaySection(PendingState state, std::size_t number);

}  // namespace wren::overlay
