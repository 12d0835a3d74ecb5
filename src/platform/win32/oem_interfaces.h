// COM interfaces between the PostScript core driver and our plug-ins:
// IPrintOemUI2 (implemented by wrenui.dll), IPrintOemPS2 (wrenps.dll), and the
// helper interfaces the driver hands each of them in PublishDriverInterface.
//
// MinGW-w64 has no declarations for any of this, so they are ours. Two rules
// keep the vtables identical to what the driver calls:
//
//  * Each method is declared exactly once, in the interface that introduces
//    it. Re-declaring an inherited method with even slightly different
//    parameter types (PDEVMODE vs DEVMODEW*, a missing const) would not
//    override it but add a new slot and shift every later method.
//  * No destructors, no overloads, single inheritance only, and every method
//    STDMETHODCALLTYPE (which matters on x86, where g++ would otherwise use
//    __thiscall).
//
// Slot numbers in the comments count from IUnknown::QueryInterface = 0.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <winspool.h>
#include <winddi.h>  // needs platform/win32/stubs on the include path
#include <compstui.h>
#include <winddiui.h>

#include "platform/win32/oem_structs.h"

// winspool.h maps DocumentEvent to DocumentEventW and wingdi.h maps
// DeviceCapabilities to DeviceCapabilitiesW. Left alone, IPrintOemUI's
// methods of those names would be renamed in translation units that see the
// macros and not in others, and the implementation would no longer match its
// declaration. Code that wants the spooler/GDI functions calls the ...W names.
#undef DocumentEvent
#undef DeviceCapabilities

// GUIDs, defined once in oem_guids.cpp.
extern "C" {
extern const GUID CLSID_OEMRENDER;  // asked of wrenps.dll's DllGetClassObject
extern const GUID CLSID_OEMUI;      // asked of wrenui.dll's DllGetClassObject
extern const GUID IID_IPrintOemCommon;
extern const GUID IID_IPrintOemUI;
extern const GUID IID_IPrintOemUI2;
extern const GUID IID_IPrintOemDriverUI;
extern const GUID IID_IPrintCoreUI2;
extern const GUID IID_IPrintOemEngine;
extern const GUID IID_IPrintOemPS;
extern const GUID IID_IPrintOemPS2;
extern const GUID IID_IPrintOemDriverPS;
extern const GUID IID_IPrintCorePS2;
}

// ---------------------------------------------------------------------------
// Base of both plug-in interfaces.

struct IPrintOemCommon : public IUnknown {
    // 3: signature, version, wanted helper interfaces, publisher info.
    virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                              PDWORD pcbNeeded) = 0;
    // 4: size / defaults / convert / merge of our private DEVMODE part.
    virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) = 0;
};

// ---------------------------------------------------------------------------
// UI plug-in (wrenui.dll): 20 slots in all.

struct IPrintOemUI : public IPrintOemCommon {
    // 5: IPrintCoreUI2 first; E_FAIL asks for IPrintOemDriverUI instead.
    virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) = 0;
    // 6
    virtual HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode,
                                                   POEMCUIPPARAM pOemCUIPParam) = 0;
    // 7: pPSUIInfo->lParamInit points at an OEMUIPSPARAM.
    virtual HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                             LPARAM lParam) = 0;
    // 8
    virtual HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                           LPARAM lParam) = 0;
    // 9
    virtual HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ poemuiobj,
                                                      PDEVQUERYPRINT_INFO pDQPInfo,
                                                      PDEVMODEW pPublicDM, PVOID pOEMDM) = 0;
    // 10
    virtual HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ poemuiobj, HANDLE hPrinter,
                                                         PWSTR pDeviceName, WORD wCapability,
                                                         PVOID pOutput, PDEVMODEW pPublicDM,
                                                         PVOID pOEMDM, DWORD dwOld,
                                                         DWORD* dwResult) = 0;
    // 11: pDriverUpgradeInfo is a DRIVER_UPGRADE_INFO_1 or _2, by dwLevel.
    virtual HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel,
                                                     PBYTE pDriverUpgradeInfo) = 0;
    // 12
    virtual HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent,
                                                   DWORD dwFlags, LPARAM lParam) = 0;
    // 13: pDriverInfo is a DRIVER_INFO_1/2/3, by dwLevel.
    virtual HRESULT STDMETHODCALLTYPE DriverEvent(DWORD dwDriverEvent, DWORD dwLevel,
                                                  LPBYTE pDriverInfo, LPARAM lParam) = 0;
    // 14
    virtual HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE hPrinter, POEMUIOBJ poemuiobj,
                                                        PDEVMODEW pPublicDM, PVOID pOEMDM,
                                                        ULONG ulQueryMode, VOID* pvProfileData,
                                                        ULONG* pcbProfileData,
                                                        FLONG* pflProfileData) = 0;
    // 15
    virtual HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND hWnd, UINT usMsg, WPARAM wParam,
                                                           LPARAM lParam) = 0;
    // 16
    virtual HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap,
                                                          PWSTR pwstrCartridges) = 0;
};

