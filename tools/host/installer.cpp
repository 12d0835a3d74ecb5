#include "installer.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "host_error.h"
#include "installer_event.h"
#include "installer_files.h"
#include "platform/win32/handles.h"
#include "host_files.h"

namespace wren::host {
namespace {

std::wstring driverDirectory() {
    wchar_t dir[MAX_PATH + 1] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed))
        throw HostError("cannot read the printer-driver directory");
    return dir;
}

// The colour swatch stand-in: when the package holds swatch.exe and its
// swatch.ini, the key that file names gets the value "install" = the folder
// the program was installed into, as the program's own installer would.
void registerSwatchProgram(const std::wstring& packageDir, const std::wstring& installedDir) {
    if (GetFileAttributesW((packageDir + L"\\swatch.exe").c_str()) == INVALID_FILE_ATTRIBUTES) return;
    wchar_t key[MAX_PATH] = {};
    GetPrivateProfileStringW(L"Install", L"Key", L"", key, MAX_PATH, (packageDir + L"\\swatch.ini").c_str());
    if (!key[0]) return;
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
        throw HostError("cannot write the swatch program's key " + narrow(key));
    const LONG set = RegSetValueExW(opened, L"install", 0, REG_SZ, reinterpret_cast<const BYTE*>(installedDir.c_str()),
                                    static_cast<DWORD>((installedDir.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
    if (set != ERROR_SUCCESS) throw HostError("cannot write the swatch program's folder");
}

}  // namespace

void installPackage(const InstallOptions& options) {
    const std::wstring target = driverDirectory();
    const std::wstring installed = target + L"\\3";
    CreateDirectoryW(installed.c_str(), nullptr);
    std::wstring ppd;
    std::vector<wchar_t> dependents;
    const PackageLayout layout = packageLayout(options.packageDir, options.driverName);
    // The spooler copies from the driver directory whatever paths it is
    // given, so the files are staged there first.
    for (const std::wstring& file : layout.driverFiles) {
        const std::wstring from = options.packageDir + L"\\" + file;
        if (!CopyFileW(from.c_str(), (target + L"\\" + file).c_str(), FALSE) ||
            !CopyFileW(from.c_str(), (installed + L"\\" + file).c_str(), FALSE))
            throw HostError("cannot copy " + narrow(file) + " into the driver directory");
        if (file == layout.dataFile) {
            ppd = file;
            continue;
        }
        dependents.insert(dependents.end(), file.begin(), file.end());
        dependents.push_back(L'\0');
    }
    dependents.push_back(L'\0');
    if (ppd.empty()) throw HostError("the package has no PPD");
    installMachineFiles(options.packageDir, layout);

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
    printer.pPortName = const_cast<wchar_t*>(options.portName.c_str());
    printer.pDriverName = const_cast<wchar_t*>(options.driverName.c_str());
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    if (!options.shareName.empty()) {
        printer.Attributes |= PRINTER_ATTRIBUTE_SHARED;
        printer.pShareName = const_cast<wchar_t*>(options.shareName.c_str());
    }
    if (options.network) printer.Attributes |= PRINTER_ATTRIBUTE_NETWORK;
    registerSwatchProgram(options.packageDir, installed);

    win32::UniquePrinter handle(AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer)));
    if (handle) {
        // A new printer: the core driver stores its installable options, and
        // the spooler then tells the driver about the printer.
        handle.reset();
        writeInstallableDefaults(options.printerName, installed + L"\\" + ppd);
        raisePrinterInitialize(options.printerName);
        return;
    }
    if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
        throw HostError("AddPrinterW failed: error " + std::to_string(GetLastError()));
    if (!OpenPrinterW(printer.pPrinterName, handle.out(), nullptr))
        throw HostError("the printer exists but cannot be opened");
    if (!SetPrinterW(handle.get(), 2, reinterpret_cast<BYTE*>(&printer), 0))
        throw HostError("SetPrinterW failed: error " + std::to_string(GetLastError()));
}

}  // namespace wren::host
