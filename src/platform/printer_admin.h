// Port: a printer opened with full access, as printer initialisation, the
// printer sheet's option query and the installer's exports use it: its
// names, its printer data and its default DEVMODEs. The Win32 side is
// OpenPrinterW(PRINTER_ALL_ACCESS), GetPrinterW/SetPrinterW,
// Get/SetPrinterDataW and DocumentPropertiesW.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spooler.h"

namespace wren {

// PRINTER_INFO_2, the parts the option query needs.
struct PrinterNames {
    std::u16string printerName;
    std::u16string portName;
};

// What GetPrinterDataW answered for a value asked with no room: its Win32
// error (234, ERROR_MORE_DATA, when the value exists) and the size it needs.
struct PrinterDataProbe {
    std::uint32_t error = 0;
    std::uint32_t size = 0;
};
inline constexpr std::uint32_t kErrorMoreData = 234;

// The DEVMODEs of a printer: the global default (level 8), the printer's
// own default (level 2), the user's (level 9), and one the driver builds.
enum class DevModeSource { GlobalDefault, PrinterDefault, PerUser, DriverBuilt };
inline constexpr std::uint32_t kGlobalDevModeLevel = 8;
inline constexpr std::uint32_t kUserDevModeLevel = 9;

using DevModeBytes = std::vector<std::uint8_t>;  // a whole DEVMODEW with its private part

class OpenedPrinter {
public:
    virtual ~OpenedPrinter() = default;
    virtual PrinterHandle handle() const = 0;
    virtual std::optional<PrinterNames> names() const = 0;        // PRINTER_INFO_2
    virtual std::optional<std::u16string> shortName() const = 0;  // PRINTER_INFO_1.pName
    virtual PrinterDataProbe probeData(std::u16string_view value) const = 0;
    // At most maxBytes of a value; nothing when it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> readData(std::u16string_view value,
                                                               std::size_t maxBytes) const = 0;
    virtual bool writeString(std::u16string_view value, std::u16string_view text) = 0;
    virtual bool writeDword(std::u16string_view value, std::uint32_t number) = 0;
    virtual bool writeBinary(std::u16string_view value, const std::vector<std::uint8_t>& bytes) = 0;
    // Nothing when the printer has no such DEVMODE (or the driver cannot build one).
    virtual std::optional<DevModeBytes> devMode(DevModeSource source) const = 0;
    virtual bool setDevMode(std::uint32_t level, const DevModeBytes& devMode) = 0;
};

class PrinterAdmin {
public:
    virtual ~PrinterAdmin() = default;
    // Null when the printer cannot be opened; closed when the owner goes.
    virtual std::unique_ptr<OpenedPrinter> open(std::u16string_view printerName) const = 0;
    // A handle the caller was given and keeps: never closed here.
    virtual std::unique_ptr<OpenedPrinter> borrow(PrinterHandle handle) const = 0;
};

}  // namespace wren
