#include "ui/win32/help_html.h"

#include <array>

#include "platform/win32/on_demand.h"
#include "platform/win32/wide_text.h"

namespace wren::ui {
namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

constexpr wchar_t kControlKey[] = L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr DWORD kPathBytes = 260;
constexpr WORD kHtmlHelpOrdinal = 15;

class RegistryKey {
public:
    RegistryKey(HKEY root, const wchar_t* path) {
        if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The registered file of the HTML Help control; empty when not registered.
std::wstring registeredControlFile() {
    RegistryKey key(HKEY_CLASSES_ROOT, kControlKey);
    if (!key.get()) return {};
    std::array<wchar_t, kPathBytes / sizeof(wchar_t) + 1> value{};
    DWORD type = 0;
    DWORD bytes = kPathBytes;
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    // The value need not be terminated in the registry; the spare unit is.
    std::wstring file(value.data());
    if (type == REG_EXPAND_SZ) {
        std::array<wchar_t, MAX_PATH> expanded{};
        const DWORD n = ExpandEnvironmentStringsW(file.c_str(), expanded.data(), MAX_PATH);
        file = (n > 0 && n <= MAX_PATH) ? std::wstring(expanded.data()) : std::wstring();
    }
    return file;
}

HtmlHelpFunction loadHtmlHelp() {
    // Loaded once and never freed: HTML Help runs its own threads and
    // windows for the process, and unloading it from this library's detach
    // would run its code under the loader lock.
    HMODULE module = nullptr;
    const std::wstring registered = registeredControlFile();
    if (!registered.empty()) module = LoadLibraryW(registered.c_str());
    if (!module) module = LoadLibraryW(L"hhctrl.ocx");
    if (!module) return nullptr;
    return reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(kHtmlHelpOrdinal))));
}

constinit win32::OnDemand<HtmlHelpFunction> gHtmlHelp;  // one attempt per process

}  // namespace

HWND CallHtmlHelp(HWND caller, const std::u16string& file, UINT command, DWORD_PTR data, UiState& state) {
    if (state.htmlHelpFailed) return nullptr;
    const HtmlHelpFunction function = gHtmlHelp.get(&loadHtmlHelp);
    if (!function) {
        state.htmlHelpFailed = true;
        return nullptr;
    }
    return function(caller, win32::wz(file), command, data);
}

}  // namespace wren::ui
