#include "ui/dialogs/string_block.h"

#include <algorithm>

namespace wren::ui {

std::optional<std::u16string> StringFromBlock(std::span<const char16_t> block, unsigned stringId,
                                              std::size_t capacity) {
    std::size_t at = 0;
    for (unsigned skip = stringId % 16; skip > 0; --skip) {
        if (at >= block.size()) return std::nullopt;
        at += 1 + std::size_t(block[at]);
    }
    if (at >= block.size()) return std::nullopt;
    const std::size_t length = block[at];
    if (length > block.size() - at - 1) return std::nullopt;
    if (capacity == 0) return std::u16string();
    const std::size_t copied = std::min(length, capacity - 1);
    return std::u16string(block.data() + at + 1, copied);
}

std::size_t CopyStringFromBlock(std::span<const char16_t> block, unsigned stringId, char16_t* buffer,
                                std::size_t capacity) {
    std::optional<std::u16string> text = StringFromBlock(block, stringId, capacity);
    if (!text || text->empty() || !buffer) return 0;
    std::copy(text->begin(), text->end(), buffer);
    buffer[text->size()] = u'\0';
    return text->size();
}

}  // namespace wren::ui
