// Module-wide state of the UI plug-in: one per loaded library. The printer
// folder opens several printers' sheets at once in one process, each on its
// own thread, and the spooler asks for defaults and raises events for
// different printers on its own threads: nothing here changes per printer,
// sheet or job. Each sheet's state lives in its sheet context.
#pragma once

#include <windows.h>

#include <atomic>

#include "ui/dialogs/ui_state.h"

namespace wren::ui {

struct UiModule {
    HMODULE module = nullptr;  // set once, at load
    std::atomic<long> locks{0};
    std::atomic<long> liveObjects{0};
};

UiModule& uiModule();

// What the operating system is; asked once per process.
const OsVersion& osVersion();

}  // namespace wren::ui
