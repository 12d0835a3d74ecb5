// Temporary: the settings tree and the sheets while their files are built.
#include "ui/plugin/ui_plugin.h"
namespace wren::ui {
HRESULT UiPlugin::CommonUIProp(DWORD, POEMCUIPPARAM) { return E_NOTIMPL; }
HRESULT UiPlugin::DocumentPropertySheets(PPROPSHEETUI_INFO, LPARAM) { return E_NOTIMPL; }
HRESULT UiPlugin::DevicePropertySheets(PPROPSHEETUI_INFO, LPARAM) { return E_NOTIMPL; }
}  // namespace wren::ui
