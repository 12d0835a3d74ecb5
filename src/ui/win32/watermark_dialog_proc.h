// The three watermark dialogs on Win32: the list ("Watermarks") that the
// Job Options page opens, the editor ("Watermark") that the list opens, and
// the font chooser ("Font") that the editor opens. One session per opening
// of the list: it holds what the portable controllers reach (the sheet's
// list, the process's custom colours, the font file) and what the preview
// shows besides the record (the document's form and orientation).
#pragma once

#include <windows.h>

#include <string>

#include "common/settings/private_record.h"
#include "ui/dialogs/ui_state.h"
#include "ui/watermark/watermark_list.h"

namespace wren::ui {

class PageShell;

struct WatermarkSession {
    WatermarkEnvironment env;
    PrivateRecord& record;
    UiState& state;  // the sheet's: help and its rules
    std::u16string formName;  // the document's form; empty: A4
    int orientation = 1;      // the document's DEVMODE orientation
    // The dialog in front, owner of the next nested one.
    HWND front = nullptr;
};

// The list dialog over the page's sheet; 1 for OK, 0 for Cancel (and when
// the dialog could not be made).
int RunWatermarkListDialog(HWND owner, PageShell& page);

// The nested dialogs, each owned by the dialog in front of the session.
int RunWatermarkEditorDialog(WatermarkSession& session);
int RunWatermarkFontDialog(WatermarkSession& session);

// WM_DRAWITEM of the preview box (1436): the working copy on the
// document's paper.
void DrawSessionPreview(const DRAWITEMSTRUCT& item, const WatermarkSession& session);

}  // namespace wren::ui
