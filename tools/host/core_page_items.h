// What the core driver's tree view lets a person do with the settings tree,
// on the host's first page: read every visible item, pick an item (as
// focusing it in the tree), choose its option, and press the plug-in's push
// button. Each of these raises the plug-in's tree callback as the core
// driver does, and what the callback changed shows at once.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/oem_interfaces.h"

namespace wren::host {

inline constexpr WORD kItemsEdit = 1100;
inline constexpr WORD kItemChoice = 1101;
inline constexpr WORD kOptionChoice = 1102;
inline constexpr WORD kPluginButton = 1103;

class CorePageItems {
public:
    CorePageItems(OEMCUIPPARAM* tree, std::function<std::wstring()> describe);

    // WM_INITDIALOG: the lists and the button.
    void fill(HWND page);
    // Raises the callback for `reason` (on `current`, else the first item),
    // says what it answered, and shows the tree again.
    LONG notify(HWND page, WORD reason, OPTITEM* current = nullptr);
    void command(HWND page, WORD id, WORD code);

private:
    void showItems(HWND page);
    void fillOptions(HWND page);
    OPTITEM* chosenItem(HWND page) const;

    OEMCUIPPARAM* tree_;
    std::function<std::wstring()> describe_;
    std::vector<OPTITEM*> choosable_;  // the visible items with options, then the button's
    OPTITEM* button_ = nullptr;        // the plug-in's push button, if any
};

}  // namespace wren::host
