// wrenhost: plays the core PostScript driver for a printer installed in the
// spooler, so the plug-ins can be driven end to end.
//
// The commands and their options: usage.h. With preferences --and, the
// sheets are up at once, each on its own thread; each saves its own ticket.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host_files.h"
#include "host_error.h"
#include "installer.h"
#include "installer_event.h"
#include "platform/win32/handles.h"
#include "plugin_loading.h"
#include "preferences_command.h"
#include "preferences_sheets.h"
#include "print_command.h"
#include "preview_command.h"
#include "record_dump.h"
#include "unseal_command.h"
#include "usage.h"

namespace wren::host {
namespace {

int install(const std::vector<std::wstring>& args) {
    if (args.empty()) throw HostError(usageOf("install"));
    InstallOptions options;
    options.packageDir = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == L"--printer" && i + 1 < args.size()) options.printerName = args[++i];
        else if (args[i] == L"--driver" && i + 1 < args.size()) options.driverName = args[++i];
        else if (args[i] == L"--share" && i + 1 < args.size()) options.shareName = args[++i];
        else if (args[i] == L"--network") options.network = true;
        else if (args[i] == L"--port" && i + 1 < args.size()) options.portName = args[++i];
        else throw HostError("unknown option " + narrow(args[i]));
    }
    installPackage(options);
    std::printf("installed printer \"%s\" (driver \"%s\")\n", narrow(options.printerName).c_str(),
                narrow(options.driverName).c_str());
    return 0;
}

// The defaults record the UI plug-in writes for the printer, as the core
// driver asks for it, field by field.
int record(const std::vector<std::wstring>& args) {
    std::wstring printerName = L"Wren Test";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"--printer" && i + 1 < args.size()) printerName = args[++i];
        else throw HostError("unknown option " + narrow(args[i]));
    }
    win32::UniquePrinter printer;
    if (!OpenPrinterW(const_cast<wchar_t*>(printerName.c_str()), printer.out(), nullptr))
        throw HostError("printer not installed: " + narrow(printerName));
    const std::wstring path = driverDirectory() + L"wrenui.dll";
    win32::UniqueModule module(LoadLibraryW(path.c_str()));
    if (!module) throw HostError("wrenui.dll does not load from the driver directory");
    IPrintOemUI2* ui = createPlugin<IPrintOemUI2>(module.get(), CLSID_OEMUI, IID_IPrintOemUI2, "wrenui.dll");
    OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.hPrinter = printer.get();
    param.hModule = module.get();
    std::vector<BYTE> record;
    if (SUCCEEDED(ui->DevMode(OEMDM_SIZE, &param)) && param.cbBufSize >= sizeof(PrivateRecord)) {
        record.assign(param.cbBufSize, 0);
        param.pOEMDMOut = record.data();
    }
    HRESULT hr = record.empty() ? E_FAIL : ui->DevMode(OEMDM_DEFAULT, &param);
    ui->Release();
    if (FAILED(hr)) throw HostError("wrenui.dll did not write the defaults");
    std::printf("defaults of \"%s\" from wrenui.dll (%lu bytes):\n%s", narrow(printerName).c_str(),
                static_cast<unsigned long>(record.size()),
                describeRecord(*reinterpret_cast<const PrivateRecord*>(record.data())).c_str());
    return 0;
}

// One sheet's part of the command line: its ticket and its options.
PreferencesOptions preferencesSheet(const std::vector<std::wstring>& args) {
    if (args.empty() || args[0].rfind(L"--", 0) == 0) throw HostError(usageOf("preferences"));
    PreferencesOptions options;
    options.ticketPath = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == L"--save" && i + 1 < args.size()) options.savePath = args[++i];
        else if (args[i] == L"--script" && i + 1 < args.size()) options.scriptPath = args[++i];
        else if (args[i] == L"--screenshot" && i + 1 < args.size()) options.screenshotDir = args[++i];
        else if (args[i] == L"--printer-properties") options.printerProperties = true;
        else if (args[i] == L"--start-page" && i + 1 < args.size()) options.startPage = static_cast<unsigned>(_wtoi(args[++i].c_str()));
        else if (args[i] == L"--plugin" && i + 1 < args.size()) options.pluginPath = args[++i];
        else throw HostError("unknown option " + narrow(args[i]));
    }
    return options;
}

// "--and" starts the next sheet: several are shown at once, each on its
// own thread.
int preferences(const std::vector<std::wstring>& args) {
    std::vector<PreferencesOptions> sheets;
    std::vector<std::wstring> part;
    for (std::size_t i = 0; i <= args.size(); ++i) {
        if (i < args.size() && args[i] != L"--and") {
            part.push_back(args[i]);
            continue;
        }
        sheets.push_back(preferencesSheet(part));
        part.clear();
    }
    return sheets.size() == 1 ? runPreferences(sheets.front()) : runPreferenceSheets(std::move(sheets));
}

}  // namespace
}  // namespace wren::host

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    try {
        if (args.empty()) throw wren::host::HostError(wren::host::usageOf(""));
        std::wstring command = args.front();
        args.erase(args.begin());
        if (command == L"install") return wren::host::install(args);
        if (command == L"print") return wren::host::printTickets(args);
        if (command == L"preview") return wren::host::runPreview(args, wren::host::printTickets);
        if (command == L"record") return wren::host::record(args);
        if (command == L"preferences") return wren::host::preferences(args);
        if (command == L"unseal") return wren::host::unseal(args);
        if (command == L"installer") return wren::host::runInstallerExports(args);
        throw wren::host::HostError("unknown command " + wren::host::narrow(command));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wrenhost: %s\n", e.what());
        return 1;
    }
}
