// The printer tree's callback over the core driver's structures, and
// whether the tree's query button has anything to ask.
#pragma once

#include <windows.h>

#include "platform/win32/oem_interfaces.h"
#include "ui/options/installer_ports.h"

namespace wren::ui {

LONG APIENTRY DeviceOptionsCallback(PCPSUICBPARAM callback, POEMCUIPPARAM param) noexcept;

// The model names a network option library that loads and answers
// GetNetextCapability with non-zero for this printer (`files`: the printer
// sheet's lookup).
bool OptionQueryAvailable(POEMCUIPPARAM param, LookupState& files);

}  // namespace wren::ui
