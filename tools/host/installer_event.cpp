#include "installer_event.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>

#include "host_error.h"
#include "platform/win32/handles.h"
#include "platform/win32/oem_interfaces.h"
#include "plugin_loading.h"
#include "ppd_reader.h"
#include "host_files.h"

#include <fstream>
#include <sstream>

namespace wren::host {
namespace {

using NotifyFn = DWORD(WINAPI*)(HANDLE, const char*);
using ConfigFn = DWORD(WINAPI*)(HANDLE);

win32::UniqueModule loadInstalledUi() {
    const std::wstring path = driverDirectory() + L"wrenui.dll";
    win32::UniqueModule module(LoadLibraryW(path.c_str()));
    if (!module) throw HostError(narrow(path) + " does not load");
    return module;
}

template <typename Fn>
Fn exportOf(HMODULE module, const char* name) {
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!fn) throw HostError(std::string("wrenui.dll lacks ") + name);
    return fn;
}

}  // namespace

void writeInstallableDefaults(const std::wstring& printerName, const std::wstring& ppdPath) {
    std::ifstream in(ppdPath.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    PpdError error;
    const std::optional<PpdFile> ppd = parsePpd(text.str(), error);
    if (!ppd) throw HostError(narrow(ppdPath) + ": " + error.message);
    std::string list;
    for (const PpdFeature& f : ppd->features) {
        if (!f.installable || f.options.empty()) continue;
        const std::string& option = f.options[f.defaultIndex()].keyword;
        list += f.keyword + '\0' + option + '\0' + '\n';
    }
    list += std::string(2, '\0');
    win32::UniquePrinter printer;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    std::wstring name = printerName;
    if (!OpenPrinterW(name.data(), printer.out(), &defaults)) throw HostError("the new printer cannot be opened");
    DWORD size = static_cast<DWORD>(list.size());
    if (SetPrinterDataW(printer.get(), const_cast<wchar_t*>(L"FeatureKeyword"), REG_BINARY,
                        reinterpret_cast<BYTE*>(list.data()), size) != ERROR_SUCCESS ||
        SetPrinterDataW(printer.get(), const_cast<wchar_t*>(L"FeatureKeywordSize"), REG_DWORD,
                        reinterpret_cast<BYTE*>(&size), sizeof size) != ERROR_SUCCESS)
        throw HostError("cannot write the new printer's installable options");
}

void raisePrinterInitialize(const std::wstring& printerName) {
    win32::UniqueModule module = loadInstalledUi();
    IPrintOemUI2* plugin = createPlugin<IPrintOemUI2>(module.get(), CLSID_OEMUI, IID_IPrintOemUI2, "wrenui.dll");
    std::wstring name = printerName;
    const HRESULT hr = plugin->PrinterEvent(name.data(), PRINTER_EVENT_INITIALIZE, 0, 0);
    plugin->Release();
    std::printf("printer event initialize: 0x%08lX\n", static_cast<unsigned long>(hr));
    std::fflush(stdout);
    if (FAILED(hr)) throw HostError("wrenui.dll failed to initialise the printer");
}

int runInstallerExports(const std::vector<std::wstring>& args) {
    std::wstring printerName = L"Wren Test";
    std::vector<std::wstring> calls;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"--printer" && i + 1 < args.size()) printerName = args[++i];
        else if (args[i] == L"notify" || args[i] == L"config") calls.push_back(args[i]);
        else throw HostError("unknown installer argument " + narrow(args[i]));
    }
    if (calls.empty()) throw HostError("usage: wrenhost installer [--printer NAME] (notify|config)...");
    win32::UniquePrinter printer;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(printerName.data(), printer.out(), &defaults))
        throw HostError("printer not installed: " + narrow(printerName));
    win32::UniqueModule module = loadInstalledUi();
    // The installer hands the name over in the system code page.
    char name[221] = {};
    WideCharToMultiByte(CP_ACP, 0, printerName.c_str(), -1, name, sizeof name - 1, nullptr, nullptr);
    for (const std::wstring& call : calls) {
        if (call == L"notify") {
            const DWORD result = exportOf<NotifyFn>(module.get(), "NotifyDrvInstToPrinter")(printer.get(), name);
            std::printf("NotifyDrvInstToPrinter: %lu\n", static_cast<unsigned long>(result));
        } else {
            const DWORD result = exportOf<ConfigFn>(module.get(), "ConfigDeviceOptionExp")(printer.get());
            std::printf("ConfigDeviceOptionExp: %lu\n", static_cast<unsigned long>(result));
        }
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace wren::host
