// The UI plug-in object the core driver's user-interface module talks to.
#pragma once

#include <atomic>

#include "platform/win32/oem_interfaces.h"
#include "ui/win32/document_sheet.h"
#include "ui/win32/heap_object.h"

namespace wren::ui {

IUnknown* createUiPlugin();

// The files of one printer's sheet: what the dependent-file lookup found and
// the help file of its driver.
struct SheetFiles {
    LookupState lookup;
    std::u16string helpFile;
};

class UiPlugin final : public IPrintOemUI2 {
public:
    UiPlugin();
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IPrintOemCommon
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) override;
    HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, POEMDMPARAM param) override;
    // IPrintOemUI
    HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* unknown) override;
    HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD mode, POEMCUIPPARAM param) override;
    HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lparam) override;
    HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lparam) override;
    HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW, PVOID) override;
    HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID, DWORD,
                                                 DWORD*) override;
    HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD, PBYTE) override;
    HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR printerName, INT event, DWORD flags, LPARAM lparam) override;
    HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) override;
    HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE printer, POEMUIOBJ uiobj, PDEVMODEW publicDm, PVOID oemDm,
                                                ULONG queryMode, VOID* data, ULONG* size, FLONG* flags) override;
    HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override;
    HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, PWSTR) override;
    // IPrintOemUI2
    HRESULT STDMETHODCALLTYPE QueryJobAttributes(HANDLE, PDEVMODEW, DWORD, LPBYTE) override;
    HRESULT STDMETHODCALLTYPE HideStandardUI(DWORD mode) override;
    HRESULT STDMETHODCALLTYPE DocumentEvent(HANDLE printer, HDC dc, INT event, ULONG inSize, PVOID in,
                                            ULONG outSize, PVOID out, PINT result) override;

    // What the settings-tree callbacks and the pages reach.
    DocumentSheet* documentSheet() const { return documentSheets_.current(); }
    DeviceSheet* deviceSheet() const { return deviceSheets_.current(); }
    IPrintOemDriverUI* driverUi() const { return driverUi_; }

private:
    ~UiPlugin();
    HRESULT buildDocumentTree(POEMCUIPPARAM param, const SheetFiles& files);
    HRESULT buildPrinterTree(POEMCUIPPARAM param, const SheetFiles& files);
    void addDocumentPages(PPROPSHEETUI_INFO info);

    std::atomic<long> refs_{1};
    IPrintOemDriverUI* driverUi_ = nullptr;
    bool standardUiAsked_ = false;
    HANDLE heap_ = nullptr;
    // Freed, in this order, with the object.
    HeapObjects<DocumentSheet> documentSheets_;
    HeapObjects<DeviceSheet> deviceSheets_;
    POEMCUIPPARAM lastDocumentParam_ = nullptr;
    POEMCUIPPARAM lastPrinterParam_ = nullptr;
};

}  // namespace wren::ui
