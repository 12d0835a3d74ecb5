#include "plugin_session.h"
#include "host_files.h"

#include <winspool.h>

#include <cstdio>
#include <cstring>

#include "common/settings/private_record.h"
#include "common/settings/public_devmode.h"
#include "common/config/ini_document.h"
#include "feature_setup.h"
#include "host_error.h"
#include "installed_ppd.h"
#include "plugin_loading.h"
#include "platform/win32/devmode_bridge.h"
#include "platform/win32/wide_text.h"
#include "platform/function_cast.h"

namespace wren::host {
namespace {

constexpr LONG kDpi = 600;

DEVMODEW defaultDevmode(const std::u16string& printer) {
    DEVMODEW dm{};
    wcsncpy(dm.dmDeviceName, wide(printer).c_str(), CCHDEVICENAME - 1);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmSize = sizeof(DEVMODEW);
    dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES | DM_COLOR |
                  DM_DUPLEX | DM_NUP | DM_PRINTQUALITY;
    dm.dmOrientation = DMORIENT_PORTRAIT;
    dm.dmPaperSize = DMPAPER_A4;
    dm.dmPaperWidth = 2100;
    dm.dmPaperLength = 2970;
    dm.dmCopies = 1;
    dm.dmPrintQuality = kDpi;
    dm.dmColor = DMCOLOR_COLOR;
    dm.dmDuplex = DMDUP_SIMPLEX;
    dm.dmNup = DMNUP_SYSTEM;
    return dm;
}

// The core driver takes a paper's dimensions from the printer description
// whenever the paper code names one of its papers.
void applyPaperDimensions(DEVMODEW& dm) {
    int count = DeviceCapabilitiesW(dm.dmDeviceName, nullptr, DC_PAPERS, nullptr, nullptr);
    if (count <= 0) return;
    std::vector<WORD> codes(count);
    std::vector<POINT> sizes(count);
    if (DeviceCapabilitiesW(dm.dmDeviceName, nullptr, DC_PAPERS, reinterpret_cast<LPWSTR>(codes.data()), nullptr) != count ||
        DeviceCapabilitiesW(dm.dmDeviceName, nullptr, DC_PAPERSIZE, reinterpret_cast<LPWSTR>(sizes.data()), nullptr) != count)
        return;
    for (int i = 0; i < count; ++i)
        if (codes[i] == static_cast<WORD>(dm.dmPaperSize)) {
            dm.dmPaperWidth = static_cast<short>(sizes[i].x);
            dm.dmPaperLength = static_cast<short>(sizes[i].y);
        }
}

}  // namespace

PluginSession::PluginSession(const Ticket& ticket, const SessionOptions& options)
    : ticket_(ticket), options_(options) {
    const std::wstring printerName = wide(ticket.printer);
    if (!OpenPrinterW(const_cast<wchar_t*>(printerName.c_str()), printer_.out(), nullptr))
        throw HostError("printer not installed: " + toUtf8(ticket.printer));
    helper_ = std::make_unique<HostDriverHelper>(ticket.features, ticket.postScriptOutput);
    featureSetup_ = FeatureSetup(InstalledDescription(printer_.get()), ticket.features);
    const std::wstring driverDir = driverDirectory();
    if (options_.loadPlugin) loadPlugin(driverDir);
    settleDevmode(driverDir);
    enablePdev();
}

PluginSession::~PluginSession() {
    // A job that did not end normally is thrown away, not left half written.
    if (jobStarted_) AbortPrinter(printer_.get());
    if (plugin_) {
        if (pdevEnabled_) plugin_->DisablePDEV(&devobj_);
        plugin_->DisableDriver();
        plugin_->Release();
    }
    unregisterDevice(&devobj_);
    if (uiPlugin_) uiPlugin_->Release();
}

void PluginSession::loadPlugin(const std::wstring& driverDir) {
    const std::wstring path = options_.pluginPath.empty() ? driverDir + L"wrenps.dll" : options_.pluginPath;
    const std::string name = toUtf8(std::u16string(path.begin(), path.end()));
    psModule_ = win32::UniqueModule(LoadLibraryW(path.c_str()));
    if (!psModule_) throw HostError(name + " does not load");
    plugin_ = createPlugin<IPrintOemPS2>(psModule_.get(), CLSID_OEMRENDER, IID_IPrintOemPS2, name.c_str());
    if (FAILED(plugin_->PublishDriverInterface(static_cast<IPrintOemDriverPS*>(helper_.get()))))
        throw HostError("wrenps.dll refused the driver helper interface");
}

void PluginSession::settleDevmode(const std::wstring& driverDir) {
    devmodeIn_ = defaultDevmode(ticket_.printer);
    TicketError error;
    if (!applyDevmodeFields(ticket_, *win32::publicDevmode(&devmodeIn_), error))
        throw HostError(error.message);
    devmodeOut_ = devmodeIn_;
    if (!plugin_) return;

    OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.pdriverobj = &devobj_;
    param.hPrinter = printer_.get();
    param.hModule = psModule_.get();
    if (FAILED(plugin_->DevMode(OEMDM_SIZE, &param)) || param.cbBufSize < sizeof(OEM_DMEXTRAHEADER))
        throw HostError("wrenps.dll did not report its private DEVMODE size");
    recordIn_.assign(param.cbBufSize, 0);
    recordOut_.assign(param.cbBufSize, 0);

    // The UI plug-in writes the defaults that the printer's DEVMODE would
    // hold; without it only the rendering plug-in's header is there.
    uiModule_ = win32::UniqueModule(LoadLibraryW((driverDir + L"wrenui.dll").c_str()));
    param.pOEMDMOut = recordOut_.data();
    if (uiModule_) {
        uiPlugin_ = createPlugin<IPrintOemUI2>(uiModule_.get(), CLSID_OEMUI, IID_IPrintOemUI2, "wrenui.dll");
        OEMDMPARAM uiParam = param;
        uiParam.pdriverobj = nullptr;
        uiParam.hModule = uiModule_.get();
        HRESULT hr = uiPlugin_->DevMode(OEMDM_DEFAULT, &uiParam);
        if (FAILED(hr)) {
            uiPlugin_->Release();
            uiPlugin_ = nullptr;
            throw HostError("wrenui.dll did not write the defaults");
        }
    } else if (FAILED(plugin_->DevMode(OEMDM_DEFAULT, &param))) {
        throw HostError("wrenps.dll did not write the defaults");
    }

    // The document's record: the defaults with the ticket's choices, merged
    // by the rendering plug-in as the core driver does for every job.
    recordIn_ = recordOut_;
    if (recordIn_.size() < sizeof(PrivateRecord)) throw HostError("the private DEVMODE is smaller than expected");
    if (!applyPrivateFields(ticket_, *reinterpret_cast<PrivateRecord*>(recordIn_.data()), error))
        throw HostError(error.message);
    param.pPublicDMIn = &devmodeIn_;
    param.pPublicDMOut = &devmodeOut_;
    param.pOEMDMIn = recordIn_.data();
    param.pOEMDMOut = recordOut_.data();
    if (FAILED(plugin_->DevMode(OEMDM_MERGE, &param))) throw HostError("wrenps.dll failed to merge the DEVMODE");
    devmodeOut_.dmDriverExtra = static_cast<WORD>(recordOut_.size());
    applyPaperDimensions(devmodeOut_);
}

void PluginSession::enablePdev() {
    // The device as a 600 dpi page printer sees the output paper, with a
    // margin of 13/72 inch on every side.
    const LONG width = devmodeOut_.dmPaperWidth, length = devmodeOut_.dmPaperLength;
    const bool landscape = devmodeOut_.dmOrientation == DMORIENT_LANDSCAPE;
    const LONG margin = kDpi * 13 / 72;
    gdi_.ulVersion = 0x5000;
    gdi_.ulTechnology = DT_RASPRINTER;
    gdi_.ulLogPixelsX = gdi_.ulLogPixelsY = kDpi;
    gdi_.szlPhysSize.cx = (landscape ? length : width) * kDpi / 254;
    gdi_.szlPhysSize.cy = (landscape ? width : length) * kDpi / 254;
    gdi_.ptlPhysOffset.x = gdi_.ptlPhysOffset.y = margin;
    gdi_.ulHorzRes = gdi_.szlPhysSize.cx - 2 * margin;
    gdi_.ulVertRes = gdi_.szlPhysSize.cy - 2 * margin;
    gdi_.ulHorzSize = (landscape ? length : width) / 10;
    gdi_.ulVertSize = (landscape ? width : length) / 10;
    gdi_.cBitsPixel = 24;
    gdi_.cPlanes = 1;
    gdi_.ulNumColors = static_cast<ULONG>(-1);
    gdi_.ulAspectX = gdi_.ulAspectY = kDpi;
    gdi_.ulAspectXY = static_cast<ULONG>(kDpi * 1.41421356);
    devinfo_.flGraphicsCaps = GCAPS_BEZIERS | GCAPS_ALTERNATEFILL | GCAPS_WINDINGFILL;
    devinfo_.cxDither = devinfo_.cyDither = 0;
    devinfo_.iDitherFormat = BMF_24BPP;

    devobj_.dwSize = sizeof devobj_;
    devobj_.hPrinter = printer_.get();
    devobj_.hOEM = psModule_.get();
    devobj_.pPublicDM = &devmodeOut_;
    devobj_.pOEMDM = recordOut_.empty() ? nullptr : recordOut_.data();
    devobj_.pDrvProcs = options_.useDrvProcs ? registerDevice(&devobj_, helper_.get()) : nullptr;

    bool pluginOwnsStream = false;
    if (plugin_) {
        if (FAILED(plugin_->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof pluginHooks_, &pluginHooks_)))
            throw HostError("wrenps.dll EnableDriver failed");
        PDEVOEM pdev = nullptr;
        DRVENABLEDATA core = hostDdiFunctions();
        const std::wstring name = wide(ticket_.printer);
        if (FAILED(plugin_->EnablePDEV(&devobj_, const_cast<wchar_t*>(name.c_str()), 0, nullptr, sizeof gdi_, &gdi_,
                                       sizeof devinfo_, &devinfo_, &core, &pdev)))
            throw HostError("wrenps.dll EnablePDEV failed");
        devobj_.pdevOEM = pdev;
        pdevEnabled_ = true;
        pluginOwnsStream = plugin_->WritePrinter(nullptr, nullptr, 0, nullptr) == S_OK;
    }
    output_ = std::make_unique<BlockOutput>(plugin_, pluginOwnsStream, devobj_, options_.blockSize);
    helper_->attach(output_.get());
}

