// Port: the printer's "PrinterDriverData" key in the local machine's
// registry, where the core driver keeps the installable options that it
// reads when a printer is installed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace wren {

class DriverDataKey {
public:
    virtual ~DriverDataKey() = default;
    // At most maxBytes of a value; nothing when it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> read(std::u16string_view value, std::size_t maxBytes) const = 0;
    // RegSetValueExW keeping the value's type (binary when it was absent).
    virtual bool write(std::u16string_view value, const std::vector<std::uint8_t>& bytes) = 0;
    virtual bool writeDword(std::u16string_view value, std::uint32_t number) = 0;
};

class DriverRegistry {
public:
    virtual ~DriverRegistry() = default;
    // Opened with full access; null when the key is not there or refused.
    virtual std::unique_ptr<DriverDataKey> open(std::u16string_view printerName) const = 0;
};

}  // namespace wren
