// What printer initialisation and the installer's two exports work through,
// and the process-wide results of the last dependent-file lookup that they
// share with the settings trees.
#pragma once

#include <string>

#include "platform/codepage.h"
#include "platform/driver_registry.h"
#include "platform/file_security.h"
#include "platform/library.h"
#include "platform/printer_admin.h"
#include "platform/profile.h"
#include "platform/spooler.h"
#include "platform/system_services.h"

namespace wren::ui {

struct InstallerPorts {
    const PrinterAdmin& printers;
    const Spooler& spooler;
    const Profile& profile;
    const LibraryLoader& loader;
    const CodePage& codePage;
    FileSecurity& security;
    const DriverRegistry& registry;
    SystemServices& system;
};

// Set by every dependent-file lookup of the process; empty before the first.
struct LookupState {
    std::u16string capabilityFile;
    std::u16string pluginIni;
};

inline constexpr char16_t kZeloptName[] = u"zelopt.dat";

}  // namespace wren::ui
