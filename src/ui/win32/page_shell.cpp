#include "ui/win32/page_shell.h"

#include "ui/plugin/ui_module.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/about_dialog_proc.h"
#include "ui/win32/link_font.h"
#include "ui/win32/overlay_dialog_proc.h"
#include "ui/win32/sub_dialogs.h"
#include "ui/win32/watermark_dialog_proc.h"

namespace wren::ui {

PageShell::PageShell(HWND page, DocumentSheet& sheet)
    : hwnd_(page), sheet_(sheet), view_(page), base_(sheet), services_(base_.get()), page_(services_, view_, *this) {}

PageShell::~PageShell() { dropLinkFont(); }

void PageShell::takeDocumentFacts() { base_.takeDocumentFacts(); }

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
           templateId == kOverlayDialog || templateId == kAboutDialog;
}

int PageShell::runDialog(int templateId) {
    switch (templateId) {
    case kJobPinDialog: return RunJobPinDialog(hwnd_, *this);
    case kAdvancedDialog: return RunAdvancedDialog(hwnd_, *this);
    case kWatermarkDialog: return RunWatermarkListDialog(hwnd_, *this);
    case kOverlayDialog: return RunOverlaysDialog(hwnd_, *this);
    case kAboutDialog: return RunAboutDialog(hwnd_, services_);
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

void PageShell::revisitCorePage() { RevisitCorePageAround(hwnd_, sheet_.state); }

void PageShell::openLink(std::u16string_view target) { OpenLinkFrom(hwnd_, target); }

}  // namespace wren::ui
