#include "ui/plugin/ui_plugin.h"

#include <cwchar>
#include <new>

#include "common/settings/private_record.h"
#include "common/settings/ui_devmode.h"
#include "platform/win32/com_boundary.h"
#include "platform/win32/devmode_bridge.h"
#include "platform/win32/win32_ports.h"
#include "ui/plugin/app_info_writer.h"
#include "ui/plugin/ui_module.h"
#include "ui/win32/options_ports.h"
#include "ui/win32/printer_init_event.h"

namespace wren::ui {
namespace {

constexpr ULONG kColorProfileBytes = 32;
constexpr wchar_t kColorProfileName[] = L"OEMPROFILE.icm";

HRESULT failWith(DWORD error) {
    SetLastError(error);
    return E_FAIL;
}

}  // namespace

IUnknown* createUiPlugin() { return static_cast<IPrintOemUI2*>(new (std::nothrow) UiPlugin()); }

UiPlugin::UiPlugin() { ++uiModule().liveObjects; }
UiPlugin::~UiPlugin() { --uiModule().liveObjects; }

HRESULT UiPlugin::QueryInterface(REFIID riid, void** ppv) {
    return win32::comGuarded([&]() -> HRESULT {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemUI) || IsEqualIID(riid, IID_IPrintOemUI2)) {
            *ppv = static_cast<IPrintOemUI2*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    });
}

// Counting and deleting cannot throw, and methods that only answer a
// constant have nothing to guard; every other method runs its body in a
// guard, so that no exception reaches the core driver or the application.
ULONG UiPlugin::AddRef() { return static_cast<ULONG>(++refs_); }

ULONG UiPlugin::Release() {
    long left = --refs_;
    if (left == 0) {
        if (driverUi_) driverUi_->Release();
        documentSheets_.clear();
        deviceSheets_.clear();
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT UiPlugin::GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) {
    return win32::comGuarded([&]() -> HRESULT {
        if (!needed || (mode != OEMGI_GETSIGNATURE && mode != OEMGI_GETVERSION && mode != OEMGI_GETPUBLISHERINFO))
            return failWith(ERROR_INVALID_PARAMETER);
        *needed = sizeof(DWORD);
        if (!buffer || size < sizeof(DWORD)) return failWith(ERROR_INSUFFICIENT_BUFFER);
        switch (mode) {
        case OEMGI_GETSIGNATURE:
            *static_cast<DWORD*>(buffer) = kRecordSignature;
            return S_OK;
        case OEMGI_GETVERSION:
            *static_cast<DWORD*>(buffer) = kRecordVersion;
            return S_OK;
        default:  // OEMGI_GETPUBLISHERINFO: the UI plug-in publishes nothing
            *needed = 0;
            return failWith(ERROR_NOT_SUPPORTED);
        }
    });
}

HRESULT UiPlugin::DevMode(DWORD mode, POEMDMPARAM param) {
    return win32::comGuarded([&]() -> HRESULT {
        win32::Win32Ports& p = win32::ports();
        // A lookup of this printer's files writes the call's own value
        // (a path never holds U+FFFF), which then becomes the process's
        // last lookup.
        const std::u16string notLookedUp(1, u'\uFFFF');
        std::u16string capabilityFile = notLookedUp;
        SettingsEnvironment env{p.spooler, p.profile, p.loader, p.codePage, capabilityFile};
        if (!param) return win32::devModeResult(uiDevMode(mode, nullptr, env));
        DevModeRequest request = win32::devModeRequest(*param);
        const DevModeStatus status = uiDevMode(mode, &request, env);
        if (capabilityFile != notLookedUp) lastLookup().rememberCapabilityFile(capabilityFile);
        return win32::devModeResult(status);
    });
}

HRESULT UiPlugin::PublishDriverInterface(IUnknown* unknown) {
    return win32::comGuarded([&]() -> HRESULT {
        if (driverUi_) return S_OK;
        if (!unknown) return E_FAIL;
        void* helper = nullptr;
        if (FAILED(unknown->QueryInterface(IID_IPrintOemDriverUI, &helper)) || !helper) {
            driverUi_ = nullptr;
            return E_FAIL;
        }
        driverUi_ = static_cast<IPrintOemDriverUI*>(helper);
        return S_OK;
    });
}


HRESULT UiPlugin::DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW, PVOID) { return E_NOTIMPL; }
HRESULT UiPlugin::DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID, DWORD, DWORD*) {
    return E_NOTIMPL;
}
HRESULT UiPlugin::UpgradePrinter(DWORD, PBYTE) { return E_NOTIMPL; }

