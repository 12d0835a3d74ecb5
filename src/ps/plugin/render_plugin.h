// The rendering plug-in object the core driver's rendering module talks to.
#pragma once

#include <atomic>

#include "platform/win32/oem_interfaces.h"

namespace wren::ps {

IUnknown* createRenderPlugin();

class RenderPlugin final : public IPrintOemPS2 {
public:
    RenderPlugin();
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IPrintOemCommon
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) override;
    HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, POEMDMPARAM param) override;
    // IPrintOemEngine
    HRESULT STDMETHODCALLTYPE EnableDriver(DWORD version, DWORD size, PDRVENABLEDATA ded) override;
    HRESULT STDMETHODCALLTYPE DisableDriver() override;
    HRESULT STDMETHODCALLTYPE EnablePDEV(PDEVOBJ pdevobj, PWSTR printerName, ULONG patterns, HSURF* patternSurfaces,
                                         ULONG gdiInfoSize, GDIINFO* gdiInfo, ULONG devInfoSize, DEVINFO* devInfo,
                                         DRVENABLEDATA* ded, PDEVOEM* devOem) override;
    HRESULT STDMETHODCALLTYPE DisablePDEV(PDEVOBJ pdevobj) override;
    HRESULT STDMETHODCALLTYPE ResetPDEV(PDEVOBJ oldPdev, PDEVOBJ newPdev) override;
    // IPrintOemPS
    HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* unknown) override;
    HRESULT STDMETHODCALLTYPE Command(PDEVOBJ pdevobj, DWORD index, PVOID data, DWORD size, DWORD* result) override;
    // IPrintOemPS2
    HRESULT STDMETHODCALLTYPE WritePrinter(PDEVOBJ pdevobj, PVOID buffer, DWORD size, PDWORD written) override;
    HRESULT STDMETHODCALLTYPE GetPDEVAdjustment(PDEVOBJ pdevobj, DWORD type, PVOID buffer, DWORD size,
                                                BOOL* done) override;

private:
    ~RenderPlugin();
    IPrintOemDriverPS* helper() const { return helper_.load(); }
    std::atomic<long> refs_{1};
    // Published once by the core driver and shared by every device.
    std::atomic<IPrintOemDriverPS*> helper_{nullptr};
};

}  // namespace wren::ps
