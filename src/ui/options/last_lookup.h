// The files the process's latest dependent-file lookup found. The installer
// asks for "the last lookup" without naming a printer; lookups for other
// printers may run on other threads at the same time, so the value is read
// and replaced whole, under a lock, and never handed out by reference.
#pragma once

#include <mutex>
#include <string>

#include "ui/options/installer_ports.h"

namespace wren::ui {

class LastLookup {
public:
    LookupState get() const {
        std::lock_guard<std::mutex> lock(guard_);
        return value_;
    }
    void remember(LookupState lookup) {
        std::lock_guard<std::mutex> lock(guard_);
        value_ = std::move(lookup);
    }
    // The outcome of a call that started from `before`: a call that looked
    // nothing up leaves alone what other threads remembered meanwhile.
    void rememberOutcome(const LookupState& before, LookupState after) {
        if (after.capabilityFile == before.capabilityFile && after.pluginIni == before.pluginIni) return;
        remember(std::move(after));
    }
    // A lookup that found only the capability file keeps the INI file of
    // the one before, as the installer expects.
    void rememberCapabilityFile(std::u16string capabilityFile) {
        std::lock_guard<std::mutex> lock(guard_);
        value_.capabilityFile = std::move(capabilityFile);
    }

private:
    mutable std::mutex guard_;
    LookupState value_;
};

}  // namespace wren::ui
