#include "common/config/driver_config.h"

namespace wren {

ConfigFiles DriverConfig::locate(std::size_t oemConfigChars) const {
    std::optional<std::u16string> list = spooler_.dependentFiles(printer_);
    if (!list) return {};
    return scanDependentFiles(*list, profile_, oemConfigChars);
}

std::optional<std::u16string> DriverConfig::versionFile() const {
    std::optional<std::u16string> list = spooler_.dependentFiles(printer_);
    if (!list) return std::nullopt;
    return findVersionFile(*list);
}

const std::optional<std::u16string>& DriverConfig::driverName() const {
    if (!driverName_) driverName_ = spooler_.driverName(printer_);
    return *driverName_;
}

std::u16string DriverConfig::modelSectionOf(std::u16string_view capabilityFile, std::u16string_view driverName,
                                            std::size_t sectionChars) const {
    if (capabilityFile.empty() || driverName.empty()) return {};
    return profile_.readString(capabilityFile, u"Capability", driverName, sectionChars);
}

std::u16string DriverConfig::modelSection(std::u16string_view capabilityFile, std::size_t sectionChars) const {
    const std::optional<std::u16string>& driver = driverName();
    return driver ? modelSectionOf(capabilityFile, *driver, sectionChars) : std::u16string();
}

std::u16string DriverConfig::modelKey(std::u16string_view capabilityFile, std::u16string_view key,
                                      std::size_t bufferChars, std::size_t sectionChars) const {
    std::u16string section = modelSection(capabilityFile, sectionChars);
    if (section.empty()) return {};
    return profile_.readString(capabilityFile, section, key, bufferChars);
}

int DriverConfig::modelInt(std::u16string_view capabilityFile, std::u16string_view key, int fallback) const {
    std::u16string section = modelSection(capabilityFile);
    if (section.empty()) return fallback;
    return profile_.readInt(capabilityFile, section, key, fallback);
}

std::u16string DriverConfig::driverFilePath(std::u16string_view name) const {
    // Without the directory there is no path: "\3\<name>" alone would name a
    // file at the root of the current drive, and a library could load from
    // there.
    std::optional<std::u16string> directory = spooler_.printerDriverDirectory(2 * (kMaxPathChars + 1));
    if (!directory || directory->empty() || name.empty()) return {};
    std::u16string path = *directory + u"\\3\\";
    path += name;
    if (path.size() > kMaxPathChars) return {};
    return path;
}

}  // namespace wren
