// Templates, controls, strings and notification codes of the Overlays and
// Define Overlays dialogs, by the names the controllers use. The numbers are
// the resource script's own.
#pragma once

#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui::ov {

// Templates.
inline constexpr int kOverlaysDialog = IDD_OVERLAYS;  // "Overlays"
inline constexpr int kDefineDialog = IDD_DEFINE_OVERLAYS;    // "Define Overlays"

// Overlays.
inline constexpr int kModeList = IDC_OV_MODE;
inline constexpr int kActiveLabel = IDC_OV_ACTIVE_LABEL;
inline constexpr int kActiveList = IDC_OV_ACTIVE_LIST;      // report list view
inline constexpr int kActiveMax = IDC_OV_ACTIVE_MAX;       // "(Max. 4)"
inline constexpr int kAddButton = IDC_OV_ADD;
inline constexpr int kRemoveButton = IDC_OV_REMOVE;    // "De&lete": out of the active list
inline constexpr int kDefinedLabel = IDC_OV_DEFINED_LABEL;
inline constexpr int kDefinedList = IDC_OV_DEFINED_LIST;     // report list view
inline constexpr int kDefinedMax = IDC_OV_DEFINED_MAX;      // "(Max. 32)"
inline constexpr int kNewButton = IDC_OV_NEW;
inline constexpr int kEditButton = IDC_OV_EDIT;
inline constexpr int kDeleteButton = IDC_OV_DELETE;    // "&Delete": the definitions

// Define Overlays.
inline constexpr int kNameEdit = IDC_OV_NAME;
inline constexpr int kPageModeList = IDC_OV_PAGE_MODE;
inline constexpr int kCustomPagesEdit = IDC_OV_CUSTOM_PAGES;
inline constexpr int kFormNameBox = IDC_OV_FORM_NAME;     // combo box with an edit field
inline constexpr int kFormAddButton = IDC_OV_FORM_ADD;
inline constexpr int kFormRenameButton = IDC_OV_FORM_RENAME;
inline constexpr int kFormList = IDC_OV_FORMS;        // list box
inline constexpr int kFormDeleteButton = IDC_OV_FORM_DELETE;

// Strings.
inline constexpr int kStringOverlayColumn = IDS_OV_OVERLAY_COLUMN;  // "Overlay"
inline constexpr int kStringPageColumn = IDS_OV_PAGE_COLUMN;     // "Page"
inline constexpr int kStringMaximum = IDS_OV_MAXIMUM;        // "(Max. %d)"
inline constexpr int kStringFirstPageMode = IDS_OV_PAGE_MODE_FIRST;  // 8030..8034: "All Pages" .. "Custom"
inline constexpr int kStringNewOverlay = IDS_OV_NEW_OVERLAY;     // "New Overlay"
inline constexpr int kStringNameTaken = IDS_OV_NAME_TAKEN;
inline constexpr int kStringNoForms = IDS_OV_NO_FORMS;
inline constexpr int kStringCreateForm = IDS_OV_CREATE_FORM;
inline constexpr int kStringNoName = IDS_OV_NO_NAME;
inline constexpr int kStringTrailingDot = IDS_OV_TRAILING_DOT;
inline constexpr int kStringInformation = IDS_OV_INFORMATION;   // "Information"

// The ZEOverlay option that makes the job create the forms.
inline constexpr int kCreateFormOption = 2;

// Combo box notifications of the form name (CBN_EDITCHANGE, CBN_EDITUPDATE);
// CBN_SELCHANGE is kSelectionChanged.
inline constexpr int kComboEditChange = 5;
inline constexpr int kComboEditUpdate = 6;

using ::wren::ui::ListEvent;

}  // namespace wren::ui::ov