DWORD PluginSession::startJob(const std::wstring& documentName, const std::wstring& outputFile) {
    DOC_INFO_1W doc{};
    doc.pDocName = const_cast<wchar_t*>(documentName.c_str());
    doc.pOutputFile = const_cast<wchar_t*>(outputFile.c_str());
    doc.pDatatype = const_cast<wchar_t*>(L"RAW");
    DWORD job = StartDocPrinterW(printer_.get(), 1, reinterpret_cast<BYTE*>(&doc));
    if (job == 0) throw HostError("StartDocPrinterW failed: error " + std::to_string(GetLastError()));
    jobStarted_ = true;
    // The application's side of the document start: the UI plug-in hands
    // the application name over for this job. It never fails the document.
    if (uiPlugin_) {
        DWORD jobId = job;
        INT result = 0;
        uiPlugin_->DocumentEvent(printer_.get(), nullptr, DOCUMENTEVENT_STARTDOCPOST, sizeof jobId, &jobId, 0, nullptr,
                                 &result);
    }
    for (ULONG i = 0; plugin_ && i < pluginHooks_.c; ++i)
        if (pluginHooks_.pdrvfn[i].iFunc == INDEX_DrvStartDoc) {
            SURFOBJ surface{};
            surface.dhpdev = reinterpret_cast<DHPDEV>(&devobj_);
            auto hook = wren::functionCast<PFN_DrvStartDoc>(pluginHooks_.pdrvfn[i].pfn);
            if (!hook(&surface, doc.pDocName, job)) throw HostError("the DrvStartDoc hook failed");
        }
    return job;
}

