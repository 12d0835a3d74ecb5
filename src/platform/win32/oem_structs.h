// Structures, callback types and constants shared between the PostScript core
// driver and our two plug-ins (wrenui.dll, wrenps.dll).
//
// MinGW-w64 has no headers for the core driver's plug-in contract, so we
// declare what we use ourselves, under the names the driver documentation
// uses, so code reads the same as any other plug-in. The core driver hands us
// these structures by pointer and checks cbSize/dwSize fields, so the layouts
// must be exact: every structure here, and every toolchain-provided structure
// we rely on, is pinned by the static_asserts at the end of this file for both
// x64 and x86.
//
// Include platform/win32/oem_interfaces.h rather than this file directly.
#pragma once

#ifndef UNICODE
// Everything the driver gives us is wide (printer names, DEVMODEW, LPTSTR
// members of the property-sheet structures); an ANSI build would compile but
// hand CPSUI narrow strings.
#error "The Windows plug-ins must be compiled with UNICODE and _UNICODE defined."
#endif

#include <windows.h>
#include <objbase.h>
#include <winspool.h>
// winddi.h needs platform/win32/stubs on the include path (see ddrawint.h there).
#include <winddi.h>
#include <compstui.h>
#include <winddiui.h>

#include <cstddef>

// ---------------------------------------------------------------------------
// Common to both plug-ins

// What the PostScript plug-in reports for OEMGI_GETPUBLISHERINFO.
typedef struct _PUBLISHERINFO {
    DWORD dwMode;          // OEM_MODE_PUBLISHER or 0
    WORD wMinoutlinePPEM;  // smallest ppem at which TrueType goes down as Type 1
    WORD wMaxbitmapPPEM;   // largest ppem at which TrueType goes down as Type 3
} PUBLISHERINFO, *PPUBLISHERINFO;

// Argument of IPrintOemUI::DevMode / IPrintOemPS::DevMode.
typedef struct _OEMDMPARAM {
    DWORD cbSize;
    PVOID pdriverobj;  // DEVOBJ* in the rendering plug-in, unused in the UI one
    HANDLE hPrinter;
    HANDLE hModule;
    PDEVMODEW pPublicDMIn;
    PDEVMODEW pPublicDMOut;
    PVOID pOEMDMIn;
    PVOID pOEMDMOut;
    DWORD cbBufSize;   // OEMDM_SIZE: we report our private size here
} OEMDMPARAM, *POEMDMPARAM;

// Must start our private part of the DEVMODE; the driver walks the plug-in
// sections by dwSize and matches them to plug-ins by dwSignature.
typedef struct _OEM_DMEXTRAHEADER {
    DWORD dwSize;       // whole private part, this header included
    DWORD dwSignature;  // same value GetInfo(OEMGI_GETSIGNATURE) reports
    DWORD dwVersion;
} OEM_DMEXTRAHEADER, *POEM_DMEXTRAHEADER;

// What OPTITEM.UserData points at in the driver's own option items; the
// keyword tells us which PPD feature an item belongs to.
typedef struct _USERDATA {
    DWORD dwSize;
    ULONG_PTR dwItemID;
    PSTR pKeyWordName;
    DWORD dwReserved[8];
} USERDATA, *PUSERDATA;

// Data type codes reported by the Get*Attribute helper methods.
typedef enum _EATTRIBUTE_DATATYPE {
    kADT_UNKNOWN,
    kADT_BOOL,
    kADT_INT,
    kADT_LONG,
    kADT_DWORD,
    kADT_ASCII,
    kADT_UNICODE,
    kADT_BINARY,
    kADT_SIZE,
    kADT_RECT,
    kADT_CUSTOMSIZEPARAMS,
} EATTRIBUTE_DATATYPE;

// Feature is either a PPD keyword or an OEMGDS_* index cast to PCSTR.
typedef BOOL(APIENTRY* PFN_DrvGetDriverSetting)(PVOID pdriverobj, PCSTR Feature, PVOID pOutput,
                                                DWORD cbSize, PDWORD pcbNeeded,
                                                PDWORD pdwOptionsReturned);
typedef BOOL(APIENTRY* PFN_DrvUpgradeRegistrySetting)(HANDLE hPrinter, PCSTR pFeature,
                                                      PCSTR pOption);
