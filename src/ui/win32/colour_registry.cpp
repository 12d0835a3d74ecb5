#include "ui/win32/colour_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace wren::ui {
namespace {

// RegCloseKey answers a status, not a BOOL: its own small owner.
class OpenKey {
public:
    OpenKey(HKEY root, const std::u16string& path) {
        if (RegOpenKeyExW(root, win32::wz(path), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~OpenKey() {
        if (key_) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

constexpr DWORD kMaxValueBytes = 2 * 1024;  // a folder path and then some

}  // namespace

std::optional<std::u16string> Win32MachineRegistry::readString(std::u16string_view keyPath,
                                                               std::u16string_view valueName) const {
    const OpenKey key(HKEY_LOCAL_MACHINE, std::u16string(keyPath));
    if (!key.get()) return std::nullopt;
    const std::u16string name(valueName);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), win32::wz(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxValueBytes)
        return std::nullopt;
    // One character more than asked for: the stored value need not end in
    // a terminator.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = size;
    if (RegQueryValueExW(key.get(), win32::wz(name), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::u16string value = win32::fromWide(buffer.data());
    return value;
}

}  // namespace wren::ui
