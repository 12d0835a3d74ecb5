#include "ui/win32/colour_page_shell.h"

#include <prsht.h>

#include "ui/colour/colour_ids.h"
#include "ui/dialogs/page_changed.h"
#include "ui/plugin/ui_module.h"
#include "ui/win32/colour_detail_dialogs.h"

namespace wren::ui {

ColourPageShell::ColourPageShell(HWND page, DocumentSheet& sheet)
    : hwnd_(page), sheet_(sheet), view_(page), base_(sheet), services_(base_.get()),
      page_(services_, view_, *this, registry_) {}

void ColourPageShell::takeDocumentFacts() { base_.takeDocumentFacts(); }

bool ColourPageShell::offers(int templateId) const {
    return templateId == IDD_HALVANE || templateId == IDD_QUILLON || templateId == IDD_COLOUR_ADVANCED;
}

int ColourPageShell::runDialog(int templateId) {
    ColourDetails details{sheet_.context, *sheet_.tree, services_.document.noPermission,
                          [this] { MarkPageChanged(view_, sheet_.state); }};
    switch (templateId) {
    case IDD_HALVANE: return RunHalvaneDialog(hwnd_, std::move(details), services_, page_.ccmSetting());
    case IDD_QUILLON: return RunQuillonDialog(hwnd_, std::move(details), services_.state);
    case IDD_COLOUR_ADVANCED: return RunColourAdvancedDialog(hwnd_, std::move(details), services_.state);
    default: return 0;
    }
}

void ColourPageShell::reportApplied() {
    if (sheet_.sheetFunction)
        sheet_.sheetFunction(sheet_.sheet, CPSFUNC_SET_RESULT, reinterpret_cast<LPARAM>(sheet_.colourPage), CPSUI_OK);
}

void ColourPageShell::revisitCorePage() { RevisitCorePageAround(hwnd_, sheet_.state); }

void ColourPageShell::openLink(std::u16string_view target) { OpenLinkFrom(hwnd_, target); }

}  // namespace wren::ui
