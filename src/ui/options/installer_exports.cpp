#include "ui/options/installer_exports.h"

#include <memory>
#include <optional>
#include <string>

#include "common/config/driver_config.h"
#include "ui/options/default_devmode.h"
#include "ui/options/keyword_store.h"
#include "ui/options/option_exports.h"
#include "ui/options/option_query.h"

namespace wren::ui {
namespace {

constexpr std::size_t kUiOemConfigChars = 64;

// The USB option data file: the user's application data + "\" + the name.
std::u16string usbDataFile(const InstallerPorts& ports, std::u16string_view name) {
    if (name.empty()) return {};
    const std::u16string folder = ports.system.appDataDirectory();
    if (folder.empty()) return {};
    return folder + u"\\" + std::u16string(name);
}

}  // namespace

std::uint32_t NotifyDrvInstToPrinter(PrinterHandle handle, std::u16string_view printerName, InstallerPorts& ports,
                                     const LookupState& lookup) {
    std::unique_ptr<OpenedPrinter> printer = ports.printers.borrow(handle);
    if (!printer) return kNotifyDone;
    std::optional<DevModeBytes> global = DefaultDevMode(*printer);
    if (!global) return kNotifyDone;

    const DriverConfig config(ports.spooler, ports.profile, handle);
    const std::u16string dataFile = usbDataFile(ports, config.modelKey(lookup.capabilityFile, u"USBExtDAT"));
    if (dataFile.empty() || !ports.system.fileExists(dataFile)) return kNotifyNoDataFile;

    // The section is the 8-bit printer name the family's tools write.
    const std::u16string section(printerName.substr(0, std::min(printerName.size(),
                                                                 options::kOptionPrinterNameBytes - 1)));
    const int duplex = ports.profile.readInt(dataFile, section, u"DrvInst_DuplexPrinting", 0);
    std::optional<DevModeBytes> perUser = printer->devMode(DevModeSource::PerUser);
    if (!perUser) return kNotifyDone;
    if (duplex == kDuplexPrinting) {
        SetDuplex(*global, kDuplexPrinting);
        SetDuplex(*perUser, kDuplexPrinting);
    }
    const bool user = printer->setDevMode(kUserDevModeLevel, *perUser);
    const bool machine = printer->setDevMode(kGlobalDevModeLevel, *global);
    return user && machine ? kNotifyDone : kNotifyWriteFailed;
}

std::uint32_t ConfigDeviceOptionExp(PrinterHandle handle, InstallerPorts& ports, LookupState& lookup) {
    std::unique_ptr<OpenedPrinter> printer = ports.printers.borrow(handle);
    if (!printer) return 0;
    const std::optional<std::u16string> name = printer->shortName();
    const std::optional<PrinterNames> names = printer->names();
    if (!name || !names) return 0;

    const DriverConfig config(ports.spooler, ports.profile, handle);
    const ConfigFiles files = config.locate(kUiOemConfigChars);
    lookup.capabilityFile = files.capabilityFile;
    lookup.pluginIni = files.pluginIni.value_or(u"");
    // Only the USB library names a data file; on other ports nothing is read.
    if (!IsUsbPort(names->portName)) return 0;

    OptionQueryTarget target;
    target.printerName = *name;
    target.portName = names->portName;
    target.pluginIni = lookup.pluginIni;
    const std::u16string library = config.modelKey(lookup.capabilityFile, u"USBExtDLL");
    if (!library.empty()) target.usbLibrary = ports.system.pluginFolder() + library;
    target.usbDataFile = usbDataFile(ports, config.modelKey(lookup.capabilityFile, u"USBExtDAT"));
    const OptionQueryPorts query{ports.loader, ports.profile, ports.codePage};
    if (!ReadOverUsb(query, target, UsbReads::BothSucceed)) return 0;
    const std::optional<InstalledOptions> options = ReadOptionValues(query, target.usbDataFile, target, OptionSource::Usb);
    if (!options) return 0;

    KeywordStore store{
        [&](std::u16string_view value, std::size_t max) { return printer->readData(value, max); },
        [&](std::u16string_view value, const std::vector<std::uint8_t>& bytes) {
            return printer->writeBinary(value, bytes);
        },
        [&](std::u16string_view value, std::uint32_t number) { return printer->writeDword(value, number); },
    };
    UpdateStoredKeywords(store, *options, ports.system.newerOs());
    return 1;
}

}  // namespace wren::ui
