// The watermark preview of the two watermark dialogs: the owner-drawn box
// (control 1436) painted with GDI from the portable layout. The dialog
// procedures call it from WM_DRAWITEM and answer TRUE themselves.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "ui/watermark/watermark_fonts.h"
#include "ui/watermark/watermark_record.h"

namespace wren::ui {

// What the preview shows besides the record: the document's form name and
// DEVMODE orientation (1 portrait), and the record's "PrinterFont" entry
// (nothing when the font file or the entry is missing: the text is then
// drawn in the default screen face).
struct WatermarkPreviewPaper {
    std::u16string_view formName;
    int orientation = 1;
};

// Paints item.hDC inside item.rcItem only: the sunken edge, the page with
// its shadow and the watermark, composed off screen and copied in one
// BitBlt. `module` holds the bitmaps 3200..3203 (wrenui's own module); a
// missing bitmap leaves out the strip or shadow it would draw, never the
// rest.
void drawWatermarkPreview(const DRAWITEMSTRUCT& item, HMODULE module, const WatermarkRecord& working,
                          const WatermarkPreviewPaper& paper, const std::optional<PrinterFontEntry>& fontEntry);

}  // namespace wren::ui
