// Spooler calls that fill a caller's block with a structure and its
// strings: asked once for the size, then into a zero-filled block of that
// size. Empty when either call fails.
#pragma once

#include <windows.h>

#include <vector>

namespace wren::win32 {

template <typename Call>
std::vector<BYTE> queryBlock(Call call) {
    DWORD needed = 0;
    call(nullptr, 0, &needed);
    if (needed == 0) return {};
    std::vector<BYTE> block(needed, 0);
    if (!call(block.data(), needed, &needed)) return {};
    return block;
}

}  // namespace wren::win32
