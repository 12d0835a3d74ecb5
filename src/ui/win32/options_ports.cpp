#include "ui/win32/options_ports.h"

#include "platform/win32/win32_ports.h"

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

LastLookup& lastLookup() {
    static LastLookup lookup;
    return lookup;
}

}  // namespace wren::ui
