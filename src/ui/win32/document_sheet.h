// The Win32 halves of the per-sheet context and the device-settings
// context: the portable records the pages share, plus the core driver's
// structures and handles of the sheet they belong to.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/oem_interfaces.h"
#include "ui/features/sheet_context.h"
#include "ui/win32/optitem_tree.h"

namespace wren::ui {

struct DocumentSheet {
    SheetContext context;
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
};

struct DeviceSheet {
    DeviceContext context;
    POEMCUIPPARAM cuiParam = nullptr;
    std::unique_ptr<OptItemTree> tree;
    HANDLE sheet = nullptr;
    PFNCOMPROPSHEET sheetFunction = nullptr;
    POEMUIPSPARAM psParam = nullptr;
};

}  // namespace wren::ui