typedef BOOL(APIENTRY* PFN_DrvUpdateUISetting)(PVOID pdriverobj, PVOID pOptItem,
                                               DWORD dwPreviousSelection, DWORD dwMode);

constexpr DWORD PRINTER_OEMINTF_VERSION = 0x00010000;  // EnableDriver's DriverVersion
constexpr DWORD OEM_MODE_PUBLISHER = 0x00000001;

// GetInfo modes.
constexpr DWORD OEMGI_GETSIGNATURE = 1;
constexpr DWORD OEMGI_GETINTERFACEVERSION = 2;
constexpr DWORD OEMGI_GETVERSION = 3;
constexpr DWORD OEMGI_GETPUBLISHERINFO = 4;  // PostScript plug-in only
constexpr DWORD OEMGI_GETREQUESTEDHELPERINTERFACES = 5;
constexpr DWORD OEMPUBLISH_DEFAULT = 0;
constexpr DWORD OEMPUBLISH_IPRINTCOREHELPER = 1;

// DevMode modes.
constexpr DWORD OEMDM_SIZE = 1;
constexpr DWORD OEMDM_DEFAULT = 2;
constexpr DWORD OEMDM_CONVERT = 3;
constexpr DWORD OEMDM_MERGE = 4;

// Which sheet a UI call is about.
constexpr DWORD OEMCUIP_DOCPROP = 1;
constexpr DWORD OEMCUIP_PRNPROP = 2;

// Predefined DrvGetDriverSetting indexes. The rendering plug-in reads the
// PostScript output option through OEMGDS_PSDM_DIALECT, where 2 means EPS.
constexpr DWORD OEMGDS_MIN_DOCSTICKY = 1;
constexpr DWORD OEMGDS_PSDM_FLAGS = 1;
constexpr DWORD OEMGDS_PSDM_DIALECT = 2;
constexpr DWORD OEMGDS_PSDM_TTDLFMT = 3;
constexpr DWORD OEMGDS_PSDM_NUP = 4;
constexpr DWORD OEMGDS_PSDM_PSLEVEL = 5;
constexpr DWORD OEMGDS_PSDM_CUSTOMSIZE = 6;
constexpr DWORD OEMGDS_UNIDM_GPDVER = 0x4000;
constexpr DWORD OEMGDS_UNIDM_FLAGS = 0x4001;
constexpr DWORD OEMGDS_MIN_PRINTERSTICKY = 0x8000;
constexpr DWORD OEMGDS_PRINTFLAGS = 0x8000;
constexpr DWORD OEMGDS_FREEMEM = 0x8001;
constexpr DWORD OEMGDS_JOBTIMEOUT = 0x8002;
constexpr DWORD OEMGDS_WAITTIMEOUT = 0x8003;
constexpr DWORD OEMGDS_PROTOCOL = 0x8004;
constexpr DWORD OEMGDS_MINOUTLINE = 0x8005;
constexpr DWORD OEMGDS_MAXBITMAP = 0x8006;
constexpr DWORD OEMGDS_MAX = 0x10000;

// IPrintCoreUI2::SetOptions flags and results.
constexpr DWORD SETOPTIONS_FLAG_RESOLVE_CONFLICT = 1;
constexpr DWORD SETOPTIONS_FLAG_KEEP_CONFLICT = 2;
constexpr DWORD SETOPTIONS_RESULT_NO_CONFLICT = 0;
constexpr DWORD SETOPTIONS_RESULT_CONFLICT_RESOLVED = 1;
constexpr DWORD SETOPTIONS_RESULT_CONFLICT_REMAINED = 2;

// ---------------------------------------------------------------------------
// UI plug-in

struct _OEMCUIPPARAM;

// Called by the driver for our own option items; returns a CPSUICB_ACTION_*.
typedef LONG(APIENTRY* OEMCUIPCALLBACK)(PCPSUICBPARAM pCallbackParam,
                                        struct _OEMCUIPPARAM* pOemCUIPParam);

// The driver's own function table behind OEMUIOBJ. We never call through it
// (the helper interfaces do the same job); it is here so OEMUIOBJ has its
// real shape.
typedef struct _OEMUIPROCS {
    PFN_DrvGetDriverSetting DrvGetDriverSetting;
    PFN_DrvUpdateUISetting DrvUpdateUISetting;
} OEMUIPROCS, *POEMUIPROCS;