HRESULT UiPlugin::PrinterEvent(PWSTR printerName, INT event, DWORD, LPARAM) {
    return win32::comGuarded([&]() -> HRESULT {
        if (event != PRINTER_EVENT_INITIALIZE) return S_OK;
        return InitialisePrinterForSpooler(printerName) == 0 ? S_OK : E_FAIL;
    });
}

HRESULT UiPlugin::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) { return E_NOTIMPL; }

HRESULT UiPlugin::QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID, ULONG queryMode, VOID* data, ULONG* size,
                                    FLONG* flags) {
    return win32::comGuarded([&]() -> HRESULT {
        if (queryMode != QCP_DEVICEPROFILE) return E_FAIL;
        if (!size) return failWith(ERROR_INVALID_PARAMETER);
        const ULONG offered = *size;
        *size = kColorProfileBytes;
        if (!data || offered < kColorProfileBytes) return failWith(ERROR_INSUFFICIENT_BUFFER);
        const std::size_t units = offered / sizeof(wchar_t);
        wcsncpy(static_cast<wchar_t*>(data), kColorProfileName, units);
        static_cast<wchar_t*>(data)[units - 1] = L'\0';
        if (flags) *flags = QCP_PROFILEDISK;
        return S_OK;
    });
}

HRESULT UiPlugin::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) { return E_NOTIMPL; }
HRESULT UiPlugin::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) { return E_NOTIMPL; }
HRESULT UiPlugin::QueryJobAttributes(HANDLE, PDEVMODEW, DWORD, LPBYTE) { return E_NOTIMPL; }

HRESULT UiPlugin::HideStandardUI(DWORD mode) {
    return win32::comGuarded([&]() -> HRESULT {
        // The standard pages always stay; the request is remembered for the pages.
        if (mode == OEMCUIP_DOCPROP || mode == OEMCUIP_PRNPROP) standardUiAsked_ = true;
        return E_NOTIMPL;
    });
}

HRESULT UiPlugin::DocumentEvent(HANDLE printer, HDC, INT escape, ULONG inSize, PVOID in, ULONG outSize, PVOID out,
                                PINT result) {
    return win32::comGuarded([&]() -> HRESULT {
        // The spooler may mark an event with flags in the high word.
        switch (LOWORD(escape)) {
        case DOCUMENTEVENT_CREATEDCPRE:
            if (result) *result = DOCUMENTEVENT_SUCCESS;
            break;
        case DOCUMENTEVENT_QUERYFILTER:
            if (auto* filter = static_cast<DOCEVENT_FILTER*>(out); filter && outSize >= sizeof(DOCEVENT_FILTER)) {
                if (filter->cElementsAllocated >= 1) {
                    filter->aDocEventCall[0] = DOCUMENTEVENT_STARTDOCPOST;
                    filter->cElementsReturned = 1;
                } else {
                    filter->cElementsNeeded = 1;
                }
            }
            if (result) *result = DOCUMENTEVENT_SUCCESS;
            break;
        case DOCUMENTEVENT_STARTDOCPOST:
            // The input is the spooler's job id. The event never fails the
            // document, and *result is left to the spooler.
            if (in && inSize >= sizeof(DWORD)) {
                const DWORD jobId = *static_cast<const DWORD*>(in);
                win32::win32Guarded(0, [&] {
                    publishApplicationName(printer, jobId);
                    return 0;
                });
            }
            break;
        default:
            break;
        }
        return S_OK;
    });
}

}  // namespace wren::ui
