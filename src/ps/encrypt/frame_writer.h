// Writes an encrypted job's output: plain PJL text and the cipher library's
// chunks, each framed by its resource-write line and the universal exit
// language. A small chunk goes out as one spooler write with its framing
// (one spooler call costs more than copying a few kilobytes); a large one
// as three writes, without a copy.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "ps/encrypt/cipher_context.h"
#include "ps/encrypt/encryption_ports.h"

namespace wren {

inline constexpr std::string_view kUniversalExitLanguage = "\x1B%-12345X";
inline constexpr std::string_view kEncryptedJobEnd = "@PJL EOJ NAME = \"END\"\n\x1B%-12345X";

enum class FrameKind { Start, Chunk, End };

class FrameWriter {
public:
    static constexpr std::uint32_t kCoalesceLimit = 16 * 1024;

    // `scratch` is the caller's reusable buffer for coalesced frames.
    FrameWriter(EncryptionPorts& ports, std::vector<std::uint8_t>& scratch) : ports_(ports), scratch_(scratch) {}

    bool text(std::string_view bytes);
    // The frame line with the chunk's size, its bytes, the universal exit
    // language, then `after`.
    bool frame(FrameKind kind, CipherBytes bytes, std::string_view after = {});

    // What the spooler took so far.
    std::uint32_t written() const { return written_; }

private:
    bool send(const void* data, std::size_t size);

    EncryptionPorts& ports_;
    std::vector<std::uint8_t>& scratch_;
    std::uint32_t written_ = 0;
};

}  // namespace wren
