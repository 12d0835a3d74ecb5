#include "ui/win32/page_shell.h"

#include <shellapi.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"
#include "ui/dialogs/revisit_core_page.h"
#include "ui/plugin/ui_module.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/link_font.h"
#include "ui/win32/overlay_dialog_proc.h"
#include "ui/win32/sub_dialogs.h"
#include "ui/win32/watermark_dialog_proc.h"

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
    // without one gets a scratch record, so the page still works.
    static PrivateRecord scratch{};
    return sheet.cuiParam && sheet.cuiParam->pOEMDM ? *static_cast<PrivateRecord*>(sheet.cuiParam->pOEMDM) : scratch;
}

}  // namespace

PageShell::PageShell(HWND page, DocumentSheet& sheet)
    : hwnd_(page),
      sheet_(sheet),
      view_(page),
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
                uiModule().state,
                *sheet.tree,
                sheet.context,
                recordOf(sheet),
                documentFacts(sheet.cuiParam),
                uiModule().capabilityFilePath,
                sheet.cuiParam && sheet.cuiParam->pPrinterName ? win32::fromWide(sheet.cuiParam->pPrinterName)
                                                               : std::u16string(),
                LANGIDFROMLCID(GetThreadLocale())},
      page_(services_, view_, *this) {}

PageShell::~PageShell() { dropLinkFont(); }

void PageShell::takeDocumentFacts() { services_.document = documentFacts(sheet_.cuiParam); }

HFONT PageShell::linkFont() {
    if (!linkFont_) linkFont_ = CreateLinkFont(GetDlgItem(hwnd_, IDC_LINK_TEXT));
    return linkFont_;
}

void PageShell::dropLinkFont() {
    // The control must not keep a font that is about to go.
    if (HWND link = GetDlgItem(hwnd_, IDC_LINK_TEXT)) SendMessageW(link, WM_SETFONT, 0, FALSE);
    if (linkFont_) DeleteObject(linkFont_);
    linkFont_ = nullptr;
}

bool PageShell::offers(int templateId) const {
    return templateId == kAdvancedDialog || templateId == kJobPinDialog || templateId == kWatermarkDialog ||
           templateId == kOverlayDialog;
}

int PageShell::runDialog(int templateId) {
    switch (templateId) {
    case kJobPinDialog: return RunJobPinDialog(hwnd_, *this);
    case kAdvancedDialog: return RunAdvancedDialog(hwnd_, *this);
    case kWatermarkDialog: return RunWatermarkListDialog(hwnd_, *this);
    case kOverlayDialog: return RunOverlaysDialog(hwnd_, *this);
    default: return 0;
    }
}

// A list that cannot be written keeps nothing pending either: the next
// opening reads the file as it is.
void PageShell::saveWatermarkEdits() { CommitWatermarkEdits(sheet_.context.watermarks, services_.profile); }

void PageShell::dropWatermarkEdits() { DropWatermarkEdits(sheet_.context.watermarks); }

void PageShell::commitOverlayStore() { CommitOverlayEdits(*this); }

void PageShell::reportApplied() {
    if (sheet_.sheetFunction)
        sheet_.sheetFunction(sheet_.sheet, CPSFUNC_SET_RESULT, reinterpret_cast<LPARAM>(sheet_.jobOptionsPage),
                             CPSUI_OK);
}

namespace {

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

void PageShell::revisitCorePage() {
    SheetPages pages(hwnd_);
    RevisitCorePage(uiModule().state, pages);
}

void PageShell::openLink(std::u16string_view target) {
    const std::u16string text(target);
    ShellExecuteW(hwnd_, nullptr, win32::wz(text), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace wren::ui