struct IPrintOemUI2 : public IPrintOemUI {
    // 17: lpAttributeInfo is an ATTRIBUTE_INFO_1..4, by dwLevel.
    virtual HRESULT STDMETHODCALLTYPE QueryJobAttributes(HANDLE hPrinter, PDEVMODEW pDevmode,
                                                         DWORD dwLevel,
                                                         LPBYTE lpAttributeInfo) = 0;
    // 18: S_OK hides the standard sheet for dwMode, E_NOTIMPL keeps it.
    virtual HRESULT STDMETHODCALLTYPE HideStandardUI(DWORD dwMode) = 0;
    // 19: *piResult becomes DrvDocumentEvent's result.
    virtual HRESULT STDMETHODCALLTYPE DocumentEvent(HANDLE hPrinter, HDC hdc, INT iEsc,
                                                    ULONG cbIn, PVOID pvIn, ULONG cbOut,
                                                    PVOID pvOut, PINT piResult) = 0;
};

// ---------------------------------------------------------------------------
// Driver helpers for the UI plug-in (implemented by the driver; by our test
// harness under Wine). Feature and option keywords are 8-bit strings.

struct IPrintOemDriverUI : public IUnknown {
    // 3: pci is the OEMUIOBJ*.
    virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pci, PCSTR Feature,
                                                          PVOID pOutput, DWORD cbSize,
                                                          PDWORD pcbNeeded,
                                                          PDWORD pdwOptionsReturned) = 0;
    // 4
    virtual HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE hPrinter, PCSTR pFeature,
                                                                PCSTR pOption) = 0;
    // 5: pci is the OEMUIOBJ*, pOptItem an OPTITEM*.
    virtual HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID pOptItem,
                                                         DWORD dwPreviousSelection,
                                                         DWORD dwMode) = 0;
};

// 16 slots; shares 3-5 with IPrintOemDriverUI.
struct IPrintCoreUI2 : public IPrintOemDriverUI {
    // 6: "Feature\0Option\0...\0" lists in and out.
    virtual HRESULT STDMETHODCALLTYPE GetOptions(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                 PCZZSTR pmszFeaturesRequested, DWORD cbIn,
                                                 PZZSTR pmszFeatureOptionBuf, DWORD cbSize,
                                                 PDWORD pcbNeeded) = 0;
    // 7: dwFlags SETOPTIONS_FLAG_*, *pdwResult SETOPTIONS_RESULT_*.
    virtual HRESULT STDMETHODCALLTYPE SetOptions(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                 PCZZSTR pmszFeatureOptionBuf, DWORD cbIn,
                                                 PDWORD pdwResult) = 0;
    // 8
    virtual HRESULT STDMETHODCALLTYPE EnumConstrainedOptions(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                             PCSTR pszFeatureKeyword,
                                                             PZZSTR pmszConstrainedOptionList,
                                                             DWORD cbSize, PDWORD pcbNeeded) = 0;
    // 9
    virtual HRESULT STDMETHODCALLTYPE WhyConstrained(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                     PCSTR pszFeatureKeyword,
                                                     PCSTR pszOptionKeyword,
                                                     PZZSTR pmszReasonList, DWORD cbSize,
                                                     PDWORD pcbNeeded) = 0;
    // 10: *pdwDataType is an EATTRIBUTE_DATATYPE.
    virtual HRESULT STDMETHODCALLTYPE GetGlobalAttribute(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                         PCSTR pszAttribute,
                                                         PDWORD pdwDataType, PBYTE pbData,
                                                         DWORD cbSize, PDWORD pcbNeeded) = 0;
    // 11
    virtual HRESULT STDMETHODCALLTYPE GetFeatureAttribute(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                          PCSTR pszFeatureKeyword,
                                                          PCSTR pszAttribute,
                                                          PDWORD pdwDataType, PBYTE pbData,
                                                          DWORD cbSize, PDWORD pcbNeeded) = 0;
    // 12
    virtual HRESULT STDMETHODCALLTYPE GetOptionAttribute(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                         PCSTR pszFeatureKeyword,
                                                         PCSTR pszOptionKeyword,
                                                         PCSTR pszAttribute,
                                                         PDWORD pdwDataType, PBYTE pbData,
                                                         DWORD cbSize, PDWORD pcbNeeded) = 0;
    // 13
    virtual HRESULT STDMETHODCALLTYPE EnumFeatures(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                   PZZSTR pmszFeatureList, DWORD cbSize,
                                                   PDWORD pcbNeeded) = 0;
    // 14
    virtual HRESULT STDMETHODCALLTYPE EnumOptions(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                  PCSTR pszFeatureKeyword,
                                                  PZZSTR pmszOptionList, DWORD cbSize,
                                                  PDWORD pcbNeeded) = 0;
    // 15: level 1 fills a SIMULATE_CAPS_1.
    virtual HRESULT STDMETHODCALLTYPE QuerySimulationSupport(HANDLE hPrinter, DWORD dwLevel,
                                                             PBYTE pCaps, DWORD cbSize,
                                                             PDWORD pcbNeeded) = 0;
};

