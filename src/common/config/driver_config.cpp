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

std::u16string DriverConfig::modelSection(std::u16string_view capabilityFile, std::size_t sectionChars) const {
    if (capabilityFile.empty()) return {};
    std::optional<std::u16string> driver = spooler_.driverName(printer_);
    if (!driver || driver->empty()) return {};
    return profile_.readString(capabilityFile, u"Capability", *driver, sectionChars);
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
    std::u16string path = spooler_.printerDriverDirectory(2 * (kMaxPathChars + 1)).value_or(u"");
    path += u"\\3\\";
    path += name;
    return path;
}

}  // namespace wren
