#include "ui/options/printer_init.h"

#include <memory>
#include <optional>
#include <string>

#include "common/config/driver_config.h"
#include "ui/options/default_devmode.h"
#include "ui/options/file_opening.h"
#include "ui/options/keyword_store.h"

namespace wren::ui {
namespace {

constexpr std::size_t kUiOemConfigChars = 64;

bool userModeDriverMissing(const OpenedPrinter& printer) {
    const PrinterDataProbe probe = printer.probeData(kUserModeDriverValue);
    return (probe.error != 0 && probe.error != kErrorMoreData) || probe.size == 0;
}

ModelDevModeDefaults modelDefaults(const DriverConfig& config, std::u16string_view capabilityFile) {
    ModelDevModeDefaults d;
    d.psOutputOption = config.modelInt(capabilityFile, u"PSOutputOpt", -1);
    d.paperSize = config.modelInt(capabilityFile, u"DEFAULT_PAPER_SIZE", 0);
    d.paperSource = config.modelInt(capabilityFile, u"DEFAULT_PAPER_SOURCE", 0);
    return d;
}

}  // namespace

void UpdateFromMachineOptions(const OpenedPrinter& printer, std::u16string_view printerName, InstallerPorts& ports,
                              const LookupState& lookup) {
    const std::u16string zelopt = ports.system.windowsDirectory() + u"\\" + kZeloptName;
    if (!ports.system.fileExists(zelopt)) return;
    const std::u16string section = printer.shortName().value_or(std::u16string(printerName));
    const std::optional<InstalledOptions> options =
        ReadInstalledOptions(ports.profile, zelopt, section, OptionSource::Network);
    if (!options) return;
    RefreshUserTypes(ports.profile, zelopt, section, lookup.pluginIni);
    std::unique_ptr<DriverDataKey> key = ports.registry.open(printerName);
    if (!key) return;
    KeywordStore store{
        [&](std::u16string_view value, std::size_t max) { return key->read(value, max); },
        [&](std::u16string_view value, const std::vector<std::uint8_t>& bytes) { return key->write(value, bytes); },
        [&](std::u16string_view value, std::uint32_t number) { return key->writeDword(value, number); },
    };
    UpdateStoredKeywords(store, *options, ports.system.newerOs());
}

int InitialisePrinter(std::u16string_view printerName, std::u16string_view userModeDriver, InstallerPorts& ports,
                      LookupState& lookup) {
    std::unique_ptr<OpenedPrinter> printer = ports.printers.open(printerName);
    if (!printer) return kInitialised;
    if (userModeDriverMissing(*printer) && !printer->writeString(kUserModeDriverValue, userModeDriver))
        return kInitialisationFailed;

    const DriverConfig config(ports.spooler, ports.profile, printer->handle());
    const ConfigFiles files = config.locate(kUiOemConfigChars);
    lookup.capabilityFile = files.capabilityFile;
    // A printer without a plug-in INI file of its own must not open up, or
    // refill the user types of, the file an earlier printer's lookup found.
    lookup.pluginIni = files.pluginIni.value_or(u"");
    if (!files.found) {
        UpdateFromMachineOptions(*printer, printerName, ports, lookup);
        return kInitialised;
    }

    if (!lookup.pluginIni.empty()) {
        OpenUpFile(ports.security, lookup.pluginIni);
        if (const std::optional<std::u16string> ppd = PpdBesidePluginIni(lookup.pluginIni))
            OpenUpFile(ports.security, *ppd);
    }
    const std::u16string ccm = config.modelKey(lookup.capabilityFile, u"CCMInfoFile");
    if (!ccm.empty()) OpenUpFile(ports.security, config.driverFilePath(ccm));

    PrepareDefaultDevMode(printerName, modelDefaults(config, lookup.capabilityFile), ports);
    UpdateFromMachineOptions(*printer, printerName, ports, lookup);
    return kInitialised;
}

}  // namespace wren::ui
