#include "ps/plugin/render_plugin.h"

#include <memory>
#include <new>

#include "common/settings/render_devmode.h"
#include "platform/win32/com_boundary.h"
#include "platform/win32/devmode_bridge.h"
#include "platform/win32/win32_ports.h"
#include "ps/job/command_dispatch.h"
#include "ps/plugin/ddi_hooks.h"
#include "ps/plugin/device_call.h"
#include "ps/plugin/pdev_setup.h"
#include "ps/plugin/ps_module.h"
#include "ps/plugin/render_extras.h"

namespace wren::ps {
namespace {

HRESULT failWith(DWORD error) {
    SetLastError(error);
    return E_FAIL;
}

}  // namespace

IUnknown* createRenderPlugin() { return static_cast<IPrintOemPS2*>(new (std::nothrow) RenderPlugin()); }

RenderPlugin::RenderPlugin() { ++psModule().liveObjects; }
RenderPlugin::~RenderPlugin() { --psModule().liveObjects; }

HRESULT RenderPlugin::QueryInterface(REFIID riid, void** ppv) {
    return win32::comGuarded([&]() -> HRESULT {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemPS2) ||
            IsEqualIID(riid, IID_IPrintOemPS)) {
            *ppv = static_cast<IPrintOemPS2*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    });
}

// Counting and deleting cannot throw; every other method runs its body in a
// guard, so that no exception reaches the core driver.
ULONG RenderPlugin::AddRef() { return static_cast<ULONG>(++refs_); }

