#include "installed_ppd.h"

#include <winspool.h>

#include <string>
#include <vector>

#include "host_error.h"
#include "host_files.h"

namespace wren::host {

PpdFile InstalledDescription(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (!GetPrinterDriverW(printer, nullptr, 3, buffer.data(), needed, &needed))
        throw HostError("cannot read the printer's driver: error " + std::to_string(GetLastError()));
    const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
    if (!info->pDataFile) throw HostError("the printer's driver has no data file");
    PpdError error;
    std::optional<PpdFile> ppd = parsePpd(readFile(info->pDataFile), error);
    if (!ppd) throw HostError(narrow(info->pDataFile) + ": " + error.message);
    return *ppd;
}

}  // namespace wren::host
