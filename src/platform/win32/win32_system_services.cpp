#include <windows.h>
#include <shlobj.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_install_ports.h"

namespace wren::win32 {
namespace {

using RevertToPrinterSelfFn = HANDLE(WINAPI*)();
using ImpersonatePrinterClientFn = BOOL(WINAPI*)(HANDLE);

HMODULE thisModule() {
    HMODULE module = nullptr;
    // This code is linked into the plug-in: its address names the plug-in's file.
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&thisModule), &module);
    return module;
}

}  // namespace

std::u16string Win32SystemServices::windowsDirectory() const {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? std::u16string() : fromWide(folder);
}

std::u16string Win32SystemServices::appDataDirectory() const {
    wchar_t folder[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) return {};
    return fromWide(folder);
}

std::u16string Win32SystemServices::pluginFolder() const {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(thisModule(), path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    std::u16string full = fromWide(path, length);
    const std::size_t slash = full.find_last_of(u'\\');
    return slash == std::u16string::npos ? std::u16string() : full.substr(0, slash + 1);
}

bool Win32SystemServices::fileExists(std::u16string_view path) const {
    const std::u16string file(path);
    const DWORD attributes = GetFileAttributesW(wz(file));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32SystemServices::newerOs() const {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version)) return false;
#pragma GCC diagnostic pop
    return version.dwMajorVersion >= 6;
}

std::optional<void*> Win32SystemServices::revertToSpooler() {
    spoolss_ = UniqueModule(LoadLibraryW(L"spoolss.dll"));
    if (!spoolss_) return std::nullopt;
    auto revert = reinterpret_cast<RevertToPrinterSelfFn>(
        reinterpret_cast<void*>(GetProcAddress(spoolss_.get(), "RevertToPrinterSelf")));
    HANDLE token = revert ? revert() : nullptr;
    if (!token) {
        spoolss_.reset();
        return std::nullopt;
    }
    return token;
}

void Win32SystemServices::impersonateClient(void* token) {
    if (!spoolss_) return;
    auto impersonate = reinterpret_cast<ImpersonatePrinterClientFn>(
        reinterpret_cast<void*>(GetProcAddress(spoolss_.get(), "ImpersonatePrinterClient")));
    if (impersonate) impersonate(static_cast<HANDLE>(token));
    spoolss_.reset();
}

}  // namespace wren::win32
