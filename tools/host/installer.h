// Installs a driver package as a printer in the spooler: the files its INF
// lists become the driver's dependent files, with the system's PostScript
// driver (wineps.drv) as driver and configuration file and the PPD as data
// file; its machine files go into the Windows directory. A new printer then
// gets PrinterEvent(PRINTER_EVENT_INITIALIZE) through wrenui.dll, as the
// spooler raises it.
#pragma once

#include <string>

namespace wren::host {

inline constexpr wchar_t kDriverName[] = L"Wren ZE Colour PS";

struct InstallOptions {
    std::wstring packageDir;
    std::wstring printerName = L"Wren Test";
    // The capability file maps a driver name to its model, so one package
    // serves several models under several driver names.
    std::wstring driverName = kDriverName;
    std::wstring shareName;   // non-empty: the printer is shared
    bool network = false;     // the printer is marked as a network printer
    std::wstring portName = L"FILE:";
};

void installPackage(const InstallOptions& options);

}  // namespace wren::host
