#include "ui/win32/dialog_help.h"

#include <optional>

#include "platform/win32/wide_text.h"
#include "ui/dialogs/help_map.h"
#include "ui/win32/help_html.h"

namespace wren::ui {
namespace {

HWND askingWindow(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_HELP) {
        const auto* info = reinterpret_cast<const HELPINFO*>(lparam);
        return info && info->iContextType == HELPINFO_WINDOW ? static_cast<HWND>(info->hItemHandle) : nullptr;
    }
    return reinterpret_cast<HWND>(wparam);  // WM_CONTEXTMENU: the window clicked
}

}  // namespace

void ApplyHelpButtonStyle(HWND dialog, const UiState& state) {
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
    const LONG_PTR wanted = state.os.newer() ? (style & ~LONG_PTR{WS_EX_CONTEXTHELP}) : (style | WS_EX_CONTEXTHELP);
    if (wanted != style) SetWindowLongPtrW(dialog, GWL_EXSTYLE, wanted);
}

bool HandleContextHelp(HWND, UINT message, WPARAM wparam, LPARAM lparam, UiState& state) {
    if (message != WM_HELP && message != WM_CONTEXTMENU) return false;
    HWND window = askingWindow(message, wparam, lparam);
    if (!window || state.helpFile.empty()) return true;

    if (!state.os.newer()) {
        // WinHelp wants the map as 32-bit pairs, which it is.
        WinHelpW(window, win32::wz(state.helpFile), message == WM_HELP ? HELP_WM_HELP : HELP_CONTEXTMENU,
                 reinterpret_cast<ULONG_PTR>(HelpIdentifierMap().data()));
        return true;
    }
    const int id = GetDlgCtrlID(window);
    const std::optional<std::uint32_t> topic = id > 0 ? FindHelpTopic(static_cast<std::uint32_t>(id)) : std::nullopt;
    if (!topic) return true;
    CallHtmlHelp(window, state.helpFile + u">popup", kHtmlHelpContext, *topic, state);
    return true;
}

}  // namespace wren::ui
