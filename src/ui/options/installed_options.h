// What a printer reports about its installed options, read from an option
// data file (written by the network or USB option library, or the machine's
// zelopt.dat), and the printer tree's selections that follow from it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace wren::ui {

// The two libraries name the hard disk and the memory differently.
enum class OptionSource { Network, Usb };

// "Installed" bits: trays in bits 0..3 (the highest set bit is the last
// tray), then the units.
inline constexpr std::uint32_t kInstalledMpf = 0x10;
inline constexpr std::uint32_t kInstalledDuplex = 0x20;
inline constexpr std::uint32_t kInstalledFinisher = 0x40;
inline constexpr std::uint32_t kInstalledHardDiskUsb = 0x80;

struct InstalledOptions {
    std::uint32_t installed = 0;
    bool hardDisk = false;
    std::int32_t memoryMb = 0;
    std::int32_t punchType = 0;
    std::int32_t jobLimitationMode = 0;
    std::int32_t spotColor = 0;

    int trays() const;
    bool mpf() const { return (installed & kInstalledMpf) != 0; }
    bool duplex() const { return (installed & kInstalledDuplex) != 0; }
    bool finisher() const { return (installed & kInstalledFinisher) != 0; }
    // "SpotColor" 0, 1 and 2 name an option; any other value names none.
    bool spotColorKnown() const { return spotColor >= 0 && spotColor <= 2; }
};

// The printer's section of an option data file. Nothing when the file has
// no section for the printer: a file about other printers says nothing
// about this one.
std::optional<InstalledOptions> ReadInstalledOptions(const Profile& profile, std::u16string_view dataFile,
                                                     std::u16string_view printerSection, OptionSource source);

// The printer tree's selections, by the position of their rule in
// InstalledOptionRules (installed_option_rules.h): 0 ZEHDD, 1 ZEOptionDuplex,
// 2 ZEOptionTray, 3 InstalledMemory, 4 ZEFinisher, 5 ZEOptionMPF,
// 6 ZEPunchUnit, 7 ZEJobLimit, 8 ZESpecialTonerInstalled. A position
// without a value leaves its item alone.
inline constexpr std::size_t kOptionSelectionCount = 9;
using OptionSelections = std::array<std::optional<std::int32_t>, kOptionSelectionCount>;

// `memoryOptionNames` are the option names of the InstalledMemory item
// (empty when the tree has none); `newerOs`: major version 6 or later.
OptionSelections SelectionsFor(const InstalledOptions& options, std::span<const std::u16string> memoryOptionNames,
                               bool newerOs);

// The position of the memory option whose name, without its last three
// characters (" MB"), is the memory value in decimal; 0 when none is.
std::int32_t MemorySelection(std::int32_t memoryMb, std::span<const std::u16string> optionNames);

// Section "Usertype" of the plug-in INI file is replaced by the printer's
// "USERTYPE1", "USERTYPE2", ... of the data file, up to the first absent one.
void RefreshUserTypes(const Profile& profile, std::u16string_view dataFile, std::u16string_view printerSection,
                      std::u16string_view pluginIni);

}  // namespace wren::ui
