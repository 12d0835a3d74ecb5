// The host's DSC splitting over arbitrary documents: every injection point
// comes exactly once, in the core driver's order, and no byte is lost.
#include <vector>

#include "dsc_stream.h"

namespace {

struct Recorder : wren::host::StreamSink {
    std::vector<std::uint32_t> points;
    std::size_t bytesOut = 0;
    void bytes(std::string_view data) override { bytesOut += data.size(); }
    void inject(std::uint32_t point) override { points.push_back(point); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Recorder sink;
    int pages = wren::host::emitDocument(std::string_view(reinterpret_cast<const char*>(data), size), sink);
    const std::vector<std::uint32_t> head = {1, 14, 16, 17};
    if (sink.points.size() != head.size() + static_cast<std::size_t>(pages) + 1) __builtin_trap();
    for (std::size_t i = 0; i < head.size(); ++i)
        if (sink.points[i] != head[i]) __builtin_trap();
    if (sink.points.back() != 20) __builtin_trap();
    return 0;
}