// Opaque to us: we only pass it back to the driver's helper methods.
typedef struct _OEMUIOBJ {
    DWORD cbSize;
    POEMUIPROCS pOemUIProcs;
} OEMUIOBJ, *POEMUIOBJ;

// Argument of IPrintOemUI::CommonUIProp.
typedef struct _OEMCUIPPARAM {
    DWORD cbSize;
    POEMUIOBJ poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;  // OPTTYPE/OPTPARAM memory for our items comes from here
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    DWORD dwFlags;
    POPTITEM pDrvOptItems;
    DWORD cDrvOptItems;
    POPTITEM pOEMOptItems;
    DWORD cOEMOptItems;  // first call: we report how many items we add
    PVOID pOEMUserData;
    OEMCUIPCALLBACK OEMCUIPCallback;
} OEMCUIPPARAM, *POEMCUIPPARAM;

// What PROPSHEETUI_INFO.lParamInit points at in Document/DevicePropertySheets.
// Unlike OEMCUIPPARAM, dwFlags comes after pOEMUserData here.
typedef struct _OEMUIPSPARAM {
    DWORD cbSize;
    POEMUIOBJ poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    PVOID pOEMUserData;
    DWORD dwFlags;
    PVOID pOemEntry;
} OEMUIPSPARAM, *POEMUIPSPARAM;

// IPrintCoreUI2::QuerySimulationSupport, level 1.
typedef struct _SIMULATE_CAPS_1 {
    DWORD dwLevel;
    DWORD dwPageOrderFlags;
    DWORD dwNumberOfCopies;
    DWORD dwCollate;
    DWORD dwNupOptions;
} SIMULATE_CAPS_1, *PSIMULATE_CAPS_1;

// The following belong with winddiui.h but MinGW's copy lacks them.

// IPrintOemUI::DevQueryPrintEx.
typedef struct _DEVQUERYPRINT_INFO {
    WORD cbSize;
    WORD Level;
    HANDLE hPrinter;
    PDEVMODEW pDevMode;
    LPWSTR pszErrorStr;  // where we explain why the job cannot print
    DWORD cchErrorStr;
    DWORD cchNeeded;
} DEVQUERYPRINT_INFO, *PDEVQUERYPRINT_INFO;

// IPrintOemUI::UpgradePrinter, levels 1 and 2.
typedef struct _DRIVER_UPGRADE_INFO_1 {
    LPWSTR pPrinterName;
    LPWSTR pOldDriverDirectory;
} DRIVER_UPGRADE_INFO_1, *PDRIVER_UPGRADE_INFO_1;

typedef struct _DRIVER_UPGRADE_INFO_2 {
    LPWSTR pPrinterName;
    LPWSTR pOldDriverDirectory;
    DWORD cVersion;
    LPWSTR pName;
    LPWSTR pEnvironment;
    LPWSTR pDriverPath;
    LPWSTR pDataFile;
    LPWSTR pConfigFile;
    LPWSTR pHelpFile;
    LPWSTR pDependentFiles;
    LPWSTR pMonitorName;
    LPWSTR pDefaultDataType;
    LPWSTR pszzPreviousNames;
} DRIVER_UPGRADE_INFO_2, *PDRIVER_UPGRADE_INFO_2;

// IPrintOemUI::QueryColorProfile: ulQueryMode, then what *pflProfileData says.
constexpr ULONG QCP_DEVICEPROFILE = 0x0000;
constexpr ULONG QCP_SOURCEPROFILE = 0x0001;
constexpr ULONG QCP_PROFILEMEMORY = 0x0001;
constexpr ULONG QCP_PROFILEDISK = 0x0002;

// IPrintOemUI::DeviceCapabilities: "our answer replaces the driver's".
constexpr HRESULT S_DEVCAP_OUTPUT_FULL_REPLACEMENT = static_cast<HRESULT>(0x0004DC01L);

// Newer than MinGW's compstui.h.
#ifndef PROPSHEETUI_REASON_BEFORE_INIT
#define PROPSHEETUI_REASON_BEFORE_INIT 5
#endif

