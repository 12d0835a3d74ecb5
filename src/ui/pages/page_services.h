// What a document page reaches beyond its own controls: the printer and its
// configuration, the family's libraries, the core driver's selections, the
// settings record, and the sheet around it. One bundle per open sheet.
#pragma once

#include <cstdint>
#include <string>

#include "common/config/driver_config.h"
#include "common/settings/private_record.h"
#include "platform/codepage.h"
#include "platform/driver_settings.h"
#include "platform/library.h"
#include "platform/profile.h"
#include "platform/spooler.h"
#include "ui/dialogs/ui_state.h"
#include "ui/dialogs/ui_strings.h"
#include "ui/features/option_tree.h"
#include "ui/features/sheet_context.h"
#include "ui/colour/colour_ids.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {

// The document's public DEVMODE values the pages consult.
struct DocumentFacts {
    std::int16_t paperSize = 9;     // dmPaperSize
    std::int16_t orientation = 1;   // dmOrientation, 1 portrait
    std::uint8_t layoutValue = 0;   // byte 356 of the core driver's DEVMODE
    bool noPermission = false;      // the user may not change the document settings
};

inline constexpr std::int16_t kCustomPaperSize = 32767;

// Modal sub-dialogs and sheet operations, by template number.
inline constexpr int kWatermarkDialog = IDD_WATERMARK;
inline constexpr int kOverlayDialog = IDD_OVERLAYS;
inline constexpr int kAdvancedDialog = IDD_ADVANCED;
inline constexpr int kAboutDialog = IDD_ABOUT_DIALOG;
inline constexpr int kJobPinDialog = IDD_JOB_PIN;
inline constexpr int kWarningDialog301 = IDD_WARNING_301;

class SheetActions {
public:
    virtual ~SheetActions() = default;
    // Runs a modal sub-dialog owned by the page; its result.
    virtual int runDialog(int templateId) = 0;
    // Whether this build has the sub-dialog at all (its button is disabled
    // otherwise, rather than doing nothing when clicked).
    virtual bool offers(int templateId) const = 0;
    // CPSFUNC_SET_RESULT with CPSUI_OK for this page.
    virtual void reportApplied() = 0;
    // RevisitCorePage (the sheet selects the core driver's page and back).
    virtual void revisitCorePage() = 0;
    // The shell's default action on a text (a link).
    virtual void openLink(std::u16string_view target) = 0;
    // Watermark edits pending in this sheet, and the overlay store.
    virtual void saveWatermarkEdits() = 0;
    virtual void dropWatermarkEdits() = 0;
    virtual void commitOverlayStore() = 0;
};

struct PageServices {
    const Profile& profile;
    const Spooler& spooler;
    const LibraryLoader& loader;
    const CodePage& codePage;
    const DriverSettings& settings;  // the core driver's current feature selections
    const DriverConfig& config;
    const UiStrings& strings;
    UiState& state;
    OptionTree& tree;
    SheetContext& context;
    PrivateRecord& record;
    DocumentFacts document;
    std::u16string capabilityFile;
    std::u16string printerName;
    std::uint16_t threadLocale = 1033;  // GetThreadLocale's language
};

}  // namespace wren::ui
