#include "ps/encrypt/frame_writer.h"

#include <charconv>
#include <cstring>

namespace wren {
namespace {

constexpr std::string_view kLineStart = "@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:";

std::string_view locationOf(FrameKind kind) {
    switch (kind) {
    case FrameKind::Start: return "write_start";
    case FrameKind::Chunk: return "write";
    case FrameKind::End: return "write_end";
    }
    return "write";
}

// The frame line, formatted without the C library's formatted output, which
// would cost a noticeable share of a small block.
std::string_view frameLine(FrameKind kind, std::uint32_t size, char (&out)[96]) {
    char* p = out;
    auto put = [&p](std::string_view s) {
        std::memcpy(p, s.data(), s.size());
        p += s.size();
    };
    put(kLineStart);
    put(locationOf(kind));
    put("\" SIZE=");
    p = std::to_chars(p, out + sizeof out - 1, size).ptr;
    *p++ = '\n';
    return std::string_view(out, static_cast<std::size_t>(p - out));
}

}  // namespace

bool FrameWriter::send(const void* data, std::size_t size) {
    if (size == 0) return true;
    if (!ports_.send(data, static_cast<std::uint32_t>(size))) return false;
    written_ += static_cast<std::uint32_t>(size);
    return true;
}

bool FrameWriter::text(std::string_view bytes) { return send(bytes.data(), bytes.size()); }

bool FrameWriter::frame(FrameKind kind, CipherBytes bytes, std::string_view after) {
    char lineBuffer[96];
    const std::string_view line = frameLine(kind, bytes.size, lineBuffer);
    if (bytes.size > kCoalesceLimit) {
        if (!text(line) || !send(bytes.data, bytes.size)) return false;
        if (!text(kUniversalExitLanguage)) return false;
        return text(after);
    }
    scratch_.clear();
    scratch_.insert(scratch_.end(), line.begin(), line.end());
    if (bytes.size != 0) scratch_.insert(scratch_.end(), bytes.data, bytes.data + bytes.size);
    scratch_.insert(scratch_.end(), kUniversalExitLanguage.begin(), kUniversalExitLanguage.end());
    scratch_.insert(scratch_.end(), after.begin(), after.end());
    return send(scratch_.data(), scratch_.size());
}

}  // namespace wren
