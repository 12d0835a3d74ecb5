// The records the UI plug-in's pages share for one settings tree: the
// per-sheet context of the document sheet and the device-settings context
// of the printer sheet. The feature mapping fills the slots; the pages keep
// their working values here until the page is left or applied.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/overlay/overlay_session.h"
#include "ui/features/feature_ids.h"
#include "ui/watermark/watermark_list.h"

namespace wren::ui {

// One paper of the fit-to-page list, in the printer's order.
struct FitPaper {
    std::u16string name;        // display name, at most 63 characters
    std::int16_t id = 0;        // DMPAPER code
    std::int32_t width = 0;     // tenths of a millimetre
    std::int32_t length = 0;
    std::uint8_t hidden = 0;    // option flags of the paper-size option of the same name
};

struct SheetContext {
    DocumentFeatures features;
    // 0 when the model's "Compression" hides the Advanced dialog's choice.
    std::uint16_t compressionChoice = kAbsentItem;
    bool standardUiAsked = false;
    std::u16string pluginIni;   // the plug-in INI file of this printer

    // Job Options working values.
    bool icCardAvailable = false;
    bool jobLimited = false;
    std::vector<FitPaper> fitPapers;
    int defaultFitPosition = 0;
    // The overlay settings were changed in this sheet (committed on apply).
    bool overlaysChanged = false;
    // The overlay store's use by this sheet (its pending state), made when
    // the Overlays dialog first opens.
    std::optional<overlay::OverlaySession> overlays;
    // The watermark list of this sheet, loaded when the Watermarks dialog
    // first opens; written on apply, dropped on reset.
    WatermarkList watermarks;

    FeatureSlot& operator[](Feature f) { return features[f]; }
    const FeatureSlot& operator[](Feature f) const { return features[f]; }
    bool has(Feature f) const { return features.has(f); }
};

struct DeviceContext {
    DeviceFeatures features;
    FeatureSlot& operator[](DeviceFeature f) { return features[f]; }
    const FeatureSlot& operator[](DeviceFeature f) const { return features[f]; }
    bool has(DeviceFeature f) const { return features.has(f); }
};

}  // namespace wren::ui
