// The portable code keeps UTF-16 text as char16_t; Windows calls take
// wchar_t, which is the same 16-bit unit on this platform.
#pragma once

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected");

namespace wren::win32 {

inline const wchar_t* wz(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline std::u16string fromWide(const wchar_t* text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}
inline std::u16string fromWide(const wchar_t* text, std::size_t count) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), count);
}

}  // namespace wren::win32
