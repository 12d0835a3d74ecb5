#include "preferences_command.h"
#include "host_files.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "common/config/ini_document.h"
#include "host_error.h"
#include "installed_ppd.h"
#include "option_tree_builder.h"
#include "platform/win32/handles.h"
#include "plugin_loading.h"
#include "ppd_reader.h"
#include "preferences_model.h"
#include "preferences_output.h"
#include "script_parser.h"
#include "script_runner.h"
#include "sheet_host.h"
#include "ticket.h"
#include "ticket_writer.h"
#include "ui_helper.h"
#include "platform/win32/devmode_bridge.h"

namespace wren::host {
namespace {

// The core driver's own area after the public DEVMODE: the plug-in may
// look as far as byte 356 of the whole.
constexpr WORD kCoreDriverExtra = 360 - sizeof(DEVMODEW);

void writeFile(const std::wstring& path, const std::string& data) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) throw HostError("cannot write " + narrow(path));
    const bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    if (std::fclose(file) != 0 || !ok) throw HostError("cannot write " + narrow(path));
}

std::wstring fullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH + 1];
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH + 1, full, nullptr);
    return (n > 0 && n <= MAX_PATH) ? std::wstring(full, n) : path;
}

std::wstring folderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// A [job] path relative to the old ticket, absolute for the new one.
std::u16string rebased(const std::u16string& path, const std::wstring& folder) {
    if (path.empty()) return path;
    std::wstring p = wide(path);
    const bool absolute = p[0] == L'\\' || p[0] == L'/' || (p.size() > 1 && p[1] == L':');
    std::wstring full = fullPath(absolute ? p : folder + L"\\" + p);
    return std::u16string(full.begin(), full.end());
}

std::string hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

void defaultDevmode(DEVMODEW& dm, const std::wstring& printer) {
    wcsncpy(dm.dmDeviceName, printer.c_str(), CCHDEVICENAME - 1);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmSize = sizeof(DEVMODEW);
    dm.dmDriverExtra = kCoreDriverExtra;
    dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_SCALE | DM_COPIES | DM_COLOR | DM_DUPLEX | DM_NUP |
                  DM_PRINTQUALITY | DM_COLLATE;
    dm.dmOrientation = DMORIENT_PORTRAIT;
    dm.dmPaperSize = DMPAPER_A4;
    dm.dmPaperWidth = 2100;
    dm.dmPaperLength = 2970;
    dm.dmScale = 100;
    dm.dmCopies = 1;
    dm.dmPrintQuality = 600;
    dm.dmColor = DMCOLOR_COLOR;
    dm.dmDuplex = DMDUP_SIMPLEX;
    dm.dmNup = DMNUP_SYSTEM;
}

// Keeps the ticket's own [devmode] fields and puts the items' values over
// those they stand for.
TicketFields mergedDevmode(const TicketFields& original, const TicketFields& fromItems) {
    TicketFields merged = original;
    for (const auto& field : fromItems) {
        bool replaced = false;
        for (auto& existing : merged)
            if (existing.first == field.first) existing.second = field.second, replaced = true;
        if (!replaced) merged.push_back(field);
    }
    return merged;
}

struct HeapOwner {
    HANDLE heap = HeapCreate(0, 0, 0);
    ~HeapOwner() { if (heap) HeapDestroy(heap); }
};

struct PluginOwner {
    IPrintOemUI2* plugin = nullptr;
    ~PluginOwner() { if (plugin) plugin->Release(); }
};

}  // namespace

