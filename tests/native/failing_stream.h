// A stream that comes up short on the writes a test picks, so that a test
// can fail one line of an injection and see whether the failure is reported.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/spool_stream.h"

namespace wren::test {

class SelectiveFailingStream : public SpoolStream {
public:
    std::string bytes;  // everything offered, taken or not
    int writes = 0;
    // Decides for each write (its bytes and its 0-based number) whether it
    // comes up one byte short.
    std::function<bool(std::string_view, int)> fails = [](std::string_view, int) { return false; };

    std::uint32_t write(const void* data, std::uint32_t size) override {
        const std::string_view text(static_cast<const char*>(data), size);
        bytes.append(text);
        const bool shortWrite = fails(text, writes++);
        return shortWrite && size > 0 ? size - 1 : size;
    }

    void failWritesContaining(std::string marker) {
        fails = [marker](std::string_view text, int) { return text.find(marker) != std::string_view::npos; };
    }
    void failWriteNumber(int n) {
        fails = [n](std::string_view, int index) { return index == n; };
    }
};

}  // namespace wren::test
