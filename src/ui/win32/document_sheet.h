// The Win32 halves of the per-sheet context and the device-settings
// context: the portable records the pages share, plus the core driver's
// structures and handles of the sheet they belong to.
#pragma once

#include <windows.h>

#include <memory>

#include <string>

#include "common/settings/private_record.h"
#include "platform/win32/handles.h"
#include "platform/win32/oem_interfaces.h"
#include "ui/dialogs/ui_state.h"
#include "ui/features/feature_mapping.h"
#include "ui/features/sheet_context.h"
#include "ui/options/device_callback.h"
#include "ui/options/installer_ports.h"
#include "ui/win32/optitem_tree.h"

namespace wren::ui {

// Each sheet keeps what its printer's lookup found and its pages' state: the
// printer folder shows several printers' sheets at once, each on its own
// thread.
struct DocumentSheet {
    SheetContext context;  // holds the plug-in INI file too
    std::u16string capabilityFile;
    UiState state;
    POEMCUIPPARAM cuiParam = nullptr;     // the settings tree
    IPrintOemDriverUI* helper = nullptr;  // the core driver's helper (held by the plug-in object)
    std::unique_ptr<OptItemTree> tree;
    // Set when the core driver adds the pages.
    HANDLE sheet = nullptr;
    PFNCOMPROPSHEET sheetFunction = nullptr;
    POEMUIPSPARAM psParam = nullptr;
    HANDLE jobOptionsPage = nullptr;
    HANDLE colourPage = nullptr;
    HANDLE supportPage = nullptr;
    win32::UniqueModule supportLibrary;  // the family's support page, when shown
    PaperItems paperItems;
    PrivateRecord scratchRecord{};  // for a tree handed over without our record
};

struct DeviceSheet {
    DeviceContext context;
    LookupState files;  // this printer's; an activation looks them up again
    DeviceCallbackState callbackState;
    POEMCUIPPARAM cuiParam = nullptr;
    std::unique_ptr<OptItemTree> tree;
    HANDLE sheet = nullptr;
    PFNCOMPROPSHEET sheetFunction = nullptr;
    POEMUIPSPARAM psParam = nullptr;
};

}  // namespace wren::ui
