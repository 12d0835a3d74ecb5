// Module-wide state of the UI plug-in: one per loaded library.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

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
};

UiModule& uiModule();
void checkOsVersion();

}  // namespace wren::ui
