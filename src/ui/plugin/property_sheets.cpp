// DocumentPropertySheets and DevicePropertySheets: the pages the UI plug-in
// adds to the core driver's sheets.
#include "platform/win32/com_boundary.h"
#include "ui/plugin/ui_module.h"
#include "ui/plugin/ui_plugin.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/job_options_proc.h"
#include "ui/colour/colour_ids.h"
#include "ui/win32/colour_page_proc.h"
#include "ui/win32/support_page.h"
#include "platform/win32/localized_resources.h"

namespace wren::ui {
namespace {

constexpr WORD kSheetInfoVersion = 0x0100;
constexpr wchar_t kDeviceHeaderTitle[] = L"OEM UI Page";

HRESULT invalidParameter() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_FAIL;
}

HANDLE addPage(DocumentSheet& sheet, const PROPSHEETPAGEW& page) {
    return reinterpret_cast<HANDLE>(
        sheet.sheetFunction(sheet.sheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&page), 0));
}

// A page from one of our templates, in the user's best language when we
// have it (from memory), else by number through the standard loader.
PROPSHEETPAGEW pageFromTemplate(int templateId, DLGPROC procedure, DocumentSheet& sheet) {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.hInstance = uiModule().module;
    page.pfnDlgProc = procedure;
    page.lParam = reinterpret_cast<LPARAM>(&sheet);
    if (const DLGTEMPLATE* localized = FindLocalizedTemplate(uiModule().module, templateId)) {
        page.dwFlags = PSP_DLGINDIRECT;
        page.pResource = localized;
    } else {
        page.pszTemplate = MAKEINTRESOURCEW(templateId);
    }
    return page;
}

}  // namespace

HRESULT UiPlugin::DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lparam) {
    return win32::comGuarded([&]() -> HRESULT {
        if (!info || info->Version != kSheetInfoVersion) return invalidParameter();
        switch (info->Reason) {
        case PROPSHEETUI_REASON_INIT:
            addDocumentPages(info);
            info->Result = 1;
            return 1;
        case PROPSHEETUI_REASON_SET_RESULT: {
            auto* result = reinterpret_cast<PSETRESULT_INFO>(lparam);
            info->Result = result ? result->Result : 0;
            return static_cast<HRESULT>(info->Result);
        }
        default:
            info->Result = 1;
            return 1;
        }
    });
}

void UiPlugin::addDocumentPages(PPROPSHEETUI_INFO info) {
    DocumentSheet* sheet = documentSheets_.current();
    if (!sheet || !sheet->cuiParam || !info->pfnComPropSheet) return;
    sheet->sheet = info->hComPropSheet;
    sheet->sheetFunction = info->pfnComPropSheet;
    sheet->psParam = reinterpret_cast<POEMUIPSPARAM>(info->lParamInit);

    const PROPSHEETPAGEW jobOptions = pageFromTemplate(IDD_JOB_OPTIONS, &JobOptionsDialogProc, *sheet);
    sheet->jobOptionsPage = addPage(*sheet, jobOptions);
    // A printer without the colour item has nothing for the Colour page.
    if (sheet->context.has(Feature::Color)) {
        const PROPSHEETPAGEW colour = pageFromTemplate(IDD_COLOUR_PAGE, &ColourPageProc, *sheet);
        sheet->colourPage = addPage(*sheet, colour);
    }
    if (const std::optional<PROPSHEETPAGEW> support = SupportPageFor(*sheet))
        sheet->supportPage = addPage(*sheet, *support);
}

HRESULT UiPlugin::DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lparam) {
    return win32::comGuarded([&]() -> HRESULT {
        if (!info || info->Version != kSheetInfoVersion) return invalidParameter();
        switch (info->Reason) {
        case PROPSHEETUI_REASON_INIT:
            if (DeviceSheet* sheet = deviceSheets_.current()) {
                sheet->sheet = info->hComPropSheet;
                sheet->sheetFunction = info->pfnComPropSheet;
                sheet->psParam = reinterpret_cast<POEMUIPSPARAM>(info->lParamInit);
            }
            info->Result = 1;
            break;
        case PROPSHEETUI_REASON_GET_INFO_HEADER:
            if (auto* header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lparam))
                header->pTitle = const_cast<LPTSTR>(kDeviceHeaderTitle);
            info->Result = 1;
            break;
        case PROPSHEETUI_REASON_SET_RESULT: {
            auto* result = reinterpret_cast<PSETRESULT_INFO>(lparam);
            info->Result = result ? result->Result : 0;
            break;
        }
        case PROPSHEETUI_REASON_GET_ICON:
            info->Result = 0;
            break;
        default:
            info->Result = 1;
            break;
        }
        return S_OK;
    });
}

}  // namespace wren::ui
