#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"

namespace wren::win32 {

std::u16string Win32Profile::readString(std::u16string_view file, std::u16string_view section,
                                        std::u16string_view key, std::size_t bufferChars,
                                        std::u16string_view fallback) const {
    if (bufferChars == 0) return {};
    const std::u16string f(file), s(section), k(key), d(fallback);
    std::vector<wchar_t> buffer(bufferChars, L'\0');
    DWORD n = GetPrivateProfileStringW(wz(s), wz(k), wz(d), buffer.data(), static_cast<DWORD>(bufferChars), wz(f));
    return fromWide(buffer.data(), n < bufferChars ? n : bufferChars - 1);
}

int Win32Profile::readInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                          int fallback) const {
    const std::u16string f(file), s(section), k(key);
    return static_cast<int>(GetPrivateProfileIntW(wz(s), wz(k), fallback, wz(f)));
}

bool Win32Profile::writeString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                               std::u16string_view value) const {
    const std::u16string f(file), s(section), k(key), v(value);
    return WritePrivateProfileStringW(wz(s), wz(k), wz(v), wz(f)) != FALSE;
}

Win32Ports& ports() {
    static Win32Ports instance;
    return instance;
}

}  // namespace wren::win32
