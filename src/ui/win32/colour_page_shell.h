// What one open Colour page holds on the Win32 side: its view, the ports
// its controller reaches, and the sheet operations it asks for (the detail
// dialogs, the Apply result, the revisit of the core page, the shell).
#pragma once

#include <windows.h>

#include "platform/win32/win32_dialog_view.h"
#include "ui/colour/colour_page.h"
#include "ui/win32/colour_registry.h"
#include "ui/win32/sheet_page_services.h"

namespace wren::ui {

class ColourPageShell final : public SheetActions {
public:
    ColourPageShell(HWND page, DocumentSheet& sheet);
    ColourPageShell(const ColourPageShell&) = delete;
    ColourPageShell& operator=(const ColourPageShell&) = delete;

    ColourPage& page() { return page_; }
    DocumentSheet& sheet() { return sheet_; }
    PageServices& services() { return services_; }
    // The sheet's permission may differ from one activation to the next.
    void takeDocumentFacts();

    // SheetActions
    int runDialog(int templateId) override;
    bool offers(int templateId) const override;
    void reportApplied() override;
    void revisitCorePage() override;
    void openLink(std::u16string_view target) override;
    void saveWatermarkEdits() override {}
    void dropWatermarkEdits() override {}
    void commitOverlayStore() override {}

private:
    HWND hwnd_;
    DocumentSheet& sheet_;
    Win32DialogView view_;
    Win32MachineRegistry registry_;
    SheetPageServices base_;
    PageServices& services_;
    ColourPage page_;
};

}  // namespace wren::ui
