// CommonUIProp: the settings trees of the document and printer properties,
// and the callbacks the core driver runs on them.
#include <string>

#include "common/config/driver_config.h"
#include "common/settings/private_record.h"
#include "platform/win32/com_boundary.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"
#include "ui/features/feature_mapping.h"
#include "ui/features/write_back.h"
#include "ui/plugin/ui_module.h"
#include "ui/plugin/ui_plugin.h"
#include "ui/resources/resource_ids.h"
#include "platform/win32/localized_resources.h"
#include "ui/win32/options_callback.h"
#include "ui/win32/options_ports.h"

namespace wren::ui {
namespace {

constexpr std::size_t kUiOemConfigChars = 64;
constexpr std::size_t kHelpNameChars = 260;

HRESULT invalidParameter() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_FAIL;
}

// Finds the plug-in INI file among the driver's dependent files, and with it
// the help file of this driver; empty without a plug-in INI file. The
// lookup is the one the installer's exports use next.
std::optional<SheetFiles> locateSheetFiles(POEMCUIPPARAM param) {
    win32::Win32Ports& p = win32::ports();
    DriverConfig config(p.spooler, p.profile, param->hPrinter);
    ConfigFiles found = config.locate(kUiOemConfigChars);
    if (!found.pluginIni) {
        lastLookup().rememberCapabilityFile(found.capabilityFile);
        return std::nullopt;
    }
    SheetFiles files{LookupState{found.capabilityFile, *found.pluginIni}, {}};
    lastLookup().remember(files.lookup);
    const Profile& profile = p.profile;
    const std::u16string helpName = profile.readString(files.lookup.pluginIni, u"DependentFiles",
                                                       std::u16string_view(osVersion().newer() ? u"HTMLHELP" : u"HELP"),
                                                       kHelpNameChars);
    if (!helpName.empty()) files.helpFile = config.driverFilePath(helpName);
    return files;
}

// The document tree's callback: the core driver's page was applied,
// activated or left. The core driver calls it through C: an exception asks
// for no action.
LONG APIENTRY documentCallback(PCPSUICBPARAM callback, POEMCUIPPARAM param) noexcept {
    return win32::win32Guarded<LONG>(CPSUICB_ACTION_NONE, [&]() -> LONG {
        if (!callback || !param) return CPSUICB_ACTION_NONE;
        auto* plugin = static_cast<UiPlugin*>(param->pOEMUserData);
        DocumentSheet* sheet = plugin ? plugin->documentSheet() : nullptr;
        auto* record = static_cast<PrivateRecord*>(param->pOEMDM);
        switch (callback->Reason) {
        case CPSUICB_REASON_APPLYNOW:
            if (sheet && record && sheet->tree) StoreAppliedChoices(sheet->context, *sheet->tree, *record);
            [[fallthrough]];
        case CPSUICB_REASON_KILLACTIVE:
            if (record && param->pOEMOptItems && param->cOEMOptItems > 0)
                record->oemItemValue = static_cast<std::uint32_t>(param->pOEMOptItems[0].Sel);
            break;
        case CPSUICB_REASON_SETACTIVE:
            if (sheet) sheet->state.coreVisited = true;
            break;
        default:
            break;
        }
        return CPSUICB_ACTION_NONE;
    });
}

void clearItems(POEMCUIPPARAM param) {
    for (DWORD i = 0; i < param->cOEMOptItems; ++i) {
        ZeroMemory(&param->pOEMOptItems[i], sizeof(OPTITEM));
        param->pOEMOptItems[i].cbSize = sizeof(OPTITEM);
    }
}

}  // namespace

HRESULT UiPlugin::CommonUIProp(DWORD mode, POEMCUIPPARAM param) {
    return win32::comGuarded([&]() -> HRESULT {
        if ((mode != OEMCUIP_DOCPROP && mode != OEMCUIP_PRNPROP) || !param) return invalidParameter();
        const std::optional<SheetFiles> files = locateSheetFiles(param);
        if (!files) return E_FAIL;
        return mode == OEMCUIP_DOCPROP ? buildDocumentTree(param, *files) : buildPrinterTree(param, *files);
    });
}

HRESULT UiPlugin::buildDocumentTree(POEMCUIPPARAM param, const SheetFiles& files) {
    lastDocumentParam_ = param;
    if (!param->pOEMOptItems) {
        param->cOEMOptItems = 0;
        return S_OK;
    }
    clearItems(param);
    param->OEMCUIPCallback = &documentCallback;
    param->pOEMUserData = this;

    win32::Win32Ports& p = win32::ports();
    heap_ = param->hOEMHeap;
    DocumentSheet* sheet = documentSheets_.create(heap_);
    if (!sheet) return E_OUTOFMEMORY;
    sheet->cuiParam = param;
    sheet->helper = driverUi_;
    sheet->tree = std::make_unique<OptItemTree>(param, driverUi_);
    sheet->context.pluginIni = files.lookup.pluginIni;
    sheet->capabilityFile = files.lookup.capabilityFile;
    sheet->state.os = osVersion();
    sheet->state.helpFile = files.helpFile;
    // Whether this user may write the printer's settings decides which
    // stores the pages write; a test value tells.
    sheet->state.settingsWritable = p.spooler.setPrinterDword(param->hPrinter, u"W_TEST", GetTickCount());
    DriverConfig config(p.spooler, p.profile, param->hPrinter);
    MapDocumentFeatures(sheet->context, *sheet->tree, p.profile, files.lookup.pluginIni,
                        config.modelInt(files.lookup.capabilityFile, u"Compression", 0), files.helpFile,
                        sheet->paperItems);
    sheet->context.standardUiAsked = standardUiAsked_;
    return S_OK;
}

HRESULT UiPlugin::buildPrinterTree(POEMCUIPPARAM param, const SheetFiles& files) {
    lastPrinterParam_ = param;
    if (!param->pOEMOptItems) {
        param->cOEMOptItems = 1;
        return S_OK;
    }
    param->OEMCUIPCallback = &DeviceOptionsCallback;
    param->pOEMUserData = this;
    clearItems(param);

    heap_ = param->hOEMHeap;
    DeviceSheet* sheet = deviceSheets_.create(heap_);
    if (!sheet) return E_OUTOFMEMORY;
    sheet->cuiParam = param;
    sheet->files = files.lookup;
    sheet->tree = std::make_unique<OptItemTree>(param, driverUi_);
    MapDeviceFeatures(sheet->context, *sheet->tree, files.helpFile);
    const std::u16string name = LoadLocalizedString(uiModule().module, IDS_GET_OPTIONS, 128);
    // Without a network option library that can ask this printer, the
    // button would have nothing to do: it is hidden.
    BuildOptionQueryItem(param, name, files.helpFile, OptionQueryAvailable(param, sheet->files));

    // The printer sheet keeps only the standard-UI flag for its callback.
    DocumentSheet* flagOnly = documentSheets_.create(heap_);
    if (flagOnly) flagOnly->context.standardUiAsked = standardUiAsked_;
    return S_OK;
}

}  // namespace wren::ui
