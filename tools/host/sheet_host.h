// The property sheet as the core driver's user-interface module shows it:
// the host's own first page (the settings tree, see core_page_items.h), then
// the pages the plug-in adds through the sheet function. The host's page
// tells the plug-in's tree callback when it becomes active, is left or
// applied, and when an item is changed or the plug-in's button pressed.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core_page_items.h"
#include "platform/win32/oem_interfaces.h"
#include "script_runner.h"

namespace wren::host {

struct SheetOptions {
    std::wstring caption;      // the sheet's title
    std::wstring corePageTitle;
    // The text of the host's page, asked each time it becomes active.
    std::function<std::wstring()> describe;
    OEMCUIPPARAM* tree = nullptr;  // the settings tree and the plug-in's callback
    LARGE_INTEGER started{};       // when the settings tree was handed over
    // The page shown first; "sheet shown" then includes creating it.
    unsigned startPage = 0;
    // With several sheets at once: where this one goes on the screen, and
    // what its lines of output start with.
    std::optional<POINT> position;
    std::string outputPrefix;
};

class SheetHost final : public ScriptedWindow {
public:
    explicit SheetHost(SheetOptions options);
    ~SheetHost();
    SheetHost(const SheetHost&) = delete;
    SheetHost& operator=(const SheetHost&) = delete;

    // What PROPSHEETUI_INFO carries: the sheet handle and the sheet function.
    HANDLE token() const { return reinterpret_cast<HANDLE>(const_cast<SheetHost*>(this)); }
    static LONG_PTR CALLBACK sheetFunction(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2);

    std::size_t pluginPages() const { return pages_.size(); }
    // Shows the sheet modally; true when it was closed with OK.
    bool run();

    // For the script runner (another thread): the sheet once it exists.
    HWND waitForWindow(DWORD milliseconds) const override;
    DWORD uiThread() const override { return uiThread_; }
    const char* kind() const override { return "property sheet"; }
    bool isPropertySheet() const override { return true; }
    bool hasResult() const { return resultSet_; }
    LRESULT result() const { return result_; }

private:
    static INT_PTR CALLBACK corePageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static int CALLBACK sheetCallback(HWND sheet, UINT message, LPARAM lParam);

    SheetOptions options_;
    CorePageItems items_;
    std::vector<HPROPSHEETPAGE> pages_;  // the plug-in's, in the order added
    std::vector<WORD> coreTemplate_;
    std::atomic<HWND> window_{nullptr};
    HANDLE shown_;
    DWORD uiThread_ = 0;
    bool okPressed_ = false;
    bool resultSet_ = false;
    LRESULT result_ = 0;
};

}  // namespace wren::host
