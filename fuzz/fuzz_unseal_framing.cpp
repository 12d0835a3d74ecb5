// unseal's framing parser and record reader over arbitrary jobs: a parse that
// succeeds must describe the job exactly (views in order, sizes as written),
// and opening never reads outside what the job holds.
#include <cstdint>
#include <cstring>
#include <string>

#include "unseal_fake_aead.h"
#include "unseal_job.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view job(reinterpret_cast<const char*>(data), size);
    host::FramingError error;
    auto frames = host::parseSealedFrames(job, error);
    if (!frames) {
        if (error.message.empty() || error.offset > size) __builtin_trap();
    } else {
        // Rebuilding the job from the parts gives the job back.
        auto bytes = [](std::string_view v) { return stand_in::Bytes(v.begin(), v.end()); };
        std::string rebuilt(frames->plainHeader);
        rebuilt += test::frame(host::kWriteStartLine, bytes(frames->start));
        for (std::string_view w : frames->writes) rebuilt += test::frame(host::kWriteLine, bytes(w));
        rebuilt += test::frame(host::kWriteEndLine, bytes(frames->end));
        rebuilt += host::kJobEndLine;
        if (rebuilt != job) __builtin_trap();
    }
    std::string plain;
    host::UnsealResult r = host::unsealJob(job, "wren1234", &test::fakeDerive, plain);
    if (!r.ok && (!plain.empty() || r.message.empty())) __builtin_trap();
    return 0;
}