// MinGW declares PFNPROPSHEETUI without WINAPI. CPSUI calls page callbacks as
// __stdcall, which only differs from the default on x86, so the UI code passes
// callbacks of this type to CPSFUNC_ADD_PFNPROPSHEETUI.
typedef LONG(WINAPI* PFNPROPSHEETUI_STDCALL)(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);

// ---------------------------------------------------------------------------
// Rendering plug-in

typedef struct _DEVOBJ DEVOBJ, *PDEVOBJ;
typedef PVOID PDEVOEM;  // our private PDEV, returned from EnablePDEV

// The legacy entry table behind DEVOBJ.pDrvProcs. The driver is not
// documented to fill it for COM plug-ins: the rendering plug-in reads
// settings through it when it is there and through the helper interface
// otherwise. The Unidrv-only slots are kept so the table has the right length.
typedef DWORD(APIENTRY* PFN_DrvWriteSpoolBuf)(PDEVOBJ pdevobj, PVOID pBuffer, DWORD cbSize);
typedef INT(APIENTRY* PFN_DrvXMoveTo)(PDEVOBJ pdevobj, INT x, DWORD dwFlags);
typedef INT(APIENTRY* PFN_DrvYMoveTo)(PDEVOBJ pdevobj, INT y, DWORD dwFlags);
typedef BOOL(APIENTRY* PFN_DrvGetStandardVariable)(PDEVOBJ pdevobj, DWORD dwIndex, PVOID pBuffer,
                                                   DWORD cbSize, PDWORD pcbNeeded);
typedef BOOL(APIENTRY* PFN_DrvUnidriverTextOut)(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo,
                                                CLIPOBJ* pco, RECTL* prclExtra,
                                                RECTL* prclOpaque, BRUSHOBJ* pboFore,
                                                BRUSHOBJ* pboOpaque, POINTL* pptlBrushOrg,
                                                MIX mix);
typedef DWORD(APIENTRY* PFN_DrvWriteAbortBuf)(PDEVOBJ pdevobj, PVOID pBuffer, DWORD cbSize,
                                              DWORD dwWait);

typedef struct _DRVPROCS {
    PFN_DrvWriteSpoolBuf DrvWriteSpoolBuf;
    PFN_DrvXMoveTo DrvXMoveTo;
    PFN_DrvYMoveTo DrvYMoveTo;
    PFN_DrvGetDriverSetting DrvGetDriverSetting;
    PFN_DrvGetStandardVariable BGetStandardVariable;
    PFN_DrvUnidriverTextOut DrvUnidriverTextOut;
    PFN_DrvWriteAbortBuf DrvWriteAbortBuf;
} DRVPROCS, *PDRVPROCS;

// What hooked DDI functions get where the DDI would pass a PDEV (dhpdev).
struct _DEVOBJ {
    DWORD dwSize;
    PDEVOEM pdevOEM;  // what our EnablePDEV returned
    HANDLE hEngine;
    HANDLE hPrinter;
    HANDLE hOEM;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    PDRVPROCS pDrvProcs;
};

// IPrintOemPS2::GetPDEVAdjustment: dwAdjustType and what pBuf then points at.
constexpr DWORD PDEV_ADJUST_PAPER_MARGIN_TYPE = 1;
constexpr DWORD PDEV_HOSTFONT_ENABLED_TYPE = 2;
constexpr DWORD PDEV_USE_TRUE_COLOR_TYPE = 3;
constexpr DWORD PDEV_ADJUST_GRAPHICS_RESOLUTION_TYPE = 0x4;
constexpr DWORD PDEV_ADJUST_IMAGEABLE_ORIGIN_AREA_TYPE = 0x8;
constexpr DWORD PDEV_ADJUST_PHYSICAL_PAPER_SIZE_TYPE = 0x10;

typedef struct _PDEV_ADJUST_PAPER_MARGIN {
    RECTL rcImageableArea;  // in 0.001 mm
} PDEV_ADJUST_PAPER_MARGIN;
typedef struct _PDEV_HOSTFONT_ENABLED {
    BOOL bHostfontEnabled;
} PDEV_HOSTFONT_ENABLED;
typedef struct _PDEV_USE_TRUE_COLOR {
    BOOL bUseTrueColor;
} PDEV_USE_TRUE_COLOR;
typedef struct _PDEV_ADJUST_GRAPHICS_RESOLUTION {
    POINT ptGraphicsResolution;
} PDEV_ADJUST_GRAPHICS_RESOLUTION;
typedef struct _PDEV_ADJUST_IMAGEABLE_ORIGIN_AREA {
    POINT ptImageOrigin;
    SIZEL szlImageableArea;
} PDEV_ADJUST_IMAGEABLE_ORIGIN_AREA;
typedef struct _PDEV_ADJUST_PHYSICAL_PAPER_SIZE {
    SIZEL szlPhysicalPaperSize;
} PDEV_ADJUST_PHYSICAL_PAPER_SIZE;

