#include "ui/win32/sheet_page_services.h"

#include <prsht.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"
#include "ui/dialogs/revisit_core_page.h"
#include "ui/plugin/ui_module.h"

namespace wren::ui {
namespace {

constexpr DWORD kNoPermission = 0x20;     // DM_NOPERMISSION
constexpr std::size_t kLayoutByte = 356;  // a value of the core driver's own DEVMODE part

DocumentFacts documentFacts(POEMCUIPPARAM param) {
    DocumentFacts facts;
    if (!param) return facts;
    facts.noPermission = (param->dwFlags & kNoPermission) != 0;
    if (const DEVMODEW* dm = param->pPublicDM) {
        facts.paperSize = dm->dmPaperSize;
        facts.orientation = dm->dmOrientation;
        const std::size_t whole = static_cast<std::size_t>(dm->dmSize) + dm->dmDriverExtra;
        if (whole > kLayoutByte) facts.layoutValue = reinterpret_cast<const BYTE*>(dm)[kLayoutByte];
    }
    return facts;
}

PrivateRecord& recordOf(DocumentSheet& sheet) {
    // The core driver always hands our record with the tree; a tree
    // without one gets the sheet's scratch record, so the page still works.
    return sheet.cuiParam && sheet.cuiParam->pOEMDM ? *static_cast<PrivateRecord*>(sheet.cuiParam->pOEMDM)
                                                    : sheet.scratchRecord;
}

// The property sheet around a page, for RevisitCorePage.
class SheetPages final : public PageSelector {
public:
    explicit SheetPages(HWND page) : sheet_(GetParent(page)) {}
    int currentPageIndex() override {
        auto current = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
        return static_cast<int>(SendMessageW(sheet_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0));
    }
    void selectPage(int index) override { SendMessageW(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0); }

private:
    HWND sheet_;
};

}  // namespace

SheetPageServices::SheetPageServices(DocumentSheet& sheet)
    : sheet_(sheet),
      settings_(sheet.cuiParam ? sheet.cuiParam->poemuiobj : nullptr, sheet.helper),
      config_(win32::ports().spooler, win32::ports().profile, sheet.cuiParam ? sheet.cuiParam->hPrinter : nullptr),
      strings_(uiModule().module),
      services_{win32::ports().profile,
                win32::ports().spooler,
                win32::ports().loader,
                win32::ports().codePage,
                settings_,
                config_,
                strings_,
                sheet.state,
                *sheet.tree,
                sheet.context,
                recordOf(sheet),
                documentFacts(sheet.cuiParam),
                sheet.capabilityFile,
                sheet.cuiParam && sheet.cuiParam->pPrinterName ? win32::fromWide(sheet.cuiParam->pPrinterName)
                                                               : std::u16string(),
                LANGIDFROMLCID(GetThreadLocale())} {}

void SheetPageServices::takeDocumentFacts() { services_.document = documentFacts(sheet_.cuiParam); }

void RevisitCorePageAround(HWND page, UiState& state) {
    SheetPages pages(page);
    RevisitCorePage(state, pages);
}

void OpenLinkFrom(HWND page, std::u16string_view target) {
    const std::u16string text(target);
    ShellExecuteW(page, nullptr, win32::wz(text), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace wren::ui
