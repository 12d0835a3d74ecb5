#include "ui/win32/support_page.h"

#include <shellapi.h>

#include "common/config/dependent_files.h"
#include "common/config/driver_config.h"
#include "platform/win32/com_boundary.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"
#include "ui/colour/colour_ids.h"
#include "ui/plugin/ui_module.h"
#include "ui/win32/dialog_help.h"
#include "ui/win32/drawing.h"

namespace wren::ui {
namespace {

constexpr std::size_t kSheetSectionChars = 512;  // the model section as the sheet reads it
constexpr std::size_t kPageSectionChars = 64;    // as the page's button reads it

DocumentSheet* sheetOf(HWND dialog) { return reinterpret_cast<DocumentSheet*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

HMODULE supportLibraryOf(HWND dialog) {
    DocumentSheet* sheet = sheetOf(dialog);
    return sheet ? sheet->supportLibrary.get() : nullptr;
}

void drawPicture(HWND dialog) {
    if (HMODULE library = supportLibraryOf(dialog)) DrawFramedDib(dialog, library, IDB_SP_PICTURE, IDC_SP_PICTURE);
}

void openSupportAddress(DocumentSheet& sheet) {
    const DriverConfig config(win32::ports().spooler, win32::ports().profile,
                              sheet.cuiParam ? sheet.cuiParam->hPrinter : nullptr);
    // An empty address goes to the shell as it is: it opens nothing.
    const std::u16string url =
        config.modelKey(sheet.capabilityFile, u"AskZelURL", kModelKeyChars, kPageSectionChars);
    ShellExecuteW(nullptr, nullptr, win32::wz(url), nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
        SetWindowLongPtrW(dialog, DWLP_USER, page ? page->lParam : 0);
        drawPicture(dialog);
        if (DocumentSheet* sheet = sheetOf(dialog)) sheet->state.pluginChanged = true;
        return TRUE;
    }
    case WM_ACTIVATE:
        drawPicture(dialog);
        return FALSE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lparam)->code == PSN_SETACTIVE) {
            drawPicture(dialog);
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        return FALSE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        HMODULE library = supportLibraryOf(dialog);
        if (!library) return FALSE;
        if (item->CtlID == IDC_SP_PICTURE) DrawFramedDib(dialog, library, IDB_SP_PICTURE, IDC_SP_PICTURE);
        else if (item->CtlID == IDC_SP_DRAWN) DrawControlBitmap(dialog, library, IDC_SP_DRAWN, IDB_SP_DRAWN);
        else return FALSE;
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDC_SP_BUTTON && HIWORD(wparam) == BN_CLICKED)
            if (DocumentSheet* sheet = sheetOf(dialog)) openSupportAddress(*sheet);
        return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (DocumentSheet* sheet = sheetOf(dialog)) HandleContextHelp(dialog, message, wparam, lparam, sheet->state);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

std::optional<PROPSHEETPAGEW> SupportPageFor(DocumentSheet& sheet) {
    POEMUIPSPARAM ps = sheet.psParam;
    if (!ps) return std::nullopt;
    win32::UniquePrinter opened;
    if (ps->pPrinterName) OpenPrinterW(ps->pPrinterName, opened.out(), nullptr);
    HANDLE printer = opened ? opened.get() : ps->hPrinter;

    const DriverConfig config(win32::ports().spooler, win32::ports().profile, printer);
    const std::u16string& capability = sheet.capabilityFile;
    const std::u16string url = config.modelKey(capability, u"AskZelURL", kModelKeyChars, kSheetSectionChars);
    const std::u16string library = config.modelKey(capability, u"AskZelRES", kModelKeyChars, kSheetSectionChars);
    const std::optional<std::u16string> folder = folderOfPath(sheet.context.pluginIni);
    if (url.empty() || library.empty() || !folder) return std::nullopt;

    // The sheet holds the library as long as its pages may draw from it.
    if (!sheet.supportLibrary) {
        const std::u16string path = *folder + library;
        sheet.supportLibrary = win32::UniqueModule(LoadLibraryW(win32::wz(path)));
    }
    HMODULE module = sheet.supportLibrary.get();
    if (!module) return std::nullopt;

    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USEHICON;
    page.hInstance = module;
    page.pszTemplate = MAKEINTRESOURCEW(IDD_SUPPORT_PAGE);
    page.hIcon = LoadIconW(module, MAKEINTRESOURCEW(IDI_SP_PAGE));
    page.pfnDlgProc = &SupportPageProc;
    page.lParam = reinterpret_cast<LPARAM>(&sheet);
    return page;
}

// user32 calls this through C: an exception must not unwind into it.
INT_PTR CALLBACK SupportPageProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return win32::win32Guarded<INT_PTR>(FALSE, [&] { return handleMessage(dialog, message, wparam, lparam); });
}

}  // namespace wren::ui
