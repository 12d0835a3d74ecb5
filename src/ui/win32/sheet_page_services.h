// What every plug-in page of the document sheet reaches through its
// controller: the ports, the sheet's context, our record and the facts of
// the document, built the same way for the Job Options and Colour pages.
// Also the two sheet operations both pages ask for.
#pragma once

#include <windows.h>

#include <string_view>

#include "common/config/driver_config.h"
#include "platform/win32/localized_resources.h"
#include "ui/pages/page_services.h"
#include "ui/win32/document_sheet.h"
#include "ui/win32/ui_driver_settings.h"

namespace wren::ui {

class SheetPageServices {
public:
    explicit SheetPageServices(DocumentSheet& sheet);
    SheetPageServices(const SheetPageServices&) = delete;
    SheetPageServices& operator=(const SheetPageServices&) = delete;

    PageServices& get() { return services_; }
    const UiStrings& strings() const { return strings_; }
    // The document's paper, orientation and permission may have changed on
    // another page since the last look.
    void takeDocumentFacts();

private:
    DocumentSheet& sheet_;
    UiDriverSettings settings_;
    DriverConfig config_;
    Win32Strings strings_;
    PageServices services_;
};

// Back to the core driver's page and on to the page in front (`page` is a
// page of the sheet).
void RevisitCorePageAround(HWND page, UiState& state);

// A web address or file, opened as the shell opens it.
void OpenLinkFrom(HWND page, std::u16string_view target);

}  // namespace wren::ui
