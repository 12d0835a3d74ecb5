// The Win32 ports that installed-option discovery, printer initialisation
// and the installer's exports work through, one set per process, and the
// module-wide results of the dependent-file lookup they share with the
// settings trees.
#pragma once

#include "platform/win32/win32_install_ports.h"
#include "ui/options/installer_ports.h"

namespace wren::ui {

InstallerPorts& installerPorts();

// The capability file and plug-in INI file of the process's last lookup.
LookupState lastLookup();
void rememberLookup(const LookupState& lookup);

}  // namespace wren::ui
