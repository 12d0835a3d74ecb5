// The per-block cost of an encrypted job's WritePrinter path (framing, end
// detection, spooler calls) against the bare cipher over the same bytes in
// the same block size. The cipher here is a cheap keystream, so the ratio
// shows the plug-in's own overhead at its most visible; it prints
// "ratio: x" (the target is at least 0.85).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "fakes.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/render_services.h"

namespace {

using namespace wren;

constexpr std::size_t kJobBytes = 256u << 20;

struct Session {
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::vector<std::uint8_t> out;
};

std::uint64_t next(std::uint64_t& s) {
    std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void* create() { return new Session; }
void destroy(void* h) { delete static_cast<Session*>(h); }
int handBack(Session& s, const std::uint8_t** d, std::uint32_t* n) {
    *d = s.out.data();
    *n = static_cast<std::uint32_t>(s.out.size());
    return 0;
}
int init(void* h, const void*, const std::uint8_t** d, std::uint32_t* n) {
    auto& s = *static_cast<Session*>(h);
    s.out.assign(16, 0x5A);
    return handBack(s, d, n);
}
int initEx(void* h, const void* k, std::uint32_t, const std::uint8_t** d, std::uint32_t* n) { return init(h, k, d, n); }
int update(void* h, const void* data, std::uint32_t size, const std::uint8_t** d, std::uint32_t* n) {
    auto& s = *static_cast<Session*>(h);
    s.out.resize(size);
    const auto* in = static_cast<const std::uint8_t*>(data);
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, in + i, 8);
        word ^= next(s.state);
        std::memcpy(s.out.data() + i, &word, 8);
    }
    for (; i < size; ++i) s.out[i] = in[i] ^ static_cast<std::uint8_t>(next(s.state));
    return handBack(s, d, n);
}
int end(void* h, const std::uint8_t** d, std::uint32_t* n) {
    auto& s = *static_cast<Session*>(h);
    s.out.assign(16, 0xA5);
    return handBack(s, d, n);
}
int decryptPassword(const std::uint8_t*, std::uint32_t, char* out, std::uint32_t*) {
    std::strcpy(out, "pw");
    return 1;
}
int askPassword(char* buffer) {
    std::strcpy(buffer, "pw");
    return 1;
}

class CountingSpooler : public test::FakeSpooler {
public:
    mutable std::uint64_t bytes = 0;
    bool write(PrinterHandle, const void*, std::uint32_t size, std::uint32_t* written) const override {
        bytes += size;
        if (written) *written = size;
        return true;
    }
};

class NullStream : public SpoolStream {
public:
    std::uint32_t write(const void*, std::uint32_t size) override { return size; }
};

// PostScript-like text without an end pattern.
std::vector<std::uint8_t> blockOf(std::size_t size) {
    std::vector<std::uint8_t> block(size);
    const char text[] = "0 0 moveto (Quarterly figures, Operations) show 255 0 128 setrgbcolor %%Page 7\n";
    for (std::size_t i = 0; i < size; ++i) block[i] = static_cast<std::uint8_t>(text[i % (sizeof text - 1)]);
    return block;
}

void BareCipher(benchmark::State& state) {
    const auto blockSize = static_cast<std::uint32_t>(state.range(0));
    std::vector<std::uint8_t> block = blockOf(blockSize);
    for (auto _ : state) {
        void* h = create();
        const std::uint8_t* d;
        std::uint32_t n;
        init(h, nullptr, &d, &n);
        for (std::size_t done = 0; done < kJobBytes; done += blockSize) {
            update(h, block.data(), blockSize, &d, &n);
            benchmark::DoNotOptimize(d);
        }
        end(h, &d, &n);
        destroy(h);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kJobBytes));
}

void ThroughWritePrinter(benchmark::State& state) {
    const auto blockSize = static_cast<std::uint32_t>(state.range(0));
    CountingSpooler spooler;
    PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x20);
    spooler.printers[printer].dependentFiles = test::FakeSpooler::list({u"C:\\drv\\3\\wren.cap"});
    test::FakeProfile profile;
    profile.addFile(u"C:\\drv\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nCryptoDll=zecipher.dll\n");
    test::FakeLibraryLoader loader;
    loader.libraries[u"C:\\drivers\\x64\\3\\zecipher.dll"] = {
        {"CreateEncryption", test::exportOf(&create)}, {"InitEncryption", test::exportOf(&init)},
        {"InitEncryptionEx", test::exportOf(&initEx)}, {"UpdateEncryption", test::exportOf(&update)},
        {"EndEncryption", test::exportOf(&end)},       {"DeleteEncryption", test::exportOf(&destroy)},
        {"DecryptPassword", test::exportOf(&decryptPassword)}, {"DispPasswordUI", test::exportOf(&askPassword)}};
    test::FakeCodePage codePage;
    RenderPorts ports{spooler, profile, loader, codePage};
    PrivateRecord record{};
    record.cryptTimeLimit = 0x00020000;
    PublicDevmode devmode{};
    test::FakeDriverSettings settings;
    settings.features["ZEJob_Type"] = "Secure_Chip";
    NullStream stream;
    JobState job;
    job.capabilityFile = u"C:\\drv\\3\\wren.cap";
    std::vector<std::uint8_t> block = blockOf(blockSize);
    const std::string header = "\x1B%-12345X@PJL JOB NAME=\"bench\"\r\n@PJL ENTER LANGUAGE=POSTSCRIPT\n";
    const std::string trailer = "\x1B%-12345X@PJL EOJ\r\n";
    for (auto _ : state) {
        std::uint32_t written = 0;
        RenderContext ctx{ports, printer, record, devmode, settings, stream, job};
        writeBlock(ctx, header.data(), static_cast<std::uint32_t>(header.size()), &written);
        for (std::size_t done = 0; done < kJobBytes; done += blockSize) {
            // As the plug-in object does per block: a fresh context, then the block.
            RenderContext perBlock{ports, printer, record, devmode, settings, stream, job};
            writeBlock(perBlock, block.data(), blockSize, &written);
        }
        writeBlock(ctx, trailer.data(), static_cast<std::uint32_t>(trailer.size()), &written);
        if (job.jobCancelled || job.encryption.encrypting()) state.SkipWithError("the job did not end cleanly");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kJobBytes));
}

BENCHMARK(BareCipher)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ThroughWritePrinter)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps each run's throughput so that the ratio can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> rates;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) rates[r.benchmark_name()] = r.counters.at("bytes_per_second");
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* size : {"4096", "65536"}) {
        const std::string bare = std::string("BareCipher/") + size + "/iterations:3";
        const std::string ours = std::string("ThroughWritePrinter/") + size + "/iterations:3";
        if (reporter.rates.count(bare) && reporter.rates.count(ours))
            std::printf("ratio (blocks of %s): %.3f\n", size, reporter.rates[ours] / reporter.rates[bare]);
    }
    return 0;
}
