// What every printer-family stand-in needs: its own INI file, found beside the
// DLL as "<dll base name>.ini", and an optional call log that tests read to see
// what the plug-ins handed over. The stand-ins exist so that every feature can
// run end to end under Wine; the INI file lets a test decide their answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wren::stand_in {

// The stand-in's INI file. Values are read afresh on every call, so a test may
// rewrite the file between two calls without reloading the library.
class Config {
public:
    // Finds the DLL that holds this code and the INI file beside it.
    Config();

    // Integers accept what the platform's profile reader accepts: decimal, "0x"
    // hex, an optional sign. An empty or unreadable value counts as absent.
    std::optional<long long> integerIfSet(const wchar_t* section, const wchar_t* key) const;
    long long integer(const wchar_t* section, const wchar_t* key, long long fallback) const;

    // 8-bit text in the system code page, as the plug-ins exchange it.
    std::optional<std::string> textIfSet(const wchar_t* section, const wchar_t* key) const;
    std::string text(const wchar_t* section, const wchar_t* key, std::string_view fallback) const;

    // Hex digits ("0A 1b ff", blanks allowed) as bytes; absent when the key is
    // missing or holds anything but hex digits and blanks.
    std::optional<std::string> hexIfSet(const wchar_t* section, const wchar_t* key) const;

    // Section "Log", key "File": where call lines go. A relative name lies in
    // the DLL's folder. Empty when logging is off.
    std::wstring logPath() const;

private:
    std::optional<std::wstring> wideIfSet(const wchar_t* section, const wchar_t* key) const;

    std::wstring folder_;  // ends with a backslash
    std::wstring ini_;
};

// One line of the call log: the function name, then "key=value" pairs. Text is
// written between double quotes as its raw 8-bit bytes, except control bytes,
// which appear as \xNN so that a line stays one line; a null pointer is (null).
class LogLine {
public:
    explicit LogLine(const char* function);
    LogLine& number(const char* key, long long value);
    LogLine& hex32(const char* key, std::uint32_t value);  // 0x%08X
    LogLine& text(const char* key, const char* value, std::size_t maxBytes = 1024);
    LogLine& bytes(const char* key, const void* data, std::size_t size);  // hex digits
    LogLine& pointer(const char* key, const void* value);  // "null" or "set"
    // Appends the line to the log file when the INI file names one.
    void write(const Config& config) const;

private:
    void key(const char* name);
    std::string line_;
};

// The printable form of an 8-bit value for a PJL line: quotes, control bytes
// and line ends become blanks, so a value can never end or split the line.
std::string pjlValue(const char* value, std::size_t maxBytes);

}  // namespace wren::stand_in
