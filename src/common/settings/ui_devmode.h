// The UI plug-in's answers to the core driver's DEVMODE requests: it creates
// the private record with defaults and rebuilds or merges stored records.
#pragma once

#include <cstdint>

#include "common/settings/private_record.h"
#include "common/settings/settings_environment.h"

namespace wren {

void uiDefaults(PrivateRecord& out, PrinterHandle printer, const SettingsEnvironment& env);
void uiConvert(const PrivateRecord* in, PrivateRecord* out, PrinterHandle printer, const SettingsEnvironment& env);
void uiMerge(const PrivateRecord* in, PrivateRecord* out, PrinterHandle printer, const SettingsEnvironment& env);

// The request as the plug-in object receives it (null request = absent block).
DevModeStatus uiDevMode(std::uint32_t mode, const DevModeRequest* request, const SettingsEnvironment& env);

}  // namespace wren
