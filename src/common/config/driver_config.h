// The configuration of one printer's driver: its dependent-file list, the
// capability file's model section for the printer's driver name, and where
// files named by configuration keys live.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/config/dependent_files.h"
#include "platform/profile.h"
#include "platform/spooler.h"

namespace wren {

// Key buffers of the model section (file names, texts).
inline constexpr std::size_t kModelKeyChars = 261;
inline constexpr std::size_t kModelSectionChars = 64;

class DriverConfig {
public:
    DriverConfig(const Spooler& spooler, const Profile& profile, PrinterHandle printer)
        : spooler_(spooler), profile_(profile), printer_(printer) {}

    // Finds the configuration files among the driver's dependent files.
    ConfigFiles locate(std::size_t oemConfigChars) const;
    std::optional<std::u16string> versionFile() const;

    // The model section of `capabilityFile` for this printer's driver name,
    // read into `sectionChars` characters; empty when either is missing.
    std::u16string modelSection(std::u16string_view capabilityFile,
                                std::size_t sectionChars = kModelSectionChars) const;
    // A key of the model section; empty when absent.
    std::u16string modelKey(std::u16string_view capabilityFile, std::u16string_view key,
                            std::size_t bufferChars = kModelKeyChars,
                            std::size_t sectionChars = kModelSectionChars) const;
    // An integer key of the model section; `fallback` when absent.
    int modelInt(std::u16string_view capabilityFile, std::u16string_view key, int fallback = 0) const;

    // A file named by a configuration key: the local printer-driver
    // directory, then "\3\", then the name. Empty when the directory cannot
    // be read or the path would not fit a path buffer: opening it then fails.
    std::u16string driverFilePath(std::u16string_view name) const;

    // DRIVER_INFO_1.pName, asked once per configuration.
    const std::optional<std::u16string>& driverName() const;
    // The model section for a driver name given by the caller.
    std::u16string modelSectionOf(std::u16string_view capabilityFile, std::u16string_view driverName,
                                  std::size_t sectionChars = kModelSectionChars) const;
    const Spooler& spooler() const { return spooler_; }
    const Profile& profile() const { return profile_; }
    PrinterHandle printer() const { return printer_; }

private:
    const Spooler& spooler_;
    const Profile& profile_;
    PrinterHandle printer_;
    mutable std::optional<std::optional<std::u16string>> driverName_;
};

}  // namespace wren
