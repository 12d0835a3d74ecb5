// The Win32 ports that installed-option discovery, printer initialisation
// and the installer's exports work through, one set per process (they keep
// no state), and the process's last dependent-file lookup they share with
// the settings trees.
#pragma once

#include "platform/win32/win32_install_ports.h"
#include "ui/options/installer_ports.h"
#include "ui/options/last_lookup.h"

namespace wren::ui {

InstallerPorts& installerPorts();

// The capability file and plug-in INI file of the process's last lookup.
LastLookup& lastLookup();

}  // namespace wren::ui
