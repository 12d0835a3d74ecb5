// The notification codes of WM_COMMAND that the controllers act on, so the
// dialog procedures can hand them over unchanged.
#pragma once

namespace wren::ui {

inline constexpr int kClicked = 0;          // BN_CLICKED, STN_CLICKED
inline constexpr int kSelectionChanged = 1; // CBN_SELCHANGE
inline constexpr int kEditSetFocus = 0x0100;
inline constexpr int kEditKillFocus = 0x0200;
inline constexpr int kEditChange = 0x0300;
inline constexpr int kEditUpdate = 0x0400;

// What a report list view tells its dialog (from WM_NOTIFY).
enum class ListEvent { ItemChanged, Focused, DoubleClicked };

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

}  // namespace wren::ui
