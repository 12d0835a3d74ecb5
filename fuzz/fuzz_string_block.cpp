// The string-table lookup over a resource block of any bytes: a damaged
// block (lengths running past its end) must never be read beyond its end,
// and a copy must fit the caller's buffer with its terminator.
#include <cstring>
#include <memory>
#include <vector>

#include "ui/dialogs/string_block.h"

using namespace wren::ui;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A heap copy of exactly the block's units, so ASan sees any read past it.
    std::vector<char16_t> units(size / 2);
    if (!units.empty()) std::memcpy(units.data(), data, units.size() * 2);
    const std::span<const char16_t> block(units);

    constexpr char16_t kUntouched = u'\xA5A5';
    for (unsigned id = 0; id < 16; ++id) {
        for (std::size_t capacity : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{300}}) {
            const auto text = StringFromBlock(block, id, capacity);
            if (text && capacity > 0 && text->size() > capacity - 1) __builtin_trap();
            if (text && capacity == 0 && !text->empty()) __builtin_trap();
            // Only the position inside the block counts, not the block number.
            if (StringFromBlock(block, id + 16 * (1 + size % 7), capacity) != text) __builtin_trap();

            auto buffer = std::make_unique<char16_t[]>(capacity + 1);
            std::fill_n(buffer.get(), capacity + 1, kUntouched);
            const std::size_t copied = CopyStringFromBlock(block, id, buffer.get(), capacity);
            if (copied != (text ? text->size() : 0)) __builtin_trap();
            if (copied > 0) {
                if (copied >= capacity || buffer[copied] != u'\0') __builtin_trap();
                if (std::u16string(buffer.get(), copied) != *text) __builtin_trap();
            } else if (buffer[0] != kUntouched) {
                __builtin_trap();
            }
            if (buffer[capacity] != kUntouched) __builtin_trap();  // nothing beyond the buffer
        }
    }
    return 0;
}
