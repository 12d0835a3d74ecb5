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

std::vector<std::u16string> Win32Profile::keyNames(std::u16string_view file, std::u16string_view section,
                                                   std::size_t bufferChars) const {
    std::vector<std::u16string> names;
    if (bufferChars < 2) return names;
    const std::u16string f(file), s(section);
    std::vector<wchar_t> buffer(bufferChars, L'\0');
    const DWORD n = GetPrivateProfileStringW(wz(s), nullptr, L"", buffer.data(), static_cast<DWORD>(bufferChars), wz(f));
    // A list that did not fit comes back as bufferChars - 2 characters with
    // its last name cut: that name is not one of the section's.
    const bool cut = n == bufferChars - 2;
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (buffer[i] != L'\0') continue;
        if (i > start) names.push_back(fromWide(buffer.data() + start, i - start));
        start = i + 1;
    }
    if (!cut && start < n) names.push_back(fromWide(buffer.data() + start, n - start));
    return names;
}

bool Win32Profile::deleteSection(std::u16string_view file, std::u16string_view section) const {
    const std::u16string f(file), s(section);
    return WritePrivateProfileStringW(wz(s), nullptr, nullptr, wz(f)) != FALSE;
}

}  // namespace wren::win32
