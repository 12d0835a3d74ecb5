#include "plugin_loading.h"

#include <winspool.h>

namespace wren::host {

std::wstring driverDirectory() {
    wchar_t dir[MAX_PATH + 1] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed))
        throw HostError("cannot read the printer-driver directory");
    return std::wstring(dir) + L"\\3\\";
}

}  // namespace wren::host
