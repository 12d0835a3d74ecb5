// Port: reading the driver's INI-format configuration files. The Windows side
// is GetPrivateProfileStringW/GetPrivateProfileIntW; the in-memory fake keeps
// their semantics (names compare without case, values cut to the buffer).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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
    // The section's key names in file order (GetPrivateProfileStringW with
    // no key), as many as fit whole into bufferChars; empty when the file or
    // section is absent.
    virtual std::vector<std::u16string> keyNames(std::u16string_view file, std::u16string_view section,
                                                 std::size_t bufferChars) const = 0;
    // WritePrivateProfileStringW with no key: the section and all its keys
    // go. False when the file cannot be written.
    virtual bool deleteSection(std::u16string_view /*file*/, std::u16string_view /*section*/) const {
        return false;
    }
};

}  // namespace wren