// ---------------------------------------------------------------------------
// Rendering plug-in (wrenps.dll): 14 slots in all.

struct IPrintOemEngine : public IPrintOemCommon {
    // 5: we fill pded with the DDI functions we hook.
    virtual HRESULT STDMETHODCALLTYPE EnableDriver(DWORD DriverVersion, DWORD cbSize,
                                                   PDRVENABLEDATA pded) = 0;
    // 6
    virtual HRESULT STDMETHODCALLTYPE DisableDriver() = 0;
    // 7: our private PDEV comes back through pDevOem.
    virtual HRESULT STDMETHODCALLTYPE EnablePDEV(PDEVOBJ pdevobj, PWSTR pPrinterName,
                                                 ULONG cPatterns, HSURF* phsurfPatterns,
                                                 ULONG cjGdiInfo, GDIINFO* pGdiInfo,
                                                 ULONG cjDevInfo, DEVINFO* pDevInfo,
                                                 DRVENABLEDATA* pded, PDEVOEM* pDevOem) = 0;
    // 8
    virtual HRESULT STDMETHODCALLTYPE DisablePDEV(PDEVOBJ pdevobj) = 0;
    // 9
    virtual HRESULT STDMETHODCALLTYPE ResetPDEV(PDEVOBJ pdevobjOld, PDEVOBJ pdevobjNew) = 0;
};

struct IPrintOemPS : public IPrintOemEngine {
    // 10: IPrintCorePS2 first; E_FAIL asks for IPrintOemDriverPS instead.
    virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) = 0;
    // 11: dwIndex is a PSINJECT_* point; pData/cbSize are unused.
    virtual HRESULT STDMETHODCALLTYPE Command(PDEVOBJ pdevobj, DWORD dwIndex, PVOID pData,
                                              DWORD cbSize, DWORD* pdwResult) = 0;
};

struct IPrintOemPS2 : public IPrintOemPS {
    // 12: probed with all-null arguments at EnablePDEV; S_OK means every byte of
    // PostScript comes through here instead of going to the spooler.
    virtual HRESULT STDMETHODCALLTYPE WritePrinter(PDEVOBJ pdevobj, PVOID pBuf, DWORD cbBuffer,
                                                   PDWORD pcbWritten) = 0;
    // 13: S_FALSE (not E_NOTIMPL) for adjustment types we don't handle.
    virtual HRESULT STDMETHODCALLTYPE GetPDEVAdjustment(PDEVOBJ pdevobj, DWORD dwAdjustType,
                                                        PVOID pBuf, DWORD cbBuffer,
                                                        BOOL* pbAdjustmentDone) = 0;
};

// ---------------------------------------------------------------------------
// Driver helpers for the rendering plug-in.

struct IPrintOemDriverPS : public IUnknown {
    // 3: pdriverobj is the DEVOBJ*.
    virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pdriverobj, PCSTR Feature,
                                                          PVOID pOutput, DWORD cbSize,
                                                          PDWORD pcbNeeded,
                                                          PDWORD pdwOptionsReturned) = 0;
    // 4: *pdwResult is the number of bytes taken.
    virtual HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(PDEVOBJ pdevobj, PVOID pBuffer,
                                                       DWORD cbSize, DWORD* pdwResult) = 0;
};