std::string PluginSession::pageTransform() const {
    if (gdi_.ulLogPixelsX == static_cast<ULONG>(kDpi) || gdi_.ulLogPixelsX == 0) return {};
    // The core driver draws in device units; at a lower reported resolution
    // the same drawing comes out smaller, inside the reported margins.
    const double scale = static_cast<double>(gdi_.ulLogPixelsX) / kDpi;
    const double margin = gdi_.ptlPhysOffset.x * 72.0 / gdi_.ulLogPixelsX;
    char text[128];
    std::snprintf(text, sizeof text, "%.2f %.2f translate %.4f %.4f scale\n", margin, margin, scale, scale);
    return text;
}

std::string PluginSession::pageSizeSetup() const {
    const bool landscape = devmodeOut_.dmOrientation == DMORIENT_LANDSCAPE;
    const int width = ((landscape ? devmodeOut_.dmPaperLength : devmodeOut_.dmPaperWidth) * 72 + 127) / 254;
    const int length = ((landscape ? devmodeOut_.dmPaperWidth : devmodeOut_.dmPaperLength) * 72 + 127) / 254;
    char text[96];
    std::snprintf(text, sizeof text, "<< /PageSize [%d %d] >> setpagedevice\n", width, length);
    return text;
}

void PluginSession::command(DWORD point) {
    if (!plugin_) return;
    DWORD result = 0;
    HRESULT hr = plugin_->Command(&devobj_, point, nullptr, 0, &result);
    // The core driver would go on, but a job missing what the plug-in meant
    // to inject is not the job the ticket asked for.
    if (hr != S_OK)
        throw HostError("injection point " + std::to_string(point) + " failed (result " + std::to_string(result) + ")");
    if (!output_->failure().empty()) throw HostError(output_->failure());
}

void PluginSession::endJob() {
    output_->flush();
    for (ULONG i = 0; plugin_ && i < pluginHooks_.c; ++i)
        if (pluginHooks_.pdrvfn[i].iFunc == INDEX_DrvEndDoc) {
            SURFOBJ surface{};
            surface.dhpdev = reinterpret_cast<DHPDEV>(&devobj_);
            if (!wren::functionCast<PFN_DrvEndDoc>(pluginHooks_.pdrvfn[i].pfn)(&surface, 0))
                throw HostError("the DrvEndDoc hook failed");
        }
    jobStarted_ = false;
    if (!EndDocPrinter(printer_.get())) throw HostError("EndDocPrinter failed: error " + std::to_string(GetLastError()));
    if (!output_->failure().empty()) throw HostError(output_->failure());
}

}  // namespace wren::host
