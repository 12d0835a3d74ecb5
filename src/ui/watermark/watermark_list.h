// The list of watermarks one document property sheet works on: the "None"
// entry, the user's watermarks from the store, the copies that let the list
// dialog's Cancel put everything back, and the working copy that the editor
// edits and the previews show.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/config/driver_config.h"
#include "common/settings/private_record.h"
#include "platform/profile.h"
#include "ui/dialogs/ui_strings.h"
#include "ui/watermark/custom_colours.h"
#include "ui/watermark/watermark_fonts.h"
#include "ui/watermark/watermark_record.h"

namespace wren::ui {

struct WatermarkList {
    bool loaded = false;
    std::uint32_t selection = 0;           // 0: "None"
    std::vector<WatermarkRecord> entries;  // [0] "None", then the user's in list order
    // While the list dialog is open: the user's watermarks, the selection and
    // the "None" entry's two check boxes as they were when it opened.
    std::vector<WatermarkRecord> backups;
    std::uint32_t savedSelection = 0;
    std::uint8_t savedNoneFirstPageOnly = 0;
    std::uint16_t savedNoneInBackground = 0;
    WatermarkRecord working;
    std::u16string iniFile;
    // The slot the editor works on; 0 while a new watermark is made.
    std::uint32_t editedSlot = 0;

    int count() const { return entries.empty() ? 0 : int(entries.size()) - 1; }
    // The working copy from a slot; "None" shows a page without a watermark
    // and a new watermark starts with an empty text.
    void loadWorking(std::uint32_t slot);
};

// What the watermark dialogs reach beyond their controls. One per sheet;
// the custom colours and the list outlive each dialog.
struct WatermarkEnvironment {
    const Profile& profile;
    const UiStrings& strings;
    WatermarkList& list;
    CustomColourTable& customColours;
    std::u16string pluginIni;
    std::u16string fontFile;  // resolved path of the watermark font file; empty when none
    std::uint16_t threadLocale = 1033;
    // Runs a nested modal dialog (the editor from the list, the font dialog
    // from the editor) on this environment; its result.
    std::function<int(int templateId)> runDialog;

    WatermarkFontFile fonts() const { return WatermarkFontFile(profile, fontFile); }
    // A nested dialog that cannot be run confirmed nothing.
    int run(int templateId) const { return runDialog ? runDialog(templateId) : 0; }
};

// The font file named by "WMFONT" in the plug-in INI file, in the driver
// directory; empty when it has no name or no path.
std::u16string WatermarkFontFilePath(const Profile& profile, const DriverConfig& config,
                                     std::u16string_view pluginIni);

// The "None" entry, which new watermarks start from.
WatermarkRecord NoneWatermark(const WatermarkEnvironment& env);

// The first opening in a sheet: "None" and the stored watermarks; the
// selection from the settings record.
void LoadWatermarkList(const WatermarkEnvironment& env, std::uint32_t settingsIndex);
// Every opening of the list dialog: backups taken, a selection beyond the
// list becomes "None", the working copy from the selection.
void OpenWatermarkList(WatermarkList& list);
// The list dialog's Cancel.
void RestoreWatermarkList(WatermarkList& list);

bool SaveWatermarkList(const WatermarkList& list, const Profile& profile);
void FreeWatermarkList(WatermarkList& list);
// The sheet applies: a loaded list is written, then freed (the next opening
// reads the file again). The sheet is reset: a loaded list is freed.
bool CommitWatermarkEdits(WatermarkList& list, const Profile& profile);
void DropWatermarkEdits(WatermarkList& list);

// The chosen entry and a copy of it into the settings record, from which
// the rendering plug-in prints it.
void ApplyWatermarkToSettings(const WatermarkList& list, PrivateRecord& record);
// The colour as PostScript RGB operands, two decimals each.
std::string WatermarkColourText(std::uint32_t color);

}  // namespace wren::ui
