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

// Made when the library loads (no function-local static: see ui_module.cpp).
OptionPorts gOwnPorts;
InstallerPorts gInstallerPorts{gOwnPorts.printers,          win32::processPorts.spooler,
                               win32::processPorts.profile, win32::processPorts.loader,
                               win32::processPorts.codePage, gOwnPorts.security,
                               gOwnPorts.registry,          gOwnPorts.system};
LastLookup gLastLookup;

}  // namespace

InstallerPorts& installerPorts() { return gInstallerPorts; }

LastLookup& lastLookup() { return gLastLookup; }

}  // namespace wren::ui
