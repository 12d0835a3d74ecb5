// Installs a driver package as a printer in the spooler: the package's files
// become the driver's dependent files, with the system's PostScript driver
// (wineps.drv) as driver and configuration file and the PPD as data file.
#pragma once

#include <string>

namespace wren::host {

struct InstallOptions {
    std::wstring packageDir;
    std::wstring printerName = L"Wren Test";
    std::wstring shareName;   // non-empty: the printer is shared
    bool network = false;     // the printer is marked as a network printer
};

inline constexpr wchar_t kDriverName[] = L"Wren ZE Colour PS";

void installPackage(const InstallOptions& options);

}  // namespace wren::host
