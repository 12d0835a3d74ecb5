#include "stand_in_config.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace wren::stand_in {
namespace {

// Long enough for any value a test writes; the profile reader cuts the rest.
constexpr DWORD kValueChars = 4096;

// A key that is absent reads back as this; no real value starts with it.
constexpr wchar_t kAbsent[] = L"\x1F<absent>";

HMODULE thisModule() {
    HMODULE module = nullptr;
    // The address of this function lies inside the DLL that was linked with
    // this file, so every stand-in finds itself rather than the host program.
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&thisModule), &module);
    return module;
}

std::string narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), out.data(), size, nullptr, nullptr);
    return out;
}

int hexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

Config::Config() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(thisModule(), path.data(), DWORD(path.size()));
        if (length == 0) break;
        if (length < path.size()) {
            std::wstring full(path.data(), length);
            std::size_t slash = full.find_last_of(L"\\/");
            folder_ = slash == std::wstring::npos ? std::wstring() : full.substr(0, slash + 1);
            std::wstring name = full.substr(folder_.size());
            std::size_t dot = name.find_last_of(L'.');
            ini_ = folder_ + name.substr(0, dot) + L".ini";
            break;
        }
        path.resize(path.size() * 2);
    }
}

std::optional<std::wstring> Config::wideIfSet(const wchar_t* section, const wchar_t* key) const {
    if (ini_.empty()) return std::nullopt;
    std::vector<wchar_t> buffer(kValueChars);
    DWORD length = GetPrivateProfileStringW(section, key, kAbsent, buffer.data(), kValueChars, ini_.c_str());
    std::wstring value(buffer.data(), length);
    if (value == kAbsent) return std::nullopt;
    return value;
}

std::optional<long long> Config::integerIfSet(const wchar_t* section, const wchar_t* key) const {
    std::optional<std::wstring> value = wideIfSet(section, key);
    if (!value || value->empty()) return std::nullopt;
    wchar_t* end = nullptr;
    long long number = std::wcstoll(value->c_str(), &end, 0);
    if (end == value->c_str()) return std::nullopt;
    return number;
}

long long Config::integer(const wchar_t* section, const wchar_t* key, long long fallback) const {
    return integerIfSet(section, key).value_or(fallback);
}

std::optional<std::string> Config::textIfSet(const wchar_t* section, const wchar_t* key) const {
    std::optional<std::wstring> value = wideIfSet(section, key);
    if (!value) return std::nullopt;
    return narrow(*value);
}

std::string Config::text(const wchar_t* section, const wchar_t* key, std::string_view fallback) const {
    std::optional<std::string> value = textIfSet(section, key);
    return value ? *value : std::string(fallback);
}

std::optional<std::string> Config::hexIfSet(const wchar_t* section, const wchar_t* key) const {
    std::optional<std::wstring> value = wideIfSet(section, key);
    if (!value) return std::nullopt;
    std::string bytes;
    int high = -1;
    for (wchar_t c : *value) {
        if (c == L' ' || c == L'\t') continue;
        int digit = hexDigit(c);
        if (digit < 0) return std::nullopt;
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(char((high << 4) | digit));
            high = -1;
        }
    }
    if (high >= 0) return std::nullopt;  // an odd digit count is a typing error
    return bytes;
}

std::wstring Config::logPath() const {
    std::optional<std::wstring> file = wideIfSet(L"Log", L"File");
    if (!file || file->empty()) return {};
    bool absolute = (file->size() > 1 && (*file)[1] == L':') || (*file)[0] == L'\\' || (*file)[0] == L'/';
    return absolute ? *file : folder_ + *file;
}

LogLine::LogLine(const char* function) : line_(function) {}

void LogLine::key(const char* name) {
    line_ += ' ';
    line_ += name;
    line_ += '=';
}

LogLine& LogLine::number(const char* name, long long value) {
    key(name);
    line_ += std::to_string(value);
    return *this;
}

LogLine& LogLine::hex32(const char* name, std::uint32_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "0x%08X", unsigned(value));
    key(name);
    line_ += digits;
    return *this;
}

LogLine& LogLine::text(const char* name, const char* value, std::size_t maxBytes) {
    key(name);
    if (!value) {
        line_ += "(null)";
        return *this;
    }
    line_ += '"';
    for (std::size_t i = 0; i < maxBytes && value[i]; ++i) {
        unsigned char c = static_cast<unsigned char>(value[i]);
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(c));
            line_ += escaped;
        } else {
            line_ += char(c);
        }
    }
    line_ += '"';
    return *this;
}

LogLine& LogLine::bytes(const char* name, const void* data, std::size_t size) {
    key(name);
    if (!data) {
        line_ += "(null)";
        return *this;
    }
    static const char kDigits[] = "0123456789ABCDEF";
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        line_ += kDigits[p[i] >> 4];
        line_ += kDigits[p[i] & 15];
    }
    return *this;
}

LogLine& LogLine::pointer(const char* name, const void* value) {
    key(name);
    line_ += value ? "set" : "null";
    return *this;
}

void LogLine::write(const Config& config) const {
    std::wstring path = config.logPath();
    if (path.empty()) return;
    // Opened per line and shared, so that the UI plug-in's process and the
    // spooler's may both append to one log.
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    std::string out = line_ + "\r\n";
    DWORD written = 0;
    WriteFile(file, out.data(), DWORD(out.size()), &written, nullptr);
    CloseHandle(file);
}

std::string pjlValue(const char* value, std::size_t maxBytes) {
    std::string out;
    if (!value) return out;
    for (std::size_t i = 0; i < maxBytes && value[i]; ++i) {
        unsigned char c = static_cast<unsigned char>(value[i]);
        out += (c < 0x20 || c == 0x7F || c == '"') ? ' ' : char(c);
    }
    return out;
}

}  // namespace wren::stand_in
