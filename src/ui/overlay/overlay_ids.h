// Templates, controls, strings and notification codes of the Overlays and
// Define Overlays dialogs. The resource script defines the same numbers.
#pragma once

#include "ui/pages/control_events.h"

namespace wren::ui::ov {

// Templates.
inline constexpr int kOverlaysDialog = 109;  // "Overlays"
inline constexpr int kDefineDialog = 203;    // "Define Overlays"

// Overlays.
inline constexpr int kModeList = 1050;
inline constexpr int kActiveLabel = 1051;
inline constexpr int kActiveList = 1052;      // report list view
inline constexpr int kActiveMax = 1053;       // "(Max. 4)"
inline constexpr int kAddButton = 1054;
inline constexpr int kRemoveButton = 1055;    // "De&lete": out of the active list
inline constexpr int kDefinedLabel = 1056;
inline constexpr int kDefinedList = 1057;     // report list view
inline constexpr int kDefinedMax = 1058;      // "(Max. 32)"
inline constexpr int kNewButton = 1059;
inline constexpr int kEditButton = 1060;
inline constexpr int kDeleteButton = 1061;    // "&Delete": the definitions

// Define Overlays.
inline constexpr int kNameEdit = 1101;
inline constexpr int kPageModeList = 1103;
inline constexpr int kCustomPagesEdit = 1105;
inline constexpr int kFormNameBox = 1109;     // combo box with an edit field
inline constexpr int kFormAddButton = 1110;
inline constexpr int kFormRenameButton = 1111;
inline constexpr int kFormList = 1113;        // list box
inline constexpr int kFormDeleteButton = 1114;

// Strings.
inline constexpr int kStringOverlayColumn = 8010;  // "Overlay"
inline constexpr int kStringPageColumn = 8011;     // "Page"
inline constexpr int kStringMaximum = 8012;        // "(Max. %d)"
inline constexpr int kStringFirstPageMode = 8030;  // 8030..8034: "All Pages" .. "Custom"
inline constexpr int kStringNewOverlay = 8035;     // "New Overlay"
inline constexpr int kStringNameTaken = 10020;
inline constexpr int kStringNoForms = 10021;
inline constexpr int kStringCreateForm = 10022;
inline constexpr int kStringNoName = 10023;
inline constexpr int kStringTrailingDot = 10024;
inline constexpr int kStringInformation = 30010;   // "Information"

// The ZEOverlay option that makes the job create the forms.
inline constexpr int kCreateFormOption = 2;

// Combo box notifications of the form name (CBN_EDITCHANGE, CBN_EDITUPDATE);
// CBN_SELCHANGE is kSelectionChanged.
inline constexpr int kComboEditChange = 5;
inline constexpr int kComboEditUpdate = 6;

using ::wren::ui::ListEvent;

}  // namespace wren::ui::ov
