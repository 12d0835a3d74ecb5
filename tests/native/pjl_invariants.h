// What any PJL envelope we write must satisfy, whatever the record said:
// control bytes only as line ends and as the escape of a universal exit
// language, and no PJL line whose quotes do not pair up. Shared by the
// native tests and the envelope fuzz target.
#pragma once

#include <string>
#include <string_view>

namespace wren::test {

inline constexpr std::string_view kUel = "\x1B%-12345X";

// Empty when the bytes keep the rules; otherwise what broke them, and where.
inline std::string unbalancedQuote(std::string_view line, std::size_t at) {
    // A universal exit may open the line that follows it.
    while (line.substr(0, kUel.size()) == kUel) line.remove_prefix(kUel.size());
    if (line.substr(0, 4) != "@PJL") return {};
    std::size_t quotes = 0;
    for (char q : line) quotes += q == '"';
    return quotes % 2 == 0 ? std::string() : "unbalanced quote in the line at " + std::to_string(at);
}

inline std::string pjlEnvelopeViolation(std::string_view bytes) {
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\x1B') {
            if (bytes.substr(i, kUel.size()) != kUel) return "escape outside a universal exit at " + std::to_string(i);
            continue;
        }
        if (c == '\r') {
            if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') return "CR without LF at " + std::to_string(i);
            continue;
        }
        if (c == '\n') {
            std::string broken = unbalancedQuote(bytes.substr(lineStart, i - lineStart), lineStart);
            if (!broken.empty()) return broken;
            lineStart = i + 1;
            continue;
        }
        if (c < 0x20 || c >= 0x7F) return "byte " + std::to_string(c) + " outside printable ASCII at " + std::to_string(i);
    }
    return unbalancedQuote(bytes.substr(lineStart), lineStart);
}

}  // namespace wren::test
