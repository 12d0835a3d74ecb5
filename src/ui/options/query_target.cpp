#include "ui/options/query_target.h"

#include <memory>
#include <string>

#include "common/config/driver_config.h"

namespace wren::ui {
namespace {

// The plug-in's configuration entry is read into this many characters.
constexpr std::size_t kUiOemConfigChars = 64;

}  // namespace

std::optional<OptionQueryTarget> FindQueryTarget(const InstallerPorts& ports, LastLookup& last,
                                                 std::u16string_view printerName, void* window, LookupState& files,
                                                 bool lookup) {
    std::unique_ptr<OpenedPrinter> printer = ports.printers.open(printerName);
    if (!printer) return std::nullopt;
    OptionQueryTarget target;
    target.printerName = std::u16string(printerName);
    target.window = window;
    const DriverConfig config(ports.spooler, ports.profile, printer->handle());
    if (lookup) {
        const std::optional<PrinterNames> names = printer->names();
        if (!names) return std::nullopt;
        target.printerName = names->printerName;
        target.portName = names->portName;
        // Every lookup, found or not, is the one the installer exports use next.
        const ConfigFiles found = config.locate(kUiOemConfigChars);
        files.capabilityFile = found.capabilityFile;
        files.pluginIni = found.pluginIni.value_or(u"");
        last.remember(files);
        if (!found.found) return std::nullopt;
    }
    target.pluginIni = files.pluginIni;
    target.networkLibrary = config.modelKey(files.capabilityFile, u"NetExtDLL");
    const std::u16string usb = config.modelKey(files.capabilityFile, u"USBExtDLL");
    if (!usb.empty()) target.usbLibrary = ports.system.pluginFolder() + usb;
    const std::u16string data = config.modelKey(files.capabilityFile, u"USBExtDAT");
    const std::u16string appData = ports.system.appDataDirectory();
    if (!data.empty() && !appData.empty()) target.usbDataFile = appData + u"\\" + data;
    return target;
}

}  // namespace wren::ui
