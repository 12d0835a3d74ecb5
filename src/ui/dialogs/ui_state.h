// Values the UI plug-in keeps per process: what the operating system is,
// what this user may write, and the few page states that outlive a sheet.
// They live here, in one place, rather than as statics in each page.
#pragma once

#include <cstdint>
#include <string>

#include "ui/watermark/custom_colours.h"

namespace wren::ui {

struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    // Version 6 or later: HTML Help, no title-bar help button, the
    // job-limitation and low-integrity rules.
    bool newer() const { return major >= 6; }
    // Windows XP and Server 2003.
    bool xpOr2003() const { return major == 5 && (minor == 1 || minor == 2); }
};

struct UiState {
    OsVersion os;
    // Writing the "W_TEST" printer data value succeeded for this printer.
    bool settingsWritable = false;

    // Sheet-state flags.
    bool coreVisited = false;     // the core driver's page became active
    bool pluginChanged = false;   // a plug-in page initialised or changed a value
    bool corePageRevisited = false;  // RevisitCorePage runs once per process

    // Job Options page.
    bool copiesWarningArmed = true;
    bool jobTypeDialogIdle = true;    // no JOB PIN or cipher dialog open
    bool jobTypeLastAccepted = true;  // the last job-type choice was kept

    // Help: the file of the current sheet, and whether HTML Help failed to load.
    std::u16string helpFile;
    bool htmlHelpFailed = false;

    // The colour chooser's custom colours: one table for the process, read
    // from and written to the plug-in INI file around each use.
    CustomColourTable customColours = InitialCustomColours();
};

}  // namespace wren::ui
