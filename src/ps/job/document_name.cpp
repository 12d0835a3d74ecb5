#include "ps/job/document_name.h"

#include <cstdint>

namespace wren {

std::string cleanDocumentName(std::string_view name, const CodePage& codePage) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(name[i]);
        if (codePage.isLeadByte(byte)) {
            if (i + 1 >= name.size()) break;  // a lead byte at the very end is dropped
            const auto trail = static_cast<std::uint8_t>(name[i + 1]);
            if (!codePage.isValidPair(byte, trail)) break;
            out.push_back(name[i]);
            out.push_back(name[++i]);
            continue;
        }
        if (byte == '"') {
            out.push_back(' ');
        } else if (byte == '\t' || (byte >= 0x20 && byte != 0x7F)) {
            // Bytes from 0x80 that are not lead bytes are characters of the
            // code page (accented letters), not control bytes.
            out.push_back(name[i]);
        } else {
            break;
        }
    }
    return out;
}

}  // namespace wren
