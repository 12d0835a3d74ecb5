// The header collector over arbitrary contents and arbitrary block cuts:
// the copy is the stream's start and never passes its limit, the state and
// the captured lines do not depend on where the blocks were cut, and a
// captured line comes from the header, never from the document after it.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

#include "ps/encrypt/header_collector.h"

namespace {

using wren::HeaderCollector;

std::size_t headerEnd(std::string_view s) {
    std::size_t end = std::string_view::npos;
    for (std::string_view stop : {"@PJL ENTER LANGUAGE", "%%!PS-Adobe", "@PJL EOJ", "%%%%EOF"})
        end = std::min(end, s.find(stop));
    return end;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool card = in.ConsumeBool();
    const bool big = in.ConsumeBool();  // reach the limit now and then
    HeaderCollector cut(0x00020000, card);
    std::string stream;
    while (in.remaining_bytes() > 0 && cut.state() == HeaderCollector::State::Collecting) {
        std::string block = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, 300));
        if (big && in.ConsumeBool()) block += std::string(9000, 'x');
        const std::size_t taken = cut.append(reinterpret_cast<const std::uint8_t*>(block.data()), block.size());
        if (taken > block.size()) __builtin_trap();
        stream += block.substr(0, taken);
        if (taken < block.size() && stream.size() != HeaderCollector::kCopyLimit) __builtin_trap();
    }
    const std::string_view copy(reinterpret_cast<const char*>(cut.copy().data()), cut.copy().size());
    if (copy != stream || copy.size() > HeaderCollector::kCopyLimit) __builtin_trap();

    HeaderCollector whole(0x00020000, card);
    whole.append(reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size());
    if (cut.state() != HeaderCollector::State::Collecting) {
        if (whole.state() != cut.state()) __builtin_trap();
        const std::size_t end = headerEnd(copy);
        for (std::size_t slot = 0; slot < HeaderCollector::kSlots; ++slot) {
            auto s = static_cast<HeaderCollector::Slot>(slot);
            const std::string& line = cut.line(s);
            if (line != whole.line(s) || cut.found(s) != whole.found(s)) __builtin_trap();
            if (line.size() >= HeaderCollector::kLineLimit) __builtin_trap();
            if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) __builtin_trap();
            const std::size_t at = copy.find(line);
            if (!line.empty() && (at == std::string_view::npos || (end != std::string_view::npos && at >= end)))
                __builtin_trap();
        }
    }
    return 0;
}
