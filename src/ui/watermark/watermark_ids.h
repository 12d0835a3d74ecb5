// Templates, controls and strings of the three watermark dialogs, by the
// names the controllers use, and the scroll-bar codes their procedures hand
// over unchanged. The numbers are the resource script's own.
#pragma once

#include "ui/resources/resource_ids.h"

namespace wren::ui::wm {

// Templates.
inline constexpr int kListDialog = IDD_WATERMARK;    // "Watermarks"
inline constexpr int kEditorDialog = IDD_WATERMARK_EDITOR;  // "Watermark"
inline constexpr int kFontDialog = IDD_WATERMARK_FONT;    // "Font"

// The list dialog.
inline constexpr int kEntryList = IDC_WM_LIST;        // list box
inline constexpr int kDeleteButton = IDC_WM_DELETE;
inline constexpr int kNewButton = IDC_WM_NEW;
inline constexpr int kEditButton = IDC_WM_EDIT;
inline constexpr int kPreview = IDC_WM_PREVIEW;          // owner-drawn, in both the list and the editor
inline constexpr int kFirstPageOnlyBox = IDC_WM_FIRST_PAGE;
inline constexpr int kBackgroundBox = IDC_WM_BACKGROUND;

// The editor.
inline constexpr int kTextEdit = IDC_WM_TEXT;
inline constexpr int kSizeEdit = IDC_WM_SIZE_EDIT;
inline constexpr int kSizeScroll = IDC_WM_SIZE_SCROLL;
inline constexpr int kAngleEdit = IDC_WM_ANGLE_EDIT;
inline constexpr int kAngleScroll = IDC_WM_ANGLE_SCROLL;
inline constexpr int kFontButton = IDC_WM_FONT_BUTTON;
inline constexpr int kColourButton = IDC_WM_COLOR_BUTTON;
inline constexpr int kOffsetXUpDown = IDC_WM_X_UPDOWN;
inline constexpr int kOffsetYUpDown = IDC_WM_Y_UPDOWN;
inline constexpr int kOffsetXEdit = IDC_WM_X_EDIT;
inline constexpr int kOffsetYEdit = IDC_WM_Y_EDIT;
inline constexpr int kBorderNone = IDC_WM_BORDER_NONE;      // 1439..1442: none, circle, single, double frame
inline constexpr int kBorderDoubleFrame = IDC_WM_BORDER_DOUBLE;
inline constexpr int kPositionList = IDC_WM_POSITION;

// The font dialog.
inline constexpr int kFontList = IDC_WM_FONT_LIST;
inline constexpr int kFontEdit = IDC_WM_FONT_EDIT;
inline constexpr int kStyleList = IDC_WM_STYLE_LIST;
inline constexpr int kStyleEdit = IDC_WM_STYLE_EDIT;
inline constexpr int kSizeList = IDC_WM_FSIZE_LIST;
inline constexpr int kFontSizeEdit = IDC_WM_FSIZE_EDIT;

// Strings.
inline constexpr int kStringNone = IDS_WM_NONE;             // "None"
inline constexpr int kStringCustomColourSection = IDS_WM_CUSTOM_COLOURS;  // "Custom Color"
inline constexpr int kStringDefaultFontName = IDS_WM_DEFAULT_FONT;  // "HeiseiMin-W3-90ms-RKSJ-H"
inline constexpr int kStringFirstPosition = IDS_WM_POSITION_FIRST;    // 8054..8060: "Upper Left" .. "Lower Right"
inline constexpr int kStringFirstSize = IDS_WM_SIZE_FIRST;        // 8061..8076: "8" .. "72"
inline constexpr int kStringFirstStyle = IDS_WM_STYLE_FIRST;       // 8077..8080: "Regular" .. "Bold Italic"
inline constexpr int kStringTooMany = IDS_WM_TOO_MANY;         // the seventeenth watermark
inline constexpr int kStringWarning = IDS_WARNING;         // "Warning"

// WM_HSCROLL codes.
inline constexpr int kScrollLineLeft = 0;
inline constexpr int kScrollLineRight = 1;
inline constexpr int kScrollPageLeft = 2;
inline constexpr int kScrollPageRight = 3;
inline constexpr int kScrollThumbPosition = 4;
inline constexpr int kScrollThumbTrack = 5;
inline constexpr int kScrollEnd = 8;

}  // namespace wren::ui::wm