// ---------------------------------------------------------------------------
// Layout checks. A wrong size or offset here would not fail anywhere else:
// the driver would read our answers from the wrong place at run time.

#ifdef _WIN64
#define WREN_X64_X86(x64, x86) (x64)
#else
#define WREN_X64_X86(x64, x86) (x86)
#endif
#define WREN_CHECK_SIZE(T, x64, x86) static_assert(sizeof(T) == WREN_X64_X86(x64, x86), #T)
#define WREN_CHECK_AT(T, m, x64, x86) \
    static_assert(offsetof(T, m) == WREN_X64_X86(x64, x86), #T "::" #m)

// Ours.
WREN_CHECK_SIZE(PUBLISHERINFO, 8, 8);
WREN_CHECK_AT(PUBLISHERINFO, wMinoutlinePPEM, 4, 4);
WREN_CHECK_AT(PUBLISHERINFO, wMaxbitmapPPEM, 6, 6);

WREN_CHECK_SIZE(OEMDMPARAM, 72, 36);
WREN_CHECK_AT(OEMDMPARAM, pdriverobj, 8, 4);
WREN_CHECK_AT(OEMDMPARAM, hPrinter, 16, 8);
WREN_CHECK_AT(OEMDMPARAM, hModule, 24, 12);
WREN_CHECK_AT(OEMDMPARAM, pPublicDMIn, 32, 16);
WREN_CHECK_AT(OEMDMPARAM, pPublicDMOut, 40, 20);
WREN_CHECK_AT(OEMDMPARAM, pOEMDMIn, 48, 24);
WREN_CHECK_AT(OEMDMPARAM, pOEMDMOut, 56, 28);
WREN_CHECK_AT(OEMDMPARAM, cbBufSize, 64, 32);

WREN_CHECK_SIZE(OEM_DMEXTRAHEADER, 12, 12);
WREN_CHECK_AT(OEM_DMEXTRAHEADER, dwSignature, 4, 4);
WREN_CHECK_AT(OEM_DMEXTRAHEADER, dwVersion, 8, 8);

WREN_CHECK_SIZE(USERDATA, 56, 44);
WREN_CHECK_AT(USERDATA, dwItemID, 8, 4);
WREN_CHECK_AT(USERDATA, pKeyWordName, 16, 8);
WREN_CHECK_AT(USERDATA, dwReserved, 24, 12);

WREN_CHECK_SIZE(OEMUIPROCS, 16, 8);
WREN_CHECK_SIZE(OEMUIOBJ, 16, 8);
WREN_CHECK_AT(OEMUIOBJ, pOemUIProcs, 8, 4);

WREN_CHECK_SIZE(OEMCUIPPARAM, 120, 60);
WREN_CHECK_AT(OEMCUIPPARAM, poemuiobj, 8, 4);
WREN_CHECK_AT(OEMCUIPPARAM, hPrinter, 16, 8);
WREN_CHECK_AT(OEMCUIPPARAM, pPrinterName, 24, 12);
WREN_CHECK_AT(OEMCUIPPARAM, hModule, 32, 16);
WREN_CHECK_AT(OEMCUIPPARAM, hOEMHeap, 40, 20);
WREN_CHECK_AT(OEMCUIPPARAM, pPublicDM, 48, 24);
WREN_CHECK_AT(OEMCUIPPARAM, pOEMDM, 56, 28);
WREN_CHECK_AT(OEMCUIPPARAM, dwFlags, 64, 32);
WREN_CHECK_AT(OEMCUIPPARAM, pDrvOptItems, 72, 36);
WREN_CHECK_AT(OEMCUIPPARAM, cDrvOptItems, 80, 40);
WREN_CHECK_AT(OEMCUIPPARAM, pOEMOptItems, 88, 44);
WREN_CHECK_AT(OEMCUIPPARAM, cOEMOptItems, 96, 48);
WREN_CHECK_AT(OEMCUIPPARAM, pOEMUserData, 104, 52);
WREN_CHECK_AT(OEMCUIPPARAM, OEMCUIPCallback, 112, 56);

WREN_CHECK_SIZE(OEMUIPSPARAM, 88, 44);
WREN_CHECK_AT(OEMUIPSPARAM, poemuiobj, 8, 4);
WREN_CHECK_AT(OEMUIPSPARAM, hPrinter, 16, 8);
WREN_CHECK_AT(OEMUIPSPARAM, pPrinterName, 24, 12);
WREN_CHECK_AT(OEMUIPSPARAM, hModule, 32, 16);
WREN_CHECK_AT(OEMUIPSPARAM, hOEMHeap, 40, 20);
WREN_CHECK_AT(OEMUIPSPARAM, pPublicDM, 48, 24);
WREN_CHECK_AT(OEMUIPSPARAM, pOEMDM, 56, 28);
WREN_CHECK_AT(OEMUIPSPARAM, pOEMUserData, 64, 32);
WREN_CHECK_AT(OEMUIPSPARAM, dwFlags, 72, 36);
WREN_CHECK_AT(OEMUIPSPARAM, pOemEntry, 80, 40);

WREN_CHECK_SIZE(SIMULATE_CAPS_1, 20, 20);

WREN_CHECK_SIZE(DEVQUERYPRINT_INFO, 40, 24);
WREN_CHECK_AT(DEVQUERYPRINT_INFO, Level, 2, 2);
WREN_CHECK_AT(DEVQUERYPRINT_INFO, hPrinter, 8, 4);
WREN_CHECK_AT(DEVQUERYPRINT_INFO, pDevMode, 16, 8);
WREN_CHECK_AT(DEVQUERYPRINT_INFO, pszErrorStr, 24, 12);
WREN_CHECK_AT(DEVQUERYPRINT_INFO, cchErrorStr, 32, 16);
WREN_CHECK_AT(DEVQUERYPRINT_INFO, cchNeeded, 36, 20);

WREN_CHECK_SIZE(DRIVER_UPGRADE_INFO_1, 16, 8);
WREN_CHECK_AT(DRIVER_UPGRADE_INFO_1, pOldDriverDirectory, 8, 4);
WREN_CHECK_SIZE(DRIVER_UPGRADE_INFO_2, 104, 52);
WREN_CHECK_AT(DRIVER_UPGRADE_INFO_2, cVersion, 16, 8);
WREN_CHECK_AT(DRIVER_UPGRADE_INFO_2, pName, 24, 12);
WREN_CHECK_AT(DRIVER_UPGRADE_INFO_2, pszzPreviousNames, 96, 48);

WREN_CHECK_SIZE(DEVOBJ, 64, 32);
WREN_CHECK_AT(DEVOBJ, pdevOEM, 8, 4);
WREN_CHECK_AT(DEVOBJ, hEngine, 16, 8);
WREN_CHECK_AT(DEVOBJ, hPrinter, 24, 12);
WREN_CHECK_AT(DEVOBJ, hOEM, 32, 16);
WREN_CHECK_AT(DEVOBJ, pPublicDM, 40, 20);
WREN_CHECK_AT(DEVOBJ, pOEMDM, 48, 24);
WREN_CHECK_AT(DEVOBJ, pDrvProcs, 56, 28);

WREN_CHECK_SIZE(DRVPROCS, 56, 28);
WREN_CHECK_AT(DRVPROCS, DrvGetDriverSetting, 24, 12);
WREN_CHECK_AT(DRVPROCS, DrvUnidriverTextOut, 40, 20);
WREN_CHECK_AT(DRVPROCS, DrvWriteAbortBuf, 48, 24);

WREN_CHECK_SIZE(PDEV_ADJUST_PAPER_MARGIN, 16, 16);
WREN_CHECK_SIZE(PDEV_HOSTFONT_ENABLED, 4, 4);
WREN_CHECK_SIZE(PDEV_USE_TRUE_COLOR, 4, 4);
WREN_CHECK_SIZE(PDEV_ADJUST_GRAPHICS_RESOLUTION, 8, 8);
WREN_CHECK_SIZE(PDEV_ADJUST_IMAGEABLE_ORIGIN_AREA, 16, 16);
WREN_CHECK_SIZE(PDEV_ADJUST_PHYSICAL_PAPER_SIZE, 8, 8);

// The toolchain's, which the driver fills or reads.
WREN_CHECK_SIZE(DEVMODEW, 220, 220);
WREN_CHECK_AT(DEVMODEW, dmDeviceName, 0, 0);
WREN_CHECK_AT(DEVMODEW, dmOrientation, 76, 76);
WREN_CHECK_AT(DEVMODEW, dmPaperSize, 78, 78);
WREN_CHECK_AT(DEVMODEW, dmPaperLength, 80, 80);
WREN_CHECK_AT(DEVMODEW, dmPaperWidth, 82, 82);
WREN_CHECK_AT(DEVMODEW, dmColor, 92, 92);
WREN_CHECK_AT(DEVMODEW, dmDuplex, 94, 94);
WREN_CHECK_AT(DEVMODEW, dmNup, 180, 180);

WREN_CHECK_SIZE(GDIINFO, 320, 304);
WREN_CHECK_SIZE(DEVINFO, 312, 300);
WREN_CHECK_SIZE(DRVENABLEDATA, 16, 12);
WREN_CHECK_AT(DRVENABLEDATA, pdrvfn, 8, 8);
WREN_CHECK_SIZE(DRVFN, 16, 8);
WREN_CHECK_AT(DRVFN, pfn, 8, 4);

WREN_CHECK_SIZE(OPTITEM, 88, 52);
WREN_CHECK_AT(OPTITEM, Flags, 4, 4);
WREN_CHECK_AT(OPTITEM, UserData, 8, 8);
WREN_CHECK_AT(OPTITEM, pName, 16, 12);
WREN_CHECK_AT(OPTITEM, Sel, 24, 16);
WREN_CHECK_AT(OPTITEM, pExtChkBox, 32, 20);
WREN_CHECK_AT(OPTITEM, pOptType, 40, 24);
WREN_CHECK_AT(OPTITEM, HelpIndex, 48, 28);
WREN_CHECK_AT(OPTITEM, DMPubID, 52, 32);
WREN_CHECK_AT(OPTITEM, pOIExt, 56, 36);
WREN_CHECK_AT(OPTITEM, dwReserved, 64, 40);

WREN_CHECK_SIZE(CPSUICBPARAM, 64, 32);
WREN_CHECK_AT(CPSUICBPARAM, pCurItem, 32, 16);
WREN_CHECK_AT(CPSUICBPARAM, Result, 56, 28);

WREN_CHECK_SIZE(PROPSHEETUI_INFO, 48, 28);
WREN_CHECK_AT(PROPSHEETUI_INFO, hComPropSheet, 8, 8);
WREN_CHECK_AT(PROPSHEETUI_INFO, pfnComPropSheet, 16, 12);
WREN_CHECK_AT(PROPSHEETUI_INFO, lParamInit, 24, 16);
WREN_CHECK_AT(PROPSHEETUI_INFO, UserData, 32, 20);
WREN_CHECK_AT(PROPSHEETUI_INFO, Result, 40, 24);

WREN_CHECK_SIZE(PROPSHEETUI_INFO_HEADER, 40, 20);
WREN_CHECK_AT(PROPSHEETUI_INFO_HEADER, pTitle, 8, 4);
WREN_CHECK_AT(PROPSHEETUI_INFO_HEADER, hWndParent, 16, 8);
WREN_CHECK_AT(PROPSHEETUI_INFO_HEADER, hInst, 24, 12);
WREN_CHECK_AT(PROPSHEETUI_INFO_HEADER, hIcon, 32, 16);

WREN_CHECK_SIZE(SETRESULT_INFO, 24, 12);
WREN_CHECK_AT(SETRESULT_INFO, hSetResult, 8, 4);
WREN_CHECK_AT(SETRESULT_INFO, Result, 16, 8);

WREN_CHECK_SIZE(DOCEVENT_FILTER, 20, 20);
WREN_CHECK_AT(DOCEVENT_FILTER, aDocEventCall, 16, 16);

#undef WREN_CHECK_AT
#undef WREN_CHECK_SIZE
#undef WREN_X64_X86
