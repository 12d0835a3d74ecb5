#include "ui/options/option_query.h"

#include <cstring>
#include <memory>
#include <string>

#include "ui/options/option_exports.h"

namespace wren::ui {
namespace {

using namespace wren::options;

template <typename Fn>
Fn exportOf(const Library* library, const char* name) {
    return library ? reinterpret_cast<Fn>(library->symbol(name)) : nullptr;
}

std::string ansiPrinter(const OptionQueryPorts& ports, const OptionQueryTarget& target) {
    return ports.codePage.toAnsi(target.printerName, kOptionPrinterNameBytes);
}

std::unique_ptr<Library> networkLibrary(const OptionQueryPorts& ports, const OptionQueryTarget& target) {
    if (target.networkLibrary.empty()) return nullptr;
    return ports.loader.load(target.networkLibrary);
}

// GetDataFileName's answer, bounded by its buffer whatever it wrote.
std::optional<std::u16string> dataFileName(const OptionQueryPorts& ports, const Library* library,
                                           const std::string& printer) {
    auto get = exportOf<GetDataFileNameFn>(library, "GetDataFileName");
    if (!get) return std::nullopt;
    char buffer[kDataFileNameBytes] = {};
    if (get(printer.c_str(), buffer, static_cast<std::uint32_t>(sizeof buffer)) == 0) return std::nullopt;
    buffer[sizeof buffer - 1] = '\0';
    return ports.codePage.fromAnsi(buffer, kDataFileNameBytes);
}

std::optional<InstalledOptions> queryNetwork(const OptionQueryPorts& ports, const OptionQueryTarget& target,
                                             std::uint32_t flags) {
    const std::unique_ptr<Library> library = networkLibrary(ports, target);
    if (!library) return std::nullopt;
    const std::string printer = ansiPrinter(ports, target);
    if (flags == kQueryOnActivation) {
        auto valid = exportOf<IsValidPortFn>(library.get(), "IsValidPort");
        if (!valid || valid(printer.c_str()) == 0) return std::nullopt;
        auto capable = exportOf<GetNetextCapabilityFn>(library.get(), "GetNetextCapability");
        if (!capable || capable(printer.c_str()) == 0) return std::nullopt;
    }
    auto read = exportOf<ReadPrinterOptionFlag32Fn>(library.get(), "ReadPrinterOptionFlag32");
    if (!read) return std::nullopt;
    const int answer = read(printer.c_str(), target.window, 0, 0, flags);
    // On activation nobody asked: only a plain success counts.
    if (flags == kQueryOnActivation ? answer != 1 : answer == 0) return std::nullopt;
    const std::optional<std::u16string> file = dataFileName(ports, library.get(), printer);
    if (!file) return std::nullopt;
    return ReadOptionValues(ports, *file, target, OptionSource::Network);
}

}  // namespace

bool IsUsbPort(std::u16string_view portName) {
    if (portName.size() < 3) return false;
    constexpr std::u16string_view kUsb = u"USB";
    for (std::size_t i = 0; i < kUsb.size(); ++i) {
        char16_t c = portName[i];
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
        if (c != kUsb[i]) return false;
    }
    return true;
}

std::optional<InstalledOptions> ReadOptionValues(const OptionQueryPorts& ports, std::u16string_view dataFile,
                                                 const OptionQueryTarget& target, OptionSource source) {
    std::optional<InstalledOptions> options =
        ReadInstalledOptions(ports.profile, dataFile, target.printerName, source);
    if (options) RefreshUserTypes(ports.profile, dataFile, target.printerName, target.pluginIni);
    return options;
}

std::optional<InstalledOptions> QueryFromButton(const OptionQueryPorts& ports, const OptionQueryTarget& target) {
    return queryNetwork(ports, target, kQueryFromButton);
}

bool ReadOverUsb(const OptionQueryPorts& ports, const OptionQueryTarget& target, UsbReads rule) {
    if (target.usbLibrary.empty()) return false;
    const std::unique_ptr<Library> library = ports.loader.load(target.usbLibrary);
    if (!library) return false;
    const std::string printer = ansiPrinter(ports, target);
    auto first = exportOf<ReadPrinterOptionUSBFn>(library.get(), "ReadPrinterOptionUSB");
    const bool firstRead = first && first(printer.c_str()) != 0;
    if (!firstRead && rule == UsbReads::BothSucceed) return false;
    auto second = exportOf<ReadPrinterOptionUSB2Fn>(library.get(), "ReadPrinterOptionUSB2");
    return second && second(printer.c_str()) != 0;
}

std::optional<InstalledOptions> QueryOnActivation(const OptionQueryPorts& ports, const OptionQueryTarget& target) {
    if (IsUsbPort(target.portName)) {
        if (!ReadOverUsb(ports, target, UsbReads::SecondDecides)) return std::nullopt;
        return ReadOptionValues(ports, target.usbDataFile, target, OptionSource::Usb);
    }
    return queryNetwork(ports, target, kQueryOnActivation);
}

bool PortIsQueryable(const OptionQueryPorts& ports, const OptionQueryTarget& target) {
    const std::unique_ptr<Library> library = networkLibrary(ports, target);
    auto valid = exportOf<IsValidPortFn>(library.get(), "IsValidPort");
    return valid && valid(ansiPrinter(ports, target).c_str()) != 0;
}

bool PrinterSupportsQuery(const OptionQueryPorts& ports, const OptionQueryTarget& target) {
    const std::unique_ptr<Library> library = networkLibrary(ports, target);
    auto capable = exportOf<GetNetextCapabilityFn>(library.get(), "GetNetextCapability");
    return capable && capable(ansiPrinter(ports, target).c_str()) != 0;
}

}  // namespace wren::ui
