// The default DEVMODE a new printer starts with: the model's paper size,
// paper source and PostScript output option, and duplex when the machine's
// option file says the duplex unit prints by default.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/printer_admin.h"
#include "ui/options/installer_ports.h"

namespace wren::ui {

// The core driver keeps its PostScript output option (0..3) in this byte of
// its private DEVMODE part.
inline constexpr std::size_t kPsOutputOptionOffset = 344;
inline constexpr std::int16_t kDuplexPrinting = 2;  // DrvInst_DuplexPrinting and dmDuplex: long edge

struct ModelDevModeDefaults {
    int psOutputOption = -1;  // "PSOutputOpt": 0..3 set it
    int paperSize = 0;        // "DEFAULT_PAPER_SIZE": non-zero sets it
    int paperSource = 0;      // "DEFAULT_PAPER_SOURCE"
};

// The device name (dmDeviceName); nothing for a DEVMODE too short to hold
// the public part.
std::optional<std::u16string> DevModeDeviceName(const DevModeBytes& devMode);

// Applies the model's defaults; a field the DEVMODE is too short for is left
// alone. Returns false when nothing could be applied (not a DEVMODE).
bool ApplyModelDefaults(DevModeBytes& devMode, const ModelDevModeDefaults& defaults);
bool SetDuplex(DevModeBytes& devMode, std::int16_t duplex);

// The global default, else the printer's default, else one the driver builds.
std::optional<DevModeBytes> DefaultDevMode(const OpenedPrinter& printer);

// Printer initialisation's DEVMODE step: run as the spooler, settle the
// default DEVMODE and store it (level 8). False when nothing was stored.
bool PrepareDefaultDevMode(std::u16string_view printerName, const ModelDevModeDefaults& defaults,
                           InstallerPorts& ports);

}  // namespace wren::ui
