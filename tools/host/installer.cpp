#include "installer.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "host_error.h"
#include "platform/win32/handles.h"

namespace wren::host {
namespace {

std::string narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

std::wstring driverDirectory() {
    wchar_t dir[MAX_PATH + 1] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed))
        throw HostError("cannot read the printer-driver directory");
    return dir;
}

std::vector<std::wstring> packageFiles(const std::wstring& dir) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) throw HostError("package folder not found: " + narrow(dir));
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

bool endsWith(const std::wstring& name, const wchar_t* suffix) {
    std::wstring s(suffix);
    if (name.size() < s.size()) return false;
    return _wcsicmp(name.c_str() + name.size() - s.size(), s.c_str()) == 0;
}

}  // namespace

void installPackage(const InstallOptions& options) {
    const std::wstring target = driverDirectory();
    const std::wstring installed = target + L"\\3";
    CreateDirectoryW(installed.c_str(), nullptr);
    std::wstring ppd;
    std::vector<wchar_t> dependents;
    // The spooler copies from the driver directory whatever paths it is
    // given, so the files are staged there first.
    for (const std::wstring& file : packageFiles(options.packageDir)) {
        const std::wstring from = options.packageDir + L"\\" + file;
        if (!CopyFileW(from.c_str(), (target + L"\\" + file).c_str(), FALSE) ||
            !CopyFileW(from.c_str(), (installed + L"\\" + file).c_str(), FALSE))
            throw HostError("cannot copy " + narrow(file) + " into the driver directory");
        if (endsWith(file, L".ppd")) {
            ppd = file;
            continue;
        }
        dependents.insert(dependents.end(), file.begin(), file.end());
        dependents.push_back(L'\0');
    }
    dependents.push_back(L'\0');
    if (ppd.empty()) throw HostError("the package has no PPD");

    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(options.driverName.c_str());
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = ppd.data();
    driver.pDependentFiles = dependents.data();
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES))
        throw HostError("AddPrinterDriverExW failed: error " + std::to_string(GetLastError()));

    PRINTER_INFO_2W printer{};
    printer.pPrinterName = const_cast<wchar_t*>(options.printerName.c_str());
    printer.pPortName = const_cast<wchar_t*>(L"FILE:");
    printer.pDriverName = const_cast<wchar_t*>(options.driverName.c_str());
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    if (!options.shareName.empty()) {
        printer.Attributes |= PRINTER_ATTRIBUTE_SHARED;
        printer.pShareName = const_cast<wchar_t*>(options.shareName.c_str());
    }
    if (options.network) printer.Attributes |= PRINTER_ATTRIBUTE_NETWORK;
    win32::UniquePrinter handle(AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer)));
    if (!handle) {
        if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
            throw HostError("AddPrinterW failed: error " + std::to_string(GetLastError()));
        if (!OpenPrinterW(printer.pPrinterName, handle.out(), nullptr))
            throw HostError("the printer exists but cannot be opened");
        if (!SetPrinterW(handle.get(), 2, reinterpret_cast<BYTE*>(&printer), 0))
            throw HostError("SetPrinterW failed: error " + std::to_string(GetLastError()));
    }
}

}  // namespace wren::host
