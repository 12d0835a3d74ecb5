// The printer's reading of an encrypted job: a plain PJL header, then
// resource-write chunks ("@PJL ZELRESOURCEWRITE LOCATION=...:write_start"
// SIZE=n, n bytes, the universal exit language), one write_start, any number
// of writes, one write_end, and the job end line. Nothing here decrypts; every
// size and every framing byte is checked before any payload is used.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wren::host {

inline constexpr std::string_view kWriteStartLine = "@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_start\" SIZE=";
inline constexpr std::string_view kWriteLine = "@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write\" SIZE=";
inline constexpr std::string_view kWriteEndLine = "@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_end\" SIZE=";
inline constexpr std::string_view kUniversalExit = "\x1B%-12345X";
inline constexpr std::string_view kJobEndLine = "@PJL EOJ NAME = \"END\"\n\x1B%-12345X";

// Views into the job that was parsed.
struct SealedFrames {
    std::string_view plainHeader;          // everything before the write_start line
    std::string_view start;                // the write_start payload
    std::vector<std::string_view> writes;  // the write payloads, in order
    std::string_view end;                  // the write_end payload
};

struct FramingError {
    std::size_t offset = 0;  // where in the job the fault lies
    std::string message;
};

std::optional<SealedFrames> parseSealedFrames(std::string_view job, FramingError& error);

}  // namespace wren::host
