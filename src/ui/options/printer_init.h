// What the UI plug-in does when the spooler installs a printer
// (PrinterEvent with PRINTER_EVENT_INITIALIZE): it marks the printer for the
// spooler's user-mode driver, opens up the driver's files, settles the
// default DEVMODE and takes the installable options from the machine's
// option file.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/options/installer_ports.h"

namespace wren::ui {

inline constexpr std::u16string_view kUserModeDriverValue = u"SPLUserModePrinterDriver";
inline constexpr int kInitialised = 0;
inline constexpr int kInitialisationFailed = 1;  // PrinterEvent then answers E_FAIL

// `userModeDriver` is string 30000 of the user's language (a library name).
int InitialisePrinter(std::u16string_view printerName, std::u16string_view userModeDriver, InstallerPorts& ports,
                      LookupState& lookup);

// The machine's zelopt.dat into section "Usertype" and the printer's
// "FeatureKeyword" in its PrinterDriverData key. Nothing happens without the
// file, the printer's section, the key or a readable "FeatureKeyword".
void UpdateFromMachineOptions(const OpenedPrinter& printer, std::u16string_view printerName, InstallerPorts& ports,
                              const LookupState& lookup);

}  // namespace wren::ui
