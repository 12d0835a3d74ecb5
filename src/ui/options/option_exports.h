// The exports of the printer family's two option-query libraries, declared
// once for the UI plug-in that calls them and for the stand-ins that
// implement them. Printer names and file names are 8-bit (system code page).
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/family/family_exports.h"  // WREN_FAMILY_CALL

namespace wren::options {

// ---- network option library ("NetExtDLL", loaded by its name alone) ----
using IsValidPortFn = int(WREN_FAMILY_CALL*)(const char* printer);
using GetNetextCapabilityFn = int(WREN_FAMILY_CALL*)(const char* printer);
// Asks the printer and writes the option data file.
using ReadPrinterOptionFlag32Fn = int(WREN_FAMILY_CALL*)(const char* printer, void* window, int reserved1,
                                                        int reserved2, std::uint32_t flags);
// The option data file's path into `buffer` (`size` bytes).
using GetDataFileNameFn = int(WREN_FAMILY_CALL*)(const char* printer, char* buffer, std::uint32_t size);

// ---- USB option library ("USBExtDLL", loaded from the plug-in's folder) ----
using ReadPrinterOptionUSBFn = int(WREN_FAMILY_CALL*)(const char* printer);
using ReadPrinterOptionUSB2Fn = int(WREN_FAMILY_CALL*)(const char* printer);

// ReadPrinterOptionFlag32's flags: asked by the user's button, or on page
// activation (where only an answer of 1 counts).
inline constexpr std::uint32_t kQueryFromButton = 0x800080;
inline constexpr std::uint32_t kQueryOnActivation = 0xA00000;

inline constexpr std::size_t kOptionPrinterNameBytes = 221;
inline constexpr std::size_t kDataFileNameBytes = 260;

}  // namespace wren::options