int runPreferences(const PreferencesOptions& options) {
    TicketError ticketError;
    std::optional<Ticket> ticket = parseTicket(readFile(options.ticketPath), ticketError);
    if (!ticket) throw HostError(narrow(options.ticketPath) + ": " + ticketError.message);
    std::optional<std::vector<ScriptAction>> script;
    if (!options.scriptPath.empty()) {
        ScriptError error;
        script = parseScript(readFile(options.scriptPath), error);
        if (!script) throw HostError(narrow(options.scriptPath) + ": " + error.message);
    }
    if (!options.screenshotDir.empty()) CreateDirectoryW(options.screenshotDir.c_str(), nullptr);

    const DWORD mode = options.printerProperties ? OEMCUIP_PRNPROP : OEMCUIP_DOCPROP;
    std::wstring printerName = wide(ticket->printer);
    win32::UniquePrinter printer;
    if (!OpenPrinterW(printerName.data(), printer.out(), nullptr))
        throw HostError("printer not installed: " + toUtf8(ticket->printer));
    const PpdFile ppd = InstalledDescription(printer.get());

    // The public DEVMODE with the core driver's area after it.
    std::vector<BYTE> publicDm(sizeof(DEVMODEW) + kCoreDriverExtra, 0);
    auto* devmode = reinterpret_cast<DEVMODEW*>(publicDm.data());
    defaultDevmode(*devmode, printerName);
    if (!applyDevmodeFields(*ticket, *win32::publicDevmode(devmode), ticketError))
        throw HostError(ticketError.message);

    HeapOwner heap;
    if (!heap.heap) throw HostError("HeapCreate failed");
    std::vector<TreeItem> model = options.printerProperties
                                      ? buildPrinterItems(ppd, *ticket)
                                      : buildDocumentItems(ppd, *ticket, *win32::publicDevmode(devmode));
    OptionTreeStorage tree(model);
    HostUiHelper helper(ppd, *ticket, tree, model);
    const std::string out = sheetOutputPrefix(options.sheetName);
    helper.setOutputPrefix(out);

    const std::wstring path = options.pluginPath.empty() ? driverDirectory() + L"wrenui.dll" : options.pluginPath;
    win32::UniqueModule module(LoadLibraryW(path.c_str()));
    if (!module) throw HostError(narrow(path) + " does not load");
    PluginOwner owner;
    owner.plugin = createPlugin<IPrintOemUI2>(module.get(), CLSID_OEMUI, IID_IPrintOemUI2, "wrenui.dll");
    IPrintOemUI2* plugin = owner.plugin;

    // The document's record: the plug-in's defaults with the ticket's fields.
    OEMDMPARAM dmParam{};
    dmParam.cbSize = sizeof dmParam;
    dmParam.hPrinter = printer.get();
    dmParam.hModule = module.get();
    if (FAILED(plugin->DevMode(OEMDM_SIZE, &dmParam)) || dmParam.cbBufSize < sizeof(PrivateRecord))
        throw HostError("wrenui.dll did not report its private DEVMODE size");
    std::vector<BYTE> record(dmParam.cbBufSize, 0);
    dmParam.pPublicDMIn = devmode;
    dmParam.pPublicDMOut = devmode;
    dmParam.pOEMDMOut = record.data();
    if (FAILED(plugin->DevMode(OEMDM_DEFAULT, &dmParam))) throw HostError("wrenui.dll did not write the defaults");
    if (!applyPrivateFields(*ticket, *reinterpret_cast<PrivateRecord*>(record.data()), ticketError))
        throw HostError(ticketError.message);

    if (FAILED(plugin->PublishDriverInterface(static_cast<IPrintOemDriverUI*>(&helper))))
        throw HostError("wrenui.dll refused the driver's UI helper interface");
    // The core driver asks whether the plug-in replaces its standard pages
    // before it builds the tree; the answer (E_NOTIMPL: they stay) is ours
    // to ignore, the asking is what the plug-in remembers.
    plugin->HideStandardUI(mode);

    OEMCUIPPARAM cuip{};
    cuip.cbSize = sizeof cuip;
    cuip.poemuiobj = helper.uiObject();
    cuip.hPrinter = printer.get();
    cuip.pPrinterName = printerName.data();
    cuip.hModule = module.get();
    cuip.hOEMHeap = heap.heap;
    cuip.pPublicDM = devmode;
    cuip.pOEMDM = record.data();
    cuip.dwFlags = 0;
    cuip.pDrvOptItems = tree.items();
    cuip.cDrvOptItems = tree.count();

    SheetOptions sheetOptions;
    QueryPerformanceCounter(&sheetOptions.started);
    // First the count of the plug-in's items, then the items themselves.
    HRESULT hr = plugin->CommonUIProp(mode, &cuip);
    if (hr == E_NOTIMPL) throw HostError("wrenui.dll does not build its settings items yet (CommonUIProp: E_NOTIMPL)");
    if (FAILED(hr)) throw HostError("wrenui.dll CommonUIProp failed: " + hex(hr));
    // The core driver keeps the plug-in's items at the end of its own
    // array, so the second call always gets an address, even for none.
    const std::size_t ownItems = cuip.cOEMOptItems > 0 ? cuip.cOEMOptItems : 1;
    cuip.pOEMOptItems = static_cast<OPTITEM*>(HeapAlloc(heap.heap, HEAP_ZERO_MEMORY, sizeof(OPTITEM) * ownItems));
    if (!cuip.pOEMOptItems) throw HostError("out of memory for the plug-in's items");
    hr = plugin->CommonUIProp(mode, &cuip);
    if (FAILED(hr)) throw HostError("wrenui.dll CommonUIProp (items) failed: " + hex(hr));
    printSheetLine(out, "settings tree: %lu core item(s), %lu plug-in item(s)",
                   static_cast<unsigned long>(cuip.cDrvOptItems), static_cast<unsigned long>(cuip.cOEMOptItems));

    OEMUIPSPARAM psParam{};
    psParam.cbSize = sizeof psParam;
    psParam.poemuiobj = helper.uiObject();
    psParam.hPrinter = printer.get();
    psParam.pPrinterName = printerName.data();
    psParam.hModule = module.get();
    psParam.hOEMHeap = heap.heap;
    psParam.pPublicDM = devmode;
    psParam.pOEMDM = record.data();
    psParam.pOEMUserData = cuip.pOEMUserData;

    sheetOptions.caption = printerName + (options.printerProperties ? L" Properties" : L" Printing Preferences");
    sheetOptions.corePageTitle = options.printerProperties ? L"Device Settings" : L"Layout";
    sheetOptions.tree = &cuip;
    sheetOptions.startPage = options.startPage;
    sheetOptions.position = options.position;
    sheetOptions.outputPrefix = out;
    sheetOptions.describe = [&] {
        tree.readBack(model);
        return wide(describeItems(model, tree.hidden()));
    };
    SheetHost sheet(std::move(sheetOptions));

    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Flags = PSUIINFO_UNICODE;
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.hComPropSheet = sheet.token();
    info.pfnComPropSheet = SheetHost::sheetFunction;
    info.lParamInit = reinterpret_cast<LPARAM>(&psParam);
    hr = options.printerProperties ? plugin->DevicePropertySheets(&info, 0) : plugin->DocumentPropertySheets(&info, 0);
    if (hr == E_NOTIMPL) throw HostError("wrenui.dll does not add its pages yet (property sheets: E_NOTIMPL)");
    if (FAILED(hr)) throw HostError("wrenui.dll property sheets failed: " + hex(hr));
    printSheetLine(out, "plug-in pages: %zu", sheet.pluginPages());

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::unique_ptr<ScriptRunner> runner;
    if (script) {
        runner = std::make_unique<ScriptRunner>(std::move(*script), sheet, options.screenshotDir);
        runner->keepCompany(options.company);
        runner->start();
    }
    const bool ok = sheet.run();
    if (runner) runner->finish();

    // The sheet is gone: the plug-in hears so, as from the common UI.
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    if (options.printerProperties) plugin->DevicePropertySheets(&info, ok ? 1 : 0);
    else plugin->DocumentPropertySheets(&info, ok ? 1 : 0);

    if (!ok) {
        printSheetLine(out, "cancelled: nothing written");
        return 0;
    }
    tree.readBack(model);
    Ticket chosen = *ticket;
    chosen.features = featuresOf(model, ticket->features);
    PublicDevmode& dm = *win32::publicDevmode(devmode);
    chosen.devmode = mergedDevmode(ticket->devmode, devmodeFieldsOf(dm, applyToDevmode(model, dm)));
    chosen.privateFields = privateFieldsOf(*reinterpret_cast<const PrivateRecord*>(record.data()));
    const std::wstring target = options.savePath.empty() ? options.ticketPath : options.savePath;
    if (fullPath(folderOf(target)) != fullPath(folderOf(options.ticketPath))) {
        const std::wstring folder = folderOf(options.ticketPath);
        chosen.input = rebased(ticket->input, folder);
        chosen.output = rebased(ticket->output, folder);
    }
    std::optional<std::string> text = writeTicket(chosen, ticketError);
    if (!text) throw HostError("the choices cannot be written as a ticket: " + ticketError.message);
    writeFile(target, *text);
    printSheetLine(out, "saved %s", narrow(target).c_str());
    return 0;
}

}  // namespace wren::host
