// The names under which the UI plug-in hands the printing application's
// name to the rendering plug-in for one spooler job: a shared block and its
// mutex (in the writer's session, or seen from another one), or a named
// pipe that the family's companion program fills. Both sides must build
// exactly the same names from the printer and the job id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wren::appinfo {

// What the spooler says of the printer (PRINTER_INFO_2).
struct ChannelPrinter {
    std::u16string printerName;
    std::u16string shareName;
    std::u16string serverName;   // empty for a local printer
    std::u16string driverName;
    bool shared = false;         // PRINTER_ATTRIBUTE_SHARED
};

struct SharedNames {
    std::u16string block;  // the 122-byte mapping
    std::u16string mutex;
};

// The share name of a shared printer, else the printer name.
std::u16string printerKey(const ChannelPrinter& printer);

// Object names may not hold the characters \ / : * ? " < > |: each becomes
// the digit 0 (within the first 1024 characters).
std::u16string objectSafeKey(std::u16string_view key);

// "%08x": eight lower-case hexadecimal digits.
std::u16string jobHex(std::uint32_t jobId);

// "Local\<key><job>A" and "...B".
SharedNames localNames(const ChannelPrinter& printer, std::uint32_t jobId);
// "Session\<session>\<key><job>A" and "...B", as a reader in another session sees them.
SharedNames sessionNames(const ChannelPrinter& printer, std::uint32_t jobId, std::uint32_t sessionId);

// Whether the writer may use shared memory at all: not for a shared
// connection to a print server whose job is rendered on the client (the
// reader then runs on another machine).
bool writerUsesSharedMemory(const ChannelPrinter& printer, bool rawJob);

// The pipe the writer's companion program connects to. `emfDespooling` is
// the printer data value "EMFDespoolingSetting" when it could be read.
std::u16string writerPipeName(const ChannelPrinter& printer, std::uint32_t jobId, bool rawJob, bool newerOs,
                              std::optional<std::uint32_t> emfDespooling);

// The pipe the reader serves. Client-side rendering shows a printer name
// starting with "\\CSR|".
std::u16string readerPipeName(const ChannelPrinter& printer, std::uint32_t jobId);

}  // namespace wren::appinfo
