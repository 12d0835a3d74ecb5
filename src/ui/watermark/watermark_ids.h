// Templates, controls and strings of the three watermark dialogs, and the
// scroll-bar codes their procedures hand over unchanged. The resource
// script defines the same numbers for the templates.
#pragma once

namespace wren::ui::wm {

// Templates.
inline constexpr int kListDialog = 112;    // "Watermarks"
inline constexpr int kEditorDialog = 114;  // "Watermark"
inline constexpr int kFontDialog = 115;    // "Font"

// The list dialog.
inline constexpr int kEntryList = 1401;        // list box
inline constexpr int kDeleteButton = 1402;
inline constexpr int kNewButton = 1403;
inline constexpr int kEditButton = 1404;
inline constexpr int kPreview = 1436;          // owner-drawn, in both the list and the editor
inline constexpr int kFirstPageOnlyBox = 1437;
inline constexpr int kBackgroundBox = 1448;

// The editor.
inline constexpr int kTextEdit = 1411;
inline constexpr int kSizeEdit = 1413;
inline constexpr int kSizeScroll = 1414;
inline constexpr int kAngleEdit = 1416;
inline constexpr int kAngleScroll = 1417;
inline constexpr int kFontButton = 1418;
inline constexpr int kColourButton = 1419;
inline constexpr int kOffsetXUpDown = 1421;
inline constexpr int kOffsetYUpDown = 1422;
inline constexpr int kOffsetXEdit = 1432;
inline constexpr int kOffsetYEdit = 1434;
inline constexpr int kBorderNone = 1439;      // 1439..1442: none, circle, single, double frame
inline constexpr int kBorderDoubleFrame = 1442;
inline constexpr int kPositionList = 1443;

// The font dialog.
inline constexpr int kFontList = 1450;
inline constexpr int kFontEdit = 1451;
inline constexpr int kStyleList = 1453;
inline constexpr int kStyleEdit = 1454;
inline constexpr int kSizeList = 1456;
inline constexpr int kFontSizeEdit = 1457;

// Strings.
inline constexpr int kStringNone = 8050;             // "None"
inline constexpr int kStringCustomColourSection = 8053;  // "Custom Color"
inline constexpr int kStringDefaultFontName = 8052;  // "HeiseiMin-W3-90ms-RKSJ-H"
inline constexpr int kStringFirstPosition = 8054;    // 8054..8060: "Upper Left" .. "Lower Right"
inline constexpr int kStringFirstSize = 8061;        // 8061..8076: "8" .. "72"
inline constexpr int kStringFirstStyle = 8077;       // 8077..8080: "Regular" .. "Bold Italic"
inline constexpr int kStringTooMany = 10040;         // the seventeenth watermark
inline constexpr int kStringWarning = 10041;         // "Warning"

// WM_HSCROLL codes.
inline constexpr int kScrollLineLeft = 0;
inline constexpr int kScrollLineRight = 1;
inline constexpr int kScrollPageLeft = 2;
inline constexpr int kScrollPageRight = 3;
inline constexpr int kScrollThumbPosition = 4;
inline constexpr int kScrollThumbTrack = 5;
inline constexpr int kScrollEnd = 8;

}  // namespace wren::ui::wm