ULONG RenderPlugin::Release() {
    long left = --refs_;
    if (left == 0) {
        if (IPrintOemDriverPS* helper = helper_.exchange(nullptr)) helper->Release();
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT RenderPlugin::GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) {
    return win32::comGuarded([&]() -> HRESULT {
        if (!needed) return failWith(ERROR_INVALID_PARAMETER);
        switch (mode) {
        case OEMGI_GETSIGNATURE:
        case OEMGI_GETVERSION:
            *needed = sizeof(DWORD);
            if (!buffer || size < sizeof(DWORD)) return failWith(ERROR_INSUFFICIENT_BUFFER);
            *static_cast<DWORD*>(buffer) = mode == OEMGI_GETSIGNATURE ? kRecordSignature : kRecordVersion;
            return S_OK;
        case OEMGI_GETPUBLISHERINFO:
            *needed = sizeof(PUBLISHERINFO);
            return E_FAIL;
        default:
            return failWith(ERROR_INVALID_PARAMETER);
        }
    });
}

HRESULT RenderPlugin::DevMode(DWORD mode, POEMDMPARAM param) {
    return win32::comGuarded([&]() -> HRESULT {
        const Spooler& spooler = win32::ports().spooler;
        if (!param) return win32::devModeResult(renderDevMode(mode, nullptr, spooler));
        DevModeRequest request = win32::devModeRequest(*param);
        return win32::devModeResult(renderDevMode(mode, &request, spooler));
    });
}

HRESULT RenderPlugin::EnableDriver(DWORD, DWORD size, PDRVENABLEDATA ded) {
    return win32::comGuarded([&]() -> HRESULT {
        if (ded && size >= sizeof(DRVENABLEDATA)) {
            ded->iDriverVersion = PRINTER_OEMINTF_VERSION;
            ded->c = kHookCount;
            ded->pdrvfn = const_cast<DRVFN*>(hookTable());
        }
        return S_OK;
    });
}

HRESULT RenderPlugin::DisableDriver() {
    return win32::comGuarded([&]() -> HRESULT {
        if (IPrintOemDriverPS* helper = helper_.exchange(nullptr)) helper->Release();
        return S_OK;
    });
}

HRESULT RenderPlugin::EnablePDEV(PDEVOBJ pdevobj, PWSTR, ULONG, HSURF*, ULONG gdiInfoSize, GDIINFO* gdiInfo, ULONG,
                                 DEVINFO*, DRVENABLEDATA* ded, PDEVOEM* devOem) {
    return win32::comGuarded([&]() -> HRESULT {
        // Owned until handed over: a failure on the way, or a caller with
        // nowhere to keep it, leaves nothing behind.
        if (devOem) *devOem = nullptr;
        std::unique_ptr<RenderPdev> pdev(new (std::nothrow) RenderPdev);
        if (!pdev) return failWith(ERROR_NOT_ENOUGH_MEMORY);
        bindCoreFunctions(*pdev, ded);
        if (hasRecords(pdevobj) && gdiInfo && gdiInfoSize >= sizeof(GDIINFO))
            applyFitToPaper(*asRecord(pdevobj->pOEMDM), *win32::publicDevmode(pdevobj->pPublicDM), *gdiInfo);
        if (devOem) *devOem = pdev.release();
        return S_OK;
    });
}

HRESULT RenderPlugin::DisablePDEV(PDEVOBJ pdevobj) {
    return win32::comGuarded([&]() -> HRESULT {
        if (pdevobj) {
            delete static_cast<RenderPdev*>(pdevobj->pdevOEM);
            pdevobj->pdevOEM = nullptr;
        }
        return S_OK;
    });
}

// A device reset in the middle of a job (ResetDC between pages) goes on
// with the same job: an encrypted job keeps its cipher and collector.
HRESULT RenderPlugin::ResetPDEV(PDEVOBJ oldPdev, PDEVOBJ newPdev) {
    return win32::comGuarded([&]() -> HRESULT {
        RenderPdev* from = renderPdevOf(oldPdev);
        RenderPdev* to = renderPdevOf(newPdev);
        if (from && to && from != to) std::swap(from->job, to->job);
        return S_OK;
    });
}

HRESULT RenderPlugin::PublishDriverInterface(IUnknown* unknown) {
    return win32::comGuarded([&]() -> HRESULT {
        if (helper_) return S_OK;
        if (!unknown) return E_FAIL;
        void* helper = nullptr;
        if (FAILED(unknown->QueryInterface(IID_IPrintOemDriverPS, &helper)) || !helper) return E_FAIL;
        // Two devices may publish at once: the first helper is kept.
        IPrintOemDriverPS* none = nullptr;
        if (!helper_.compare_exchange_strong(none, static_cast<IPrintOemDriverPS*>(helper)))
            static_cast<IPrintOemDriverPS*>(helper)->Release();
        return S_OK;
    });
}

HRESULT RenderPlugin::Command(PDEVOBJ pdevobj, DWORD index, PVOID, DWORD, DWORD* result) {
    return win32::comGuarded([&]() -> HRESULT {
        bool ok = false;
        if (usable(pdevobj)) {
            DeviceCall call(pdevobj, helper());
            RenderExtras extras;
            // A failed injection is a write that came up short; the error
            // it reports is the core driver's, or a write fault when the
            // core driver set none.
            SetLastError(ERROR_SUCCESS);
            ok = runInjection(call.ctx, index, extras);
            if (!ok && GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_WRITE_FAULT);
        } else {
            SetLastError(ERROR_INVALID_PARAMETER);
        }
        if (ok) {
            if (result) *result = ERROR_SUCCESS;
            return S_OK;
        }
        if (result) *result = GetLastError();
        return S_FALSE;
    });
}

HRESULT RenderPlugin::WritePrinter(PDEVOBJ pdevobj, PVOID buffer, DWORD size, PDWORD written) {
    return win32::comGuarded([&]() -> HRESULT {
        if (!pdevobj) return S_OK;  // the core driver's probe: we take the stream
        // A block carries its device's job; without our PDEV there is no job
        // to say whether the block may leave in clear.
        if (!renderPdevOf(pdevobj)) return failWith(ERROR_INVALID_PARAMETER);
        DeviceCall call(pdevobj, helper());
        std::uint32_t count = 0;
        BlockResult sent = writeBlock(call.ctx, buffer, size, &count);
        // A dropped block of a cancelled job leaves the caller's count alone.
        if (sent != BlockResult::Dropped && written) *written = count;
        return sent == BlockResult::SpoolerFailed ? E_FAIL : S_OK;
    });
}

HRESULT RenderPlugin::GetPDEVAdjustment(PDEVOBJ, DWORD, PVOID, DWORD, BOOL*) { return E_NOTIMPL; }

}  // namespace wren::ps