// Derives from IUnknown directly, not from IPrintOemDriverPS: its slot 3 is
// DrvWriteSpoolBuf and it has no DrvGetDriverSetting.
struct IPrintCorePS2 : public IUnknown {
    // 3
    virtual HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(PDEVOBJ pdevobj, PVOID pBuffer,
                                                       DWORD cbSize, DWORD* pdwResult) = 0;
    // 4
    virtual HRESULT STDMETHODCALLTYPE GetOptions(PDEVOBJ pdevobj, DWORD dwFlags,
                                                 PCZZSTR pmszFeaturesRequested, DWORD cbIn,
                                                 PZZSTR pmszFeatureOptionBuf, DWORD cbSize,
                                                 PDWORD pcbNeeded) = 0;
    // 5
    virtual HRESULT STDMETHODCALLTYPE GetGlobalAttribute(PDEVOBJ pdevobj, DWORD dwFlags,
                                                         PCSTR pszAttribute,
                                                         PDWORD pdwDataType, PBYTE pbData,
                                                         DWORD cbSize, PDWORD pcbNeeded) = 0;
    // 6
    virtual HRESULT STDMETHODCALLTYPE GetFeatureAttribute(PDEVOBJ pdevobj, DWORD dwFlags,
                                                          PCSTR pszFeatureKeyword,
                                                          PCSTR pszAttribute,
                                                          PDWORD pdwDataType, PBYTE pbData,
                                                          DWORD cbSize, PDWORD pcbNeeded) = 0;
    // 7
    virtual HRESULT STDMETHODCALLTYPE GetOptionAttribute(PDEVOBJ pdevobj, DWORD dwFlags,
                                                         PCSTR pszFeatureKeyword,
                                                         PCSTR pszOptionKeyword,
                                                         PCSTR pszAttribute,
                                                         PDWORD pdwDataType, PBYTE pbData,
                                                         DWORD cbSize, PDWORD pcbNeeded) = 0;
    // 8
    virtual HRESULT STDMETHODCALLTYPE EnumFeatures(PDEVOBJ pdevobj, DWORD dwFlags,
                                                   PZZSTR pmszFeatureList, DWORD cbSize,
                                                   PDWORD pcbNeeded) = 0;
    // 9
    virtual HRESULT STDMETHODCALLTYPE EnumOptions(PDEVOBJ pdevobj, DWORD dwFlags,
                                                  PCSTR pszFeatureKeyword,
                                                  PZZSTR pmszOptionList, DWORD cbSize,
                                                  PDWORD pcbNeeded) = 0;
};

// Lets __uuidof / IID_PPV_ARGS work on these interfaces. oem_guids.cpp checks
// at compile time that these values equal the IID_ definitions.
__CRT_UUID_DECL(IPrintOemCommon, 0x7F42285E, 0x91D5, 0x11D1, 0x88, 0x20, 0x00, 0xC0, 0x4F, 0xB9,
                0x61, 0xEC)
__CRT_UUID_DECL(IPrintOemUI, 0xC6A7A9D0, 0x774C, 0x11D1, 0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40,
                0xB8)
__CRT_UUID_DECL(IPrintOemUI2, 0x292515F9, 0xB54B, 0x489B, 0x92, 0x75, 0xBA, 0xB5, 0x68, 0x21,
                0x39, 0x5E)
__CRT_UUID_DECL(IPrintOemDriverUI, 0x92B05D50, 0x78BC, 0x11D1, 0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06,
                0x40, 0xB8)
__CRT_UUID_DECL(IPrintCoreUI2, 0x085CCFCA, 0x3ADF, 0x4C9E, 0xB4, 0x91, 0xD8, 0x51, 0xA6, 0xED,
                0xC9, 0x97)
__CRT_UUID_DECL(IPrintOemEngine, 0x63D17590, 0x91D8, 0x11D1, 0x88, 0x20, 0x00, 0xC0, 0x4F, 0xB9,
                0x61, 0xEC)
__CRT_UUID_DECL(IPrintOemPS, 0x688342B5, 0x8E1A, 0x11D1, 0x88, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x61,
                0xEC)
__CRT_UUID_DECL(IPrintOemPS2, 0xBECF7F34, 0x51B3, 0x46C9, 0x8A, 0x1C, 0x18, 0x67, 0x9B, 0xD2, 0x1F,
                0x36)
__CRT_UUID_DECL(IPrintOemDriverPS, 0xD90060C7, 0x8E1A, 0x11D1, 0x88, 0x1F, 0x00, 0xC0, 0x4F, 0xB9,
                0x61, 0xEC)
__CRT_UUID_DECL(IPrintCorePS2, 0xCDBB0B0B, 0xA917, 0x40D7, 0x9F, 0xBF, 0x48, 0x3B, 0x3B, 0xE7,
                0xEF, 0x22)
