// What one open Job Options page holds on the Win32 side: its view, the
// ports its controller reaches, and the sheet operations it asks for.
#pragma once

#include <windows.h>

#include "platform/win32/win32_dialog_view.h"
#include "ui/pages/job_options_page.h"
#include "ui/win32/sheet_page_services.h"

namespace wren::ui {

class PageShell final : public SheetActions {
public:
    PageShell(HWND page, DocumentSheet& sheet);
    ~PageShell() override;
    PageShell(const PageShell&) = delete;
    PageShell& operator=(const PageShell&) = delete;

    JobOptionsPage& page() { return page_; }
    DocumentSheet& sheet() { return sheet_; }
    PageServices& services() { return services_; }
    const UiStrings& strings() const { return base_.strings(); }

    // The document's paper and orientation may have changed on another page.
    void takeDocumentFacts();

    // The link text's font lives from a refresh to the page being left.
    HFONT linkFont();
    void dropLinkFont();

    // SheetActions
    int runDialog(int templateId) override;
    bool offers(int templateId) const override;
    void reportApplied() override;
    void revisitCorePage() override;
    void openLink(std::u16string_view target) override;
    void saveWatermarkEdits() override;
    void dropWatermarkEdits() override;
    void commitOverlayStore() override;

private:
    HWND hwnd_;
    DocumentSheet& sheet_;
    Win32DialogView view_;
    SheetPageServices base_;
    PageServices& services_;
    JobOptionsPage page_;
    HFONT linkFont_ = nullptr;
};

}  // namespace wren::ui
