// Installs a driver package as a printer in the spooler: the package's files
// become the driver's dependent files, with the system's PostScript driver
// (wineps.drv) as driver and configuration file and the PPD as data file.
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
};

void installPackage(const InstallOptions& options);

}  // namespace wren::host
