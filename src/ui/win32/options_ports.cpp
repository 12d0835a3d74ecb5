#include "ui/win32/options_ports.h"

#include "platform/win32/win32_ports.h"
#include "ui/plugin/ui_module.h"

namespace wren::ui {
namespace {

struct OptionPorts {
    win32::Win32PrinterAdmin printers;
    win32::Win32DriverRegistry registry;
    win32::Win32FileSecurity security;
    win32::Win32SystemServices system;
};

}  // namespace

InstallerPorts& installerPorts() {
    static OptionPorts own;
    win32::Win32Ports& p = win32::ports();
    static InstallerPorts ports{own.printers, p.spooler, p.profile, p.loader, p.codePage,
                                own.security, own.registry, own.system};
    return ports;
}

LookupState lastLookup() {
    const UiModule& m = uiModule();
    return LookupState{m.capabilityFilePath, m.pluginIniPath};
}

void rememberLookup(const LookupState& lookup) {
    UiModule& m = uiModule();
    m.capabilityFilePath = lookup.capabilityFile;
    m.pluginIniPath = lookup.pluginIni;
}

}  // namespace wren::ui
