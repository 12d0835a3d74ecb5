// wrenhost preferences: the core driver's user-interface module around the
// UI plug-in. It builds the settings tree from the installed printer's
// description and the ticket, lets the plug-in add its items and pages,
// shows the sheet (optionally driven by a script) and, after OK, writes
// what was chosen as a ticket.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "script_runner.h"

namespace wren::host {

struct PreferencesOptions {
    std::wstring ticketPath;
    std::wstring savePath;       // empty: over the ticket
    unsigned startPage = 0;      // the page the sheet opens on (0: the host's own)
    std::wstring scriptPath;     // empty: the user drives the sheet
    std::wstring screenshotDir;  // empty: screenshot actions do nothing
    bool printerProperties = false;
    std::wstring pluginPath;     // a wrenui.dll to use instead of the installed one
    // One of several sheets up at once (see preferences_sheets.h): its name
    // starts its lines of output, its script keeps company with the others'.
    std::string sheetName;
    ScriptCompany company;
    std::optional<POINT> position;  // where the sheet goes on the screen
};

int runPreferences(const PreferencesOptions& options);

}  // namespace wren::host
