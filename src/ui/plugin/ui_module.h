// Module-wide state of the UI plug-in: one per loaded library.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "ui/dialogs/ui_state.h"
#include "ui/features/feature_mapping.h"

namespace wren::ui {

struct UiModule {
    HMODULE module = nullptr;
    std::atomic<long> locks{0};
    HMODULE supportLibrary = nullptr;  // loaded with the support page, freed at detach
    // Set once per process: the operating system is version 6 or later.
    bool versionChecked = false;
    bool newerOs = false;
    OSVERSIONINFOW version{};
    // Set by every dependent-file lookup of this process.
    std::u16string capabilityFilePath;
    // The plug-in INI file found when the settings tree was built last.
    std::u16string pluginIniPath;
    // Page and sheet state shared by every sheet of the process.
    UiState state;
    ProcessWideItems processItems;
};

UiModule& uiModule();
void checkOsVersion();

}  // namespace wren::ui
