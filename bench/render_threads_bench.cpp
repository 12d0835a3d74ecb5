// Aggregate throughput of the block path with 1, 2 and 4 devices rendering
// at once, each on its own thread with its own job: nothing in the
// rendering logic may make one device's blocks wait for another's. Each
// thread hands 4 KiB blocks of its job through writeBlock to a spooler that
// only counts them. It prints the scaling over one thread ("scaling: ...");
// on two free cores two threads should give at least 1.7 times one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "fakes.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/render_services.h"
#include "shared_loader.h"

namespace {

using namespace wren;

constexpr std::uint32_t kBlockBytes = 4096;

// A cheap keystream per session: the cipher's state lives in its handle,
// as a real library's does, so threads share nothing but the code.
struct Session {
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::vector<std::uint8_t> out;
};

int answer(Session& s, const std::uint8_t** d, std::uint32_t* n) {
    *d = s.out.data();
    *n = static_cast<std::uint32_t>(s.out.size());
    return 0;
}
void* create() { return new Session; }
void destroy(void* h) { delete static_cast<Session*>(h); }
int init(void* h, const void*, const std::uint8_t** d, std::uint32_t* n) {
    auto& s = *static_cast<Session*>(h);
    s.out.assign(16, 0x5A);
    return answer(s, d, n);
}
int initEx(void* h, const void* k, std::uint32_t, const std::uint8_t** d, std::uint32_t* n) { return init(h, k, d, n); }
int update(void* h, const void* data, std::uint32_t size, const std::uint8_t** d, std::uint32_t* n) {
    auto& s = *static_cast<Session*>(h);
    s.out.resize(size);
    const auto* in = static_cast<const std::uint8_t*>(data);
    for (std::uint32_t i = 0; i < size; ++i) {
        s.state = s.state * 6364136223846793005ull + 1442695040888963407ull;
        s.out[i] = in[i] ^ static_cast<std::uint8_t>(s.state >> 56);
    }
    return answer(s, d, n);
}
int end(void* h, const std::uint8_t** d, std::uint32_t* n) {
    auto& s = *static_cast<Session*>(h);
    s.out.assign(16, 0xA5);
    return answer(s, d, n);
}
int decryptPassword(const std::uint8_t*, std::uint32_t, char* out, std::uint32_t*) {
    std::strcpy(out, "pw");
    return 1;
}
int askPassword(char*) { return 0; }

// The process's one cipher library, loaded by every device.
const test::SharedLibraryLoader& sharedLoader() {
    static const test::SharedLibraryLoader loader({{u"C:\\drivers\\x64\\3\\zecipher.dll",
                                                    {{"CreateEncryption", test::exportOf(&create)},
                                                     {"InitEncryption", test::exportOf(&init)},
                                                     {"InitEncryptionEx", test::exportOf(&initEx)},
                                                     {"UpdateEncryption", test::exportOf(&update)},
                                                     {"EndEncryption", test::exportOf(&end)},
                                                     {"DeleteEncryption", test::exportOf(&destroy)},
                                                     {"DecryptPassword", test::exportOf(&decryptPassword)},
                                                     {"DispPasswordUI", test::exportOf(&askPassword)}}}});
    return loader;
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

// One device with its own job, built on the thread that renders it.
struct Device {
    explicit Device(const char* jobType) {
        spooler.printers[printer].dependentFiles = test::FakeSpooler::list({u"C:\\drv\\3\\wren.cap"});
        profile.addFile(u"C:\\drv\\3\\wren.cap",
                        "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nCryptoDll=zecipher.dll\n");
        settings.features["ZEJob_Type"] = jobType;
        record.cryptTimeLimit = 0x00020000;
        record.cryptPasswordLength = 1;
        job.capabilityFile = u"C:\\drv\\3\\wren.cap";
    }
    // As the plug-in object does per block: a fresh context, then the block.
    void send(const void* data, std::uint32_t size) {
        RenderContext ctx{ports, printer, record, devmode, settings, stream, job};
        std::uint32_t written = 0;
        benchmark::DoNotOptimize(writeBlock(ctx, data, size, &written));
    }

    PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x20);
    CountingSpooler spooler;
    test::FakeProfile profile;
    test::FakeCodePage codePage;
    RenderPorts ports{spooler, profile, sharedLoader(), codePage};
    PrivateRecord record{};
    PublicDevmode devmode{};
    test::FakeDriverSettings settings;
    NullStream stream;
    JobState job;
};

// PostScript-like text without an end pattern.
std::vector<std::uint8_t> pageText() {
    std::vector<std::uint8_t> block(kBlockBytes);
    const char text[] = "0 0 moveto (Quarterly figures, Operations) show 255 0 128 setrgbcolor %%Page 7\n";
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(text[i % (sizeof text - 1)]);
    return block;
}

void render(benchmark::State& state, const char* jobType) {
    Device device(jobType);
    const std::vector<std::uint8_t> block = pageText();
    const std::string header = "\x1B%-12345X@PJL JOB NAME=\"bench\"\r\n@PJL ENTER LANGUAGE=POSTSCRIPT\n";
    const std::string trailer = "\x1B%-12345X@PJL EOJ\r\n";
    device.send(header.data(), static_cast<std::uint32_t>(header.size()));
    for (auto _ : state) device.send(block.data(), kBlockBytes);
    device.send(trailer.data(), static_cast<std::uint32_t>(trailer.size()));
    if (device.job.jobCancelled || device.job.encryption.encrypting())
        state.SkipWithError("the job did not end cleanly");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBlockBytes);
}

void PlainJobs(benchmark::State& state) { render(state, "Normal"); }
void EncryptedJobs(benchmark::State& state) { render(state, "Secure_Chip"); }

BENCHMARK(PlainJobs)->Threads(1)->Threads(2)->Threads(4)->UseRealTime();
BENCHMARK(EncryptedJobs)->Threads(1)->Threads(2)->Threads(4)->UseRealTime();

// Keeps each run's figures so that the scaling can be printed. On a shared
// machine the threads may not get their cores: the CPU time per block and
// the cores the threads really got tell a busy machine (same CPU per
// block, fewer cores) from contention (more CPU per block) or waiting
// (fewer cores although the machine is free).
class ScalingReporter : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double bytesPerSecond, cpuNanosPerBlock, coresUsed;
    };
    std::map<std::string, Figures> runs;
    void ReportRuns(const std::vector<Run>& reported) override {
        for (const Run& r : reported) {
            if (r.run_type != Run::RT_Iteration || !r.counters.count("bytes_per_second") || r.iterations == 0) continue;
            runs[r.benchmark_name()] = {r.counters.at("bytes_per_second"),
                                        r.cpu_accumulated_time / static_cast<double>(r.iterations) * 1e9,
                                        r.cpu_accumulated_time / r.real_accumulated_time};
        }
        ConsoleReporter::ReportRuns(reported);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    ScalingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* name : {"PlainJobs", "EncryptedJobs"}) {
        const std::string base = std::string(name) + "/real_time/threads:";
        auto one = reporter.runs.find(base + "1");
        if (one == reporter.runs.end()) continue;
        for (const char* threads : {"1", "2", "4"}) {
            auto it = reporter.runs.find(base + threads);
            if (it == reporter.runs.end()) continue;
            const ScalingReporter::Figures& f = it->second;
            std::printf("scaling of %s, %s threads: %.2f x one thread's bytes/s; CPU per block %.1f ns; "
                        "cores used %.2f\n",
                        name, threads, f.bytesPerSecond / one->second.bytesPerSecond, f.cpuNanosPerBlock, f.coresUsed);
        }
    }
    return 0;
}
