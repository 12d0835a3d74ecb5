// Port: reading the driver's INI-format configuration files. The Windows side
// is GetPrivateProfileStringW/GetPrivateProfileIntW; the in-memory fake keeps
// their semantics (names compare without case, values cut to the buffer).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wren {

class Profile {
public:
    virtual ~Profile() = default;
    // The value cut to bufferChars - 1 characters; `fallback` when the file,
    // section or key is absent.
    virtual std::u16string readString(std::u16string_view file, std::u16string_view section,
                                      std::u16string_view key, std::size_t bufferChars,
                                      std::u16string_view fallback = {}) const = 0;
    // The value parsed as the platform does (optional sign, decimal, or hex,
    // octal, binary after 0x, 0o, 0b);
    // `fallback` when absent or empty.
    virtual int readInt(std::u16string_view file, std::u16string_view section,
                        std::u16string_view key, int fallback) const = 0;
    // WritePrivateProfileStringW; false when the file cannot be written.
    virtual bool writeString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                             std::u16string_view value) const = 0;
};

}  // namespace wren
