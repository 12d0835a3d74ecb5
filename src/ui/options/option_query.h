// Asking the printer which options it has: through the network option
// library (the printer sheet's button, or page activation for a network
// port) or the USB option library (page activation and the installer's
// export for a USB port). Both write an option data file that is then read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/codepage.h"
#include "platform/library.h"
#include "platform/profile.h"
#include "ui/options/installed_options.h"

namespace wren::ui {

// The printer and the libraries the model section names.
struct OptionQueryTarget {
    std::u16string printerName;     // also the data file's section
    std::u16string portName;
    std::u16string networkLibrary;  // "NetExtDLL", loaded by its name alone
    std::u16string usbLibrary;      // the plug-in's folder + "USBExtDLL"
    std::u16string usbDataFile;     // the application-data folder + "\" + "USBExtDAT"
    std::u16string pluginIni;       // where "Usertype" is refreshed
    void* window = nullptr;         // the sheet, for the library's own dialogs
};

struct OptionQueryPorts {
    const LibraryLoader& loader;
    const Profile& profile;
    const CodePage& codePage;
};

// A port whose name begins with "USB", in any case, is asked over USB.
bool IsUsbPort(std::u16string_view portName);

// The data file read and "Usertype" refreshed: ReadOptionValues.
std::optional<InstalledOptions> ReadOptionValues(const OptionQueryPorts& ports, std::u16string_view dataFile,
                                                 const OptionQueryTarget& target, OptionSource source);

// The button: ReadPrinterOptionFlag32 with the button's flags, then the file
// GetDataFileName names. Nothing when any step fails.
std::optional<InstalledOptions> QueryFromButton(const OptionQueryPorts& ports, const OptionQueryTarget& target);

// Page activation: USB or network by the port's name.
std::optional<InstalledOptions> QueryOnActivation(const OptionQueryPorts& ports, const OptionQueryTarget& target);

// IsValidPort of the network option library; false without it.
bool PortIsQueryable(const OptionQueryPorts& ports, const OptionQueryTarget& target);

// GetNetextCapability of the network option library; false without it.
bool PrinterSupportsQuery(const OptionQueryPorts& ports, const OptionQueryTarget& target);

// The USB option library's two reads. The installer's refresh needs both;
// the page's query goes by the second, the one that writes the data file.
enum class UsbReads { BothSucceed, SecondDecides };
bool ReadOverUsb(const OptionQueryPorts& ports, const OptionQueryTarget& target, UsbReads rule);

}  // namespace wren::ui
