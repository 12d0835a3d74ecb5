// The two exports the printer family's installer calls after it has added a
// printer: NotifyDrvInstToPrinter (duplex printing by default, from the USB
// option data file) and ConfigDeviceOptionExp (the installable options read
// over USB).
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/options/installer_ports.h"

namespace wren::ui {

inline constexpr std::uint32_t kNotifyDone = 0;
inline constexpr std::uint32_t kNotifyNoDataFile = 1;
inline constexpr std::uint32_t kNotifyWriteFailed = 2;

// Reads the capability file of the process's last lookup (`lookup`): it runs
// none of its own.
std::uint32_t NotifyDrvInstToPrinter(PrinterHandle handle, std::u16string_view printerName, InstallerPorts& ports,
                                     const LookupState& lookup);

// 1 once the USB option data file was read, 0 otherwise; a printer on any
// port other than USB is left alone without reading any file.
std::uint32_t ConfigDeviceOptionExp(PrinterHandle handle, InstallerPorts& ports, LookupState& lookup);

}  // namespace wren::ui
