#include "common/appinfo/channel_message.h"

namespace wren::appinfo {

MessageBlock encodeName(std::u16string_view name) {
    MessageBlock block{};
    const std::size_t n = name.size() < kNameChars ? name.size() : kNameChars;
    for (std::size_t i = 0; i < n; ++i) {
        block[2 * i] = static_cast<std::uint8_t>(name[i] & 0xFF);
        block[2 * i + 1] = static_cast<std::uint8_t>(name[i] >> 8);
    }
    return block;
}

std::u16string decodeName(const std::uint8_t* bytes, std::size_t size) {
    std::u16string name;
    if (!bytes) return name;
    const std::size_t units = size / 2;
    for (std::size_t i = 0; i < units && name.size() < kNameChars; ++i) {
        const char16_t c = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (c == u'\0') break;
        name.push_back(c);
    }
    return name;
}

}  // namespace wren::appinfo
