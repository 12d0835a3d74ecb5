// The host's DSC splitting over arbitrary documents: every injection point
// comes exactly once, in the core driver's order, and no byte is lost; an
// embedded document or counted data is copied whole (its comments are never
// taken as the outer document's), and there is always a page.
#include <string>
#include <vector>

#include "dsc_stream.h"

namespace {

struct Recorder : wren::host::StreamSink {
    std::vector<std::uint32_t> points;
    std::string out;
    void bytes(std::string_view data) override { out += data; }
    void inject(std::uint32_t point) override { points.push_back(point); }
};

std::size_t occurrences(std::string_view text, std::string_view needle) {
    std::size_t count = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Recorder sink;
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    int pages = wren::host::emitDocument(document, sink);
    if (pages < 1) __builtin_trap();
    // The splitter drops only structural comment lines, none of which holds
    // these; sections are joined at line ends, so none is made up either.
    for (std::string_view kept : {"%%BeginDocument", "%%EndDocument", "%%BeginData", "%%EndBinary"})
        if (occurrences(sink.out, kept) != occurrences(document, kept)) __builtin_trap();
    const std::vector<std::uint32_t> head = {1, 14, 16, 17};
    if (sink.points.size() != head.size() + static_cast<std::size_t>(pages) + 1) __builtin_trap();
    for (std::size_t i = 0; i < head.size(); ++i)
        if (sink.points[i] != head[i]) __builtin_trap();
    if (sink.points.back() != 20) __builtin_trap();
    return 0;
}
