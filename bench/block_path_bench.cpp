// The per-block cost of a plain job's WritePrinter path in the rendering
// logic, against handing the block straight to the spooler. Under Wine the
// spooler's own cost per 4 KiB block is several microseconds and swamps
// this; measured natively, the logic's share is visible on its own.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "fakes.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/render_services.h"

namespace {

using namespace wren;

// A spooler that only counts what it is given.
class CountingSpooler : public test::FakeSpooler {
public:
    mutable std::uint64_t bytes = 0;
    bool write(PrinterHandle, const void*, std::uint32_t size, std::uint32_t* written) const override {
        bytes += size;
        if (written) *written = size;
        return true;
    }
};

class NoSettings : public DriverSettings {
public:
    bool feature(const char* keyword, SettingBuffer& out) const override {
        out.fill(0);
        if (std::string_view(keyword) == "ZEJob_Type") std::memcpy(out.data(), "Normal", 6);
        return true;
    }
    bool predefined(std::uint32_t, SettingBuffer& out) const override {
        out.fill(0);
        return true;
    }
};

class NullStream : public SpoolStream {
public:
    std::uint32_t write(const void*, std::uint32_t size) override { return size; }
};

void SpoolerAlone(benchmark::State& state) {
    CountingSpooler spooler;
    std::vector<char> block(4096, 'x');
    for (auto _ : state) {
        std::uint32_t written = 0;
        spooler.write(nullptr, block.data(), 4096, &written);
        benchmark::DoNotOptimize(written);
    }
    state.SetBytesProcessed(state.iterations() * 4096);
}

void ThroughTheRenderingLogic(benchmark::State& state) {
    CountingSpooler spooler;
    test::FakeProfile profile;
    test::FakeLibraryLoader loader;
    test::FakeCodePage codePage;
    RenderPorts ports{spooler, profile, loader, codePage};
    PrivateRecord record{};
    PublicDevmode devmode{};
    NoSettings settings;
    NullStream stream;
    JobState job;
    RenderContext ctx{ports, nullptr, record, devmode, settings, stream, job};
    settleJob(ctx);
    std::vector<char> block(4096, 'x');
    for (auto _ : state) {
        std::uint32_t written = 0;
        // As the plug-in object does per block: a fresh context, then the block.
        RenderContext perBlock{ports, nullptr, record, devmode, settings, stream, job};
        benchmark::DoNotOptimize(writeBlock(perBlock, block.data(), 4096, &written));
    }
    state.SetBytesProcessed(state.iterations() * 4096);
}

BENCHMARK(SpoolerAlone);
BENCHMARK(ThroughTheRenderingLogic);

}  // namespace

BENCHMARK_MAIN();
