// Texts of wrenui.dll's resources as the check programs print them: UTF-8,
// with \r, \n and \ escaped so that one text stays on one line.
#pragma once

#include <windows.h>

#include <string>

inline std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

inline std::string escaped(const std::wstring& text) {
    std::string out;
    for (char c : utf8(text)) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out;
}
