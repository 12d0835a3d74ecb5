// Several printing-preferences sheets in one process, as the printer folder
// opens them: each built and shown on its own thread, with its own plug-in
// object from the one loaded wrenui.dll, its own settings tree, helper and
// script runner. The sheets come up together: every script starts acting
// only once all the sheets are shown, so their actions interleave. Each
// sheet saves its own ticket; a failure in any of them makes the status 1,
// with one line on stderr naming the sheet.
#pragma once

#include <vector>

#include "preferences_command.h"

namespace wren::host {

int runPreferenceSheets(std::vector<PreferencesOptions> sheets);

}  // namespace wren::host
