// Throughput of a plain job through the rendering plug-in against the same
// bytes written by the host alone: 256 MiB in 4 KiB blocks, through Command
// and WritePrinter, into the spooler (into a scratch file in the temporary
// folder, deleted at the end, unless --output names a file).
//
//   wrenbench [--mib N] [--runs N] [--output PATH] [--noise]
//
// --noise runs the host alone on both sides: the ratios it prints are the
// machine's noise floor, against which the plug-in's figures are read.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "host_error.h"
#include "plugin_session.h"

namespace {

using wren::host::PluginSession;


// User and kernel time of this process: what the job costs the CPU, without
// the waits on the disk and on the wineserver that make wall time noisy.
double cpuSecondsNow() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct JobTime {
    double wall;        // the stream: from the first injection point to the end of the job
    double cpu;
    double injections;  // of which BEGINSTREAM and ENDSTREAM
    double block;       // median time of one block
};

// One job of `mib` MiB.
JobTime runJob(const wren::host::Ticket& ticket, bool withPlugin, std::size_t mib, const std::wstring& output) {
    wren::host::SessionOptions options;
    options.loadPlugin = withPlugin;
    PluginSession session(ticket, options);
    std::vector<char> block(4096);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>('A' + i % 26);
    // Starting the spooler job costs both sides the same (about 0.1 s under
    // Wine) and is left out; the stream is what the plug-in takes part in.
    session.startJob(L"Benchmark", output);
    const double start = secondsNow();
    const double cpuStart = cpuSecondsNow();
    session.command(1);  // BEGINSTREAM
    double injections = secondsNow() - start;
    const std::size_t blocks = mib * 256;
    // Each write is exactly one block handed on; the median time of one is
    // the figure least moved by the spooler's occasional stalls.
    std::vector<double> blockTimes(blocks);
    double previous = secondsNow();
    for (std::size_t i = 0; i < blocks; ++i) {
        session.write(block.data(), block.size());
        const double now = secondsNow();
        blockTimes[i] = now - previous;
        previous = now;
    }
    const double beforeEnd = secondsNow();
    session.command(20);  // ENDSTREAM
    injections += secondsNow() - beforeEnd;
    session.endJob();
    const double wall = secondsNow() - start;
    std::nth_element(blockTimes.begin(), blockTimes.begin() + blockTimes.size() / 2, blockTimes.end());
    return JobTime{wall, cpuSecondsNow() - cpuStart, injections, blockTimes[blockTimes.size() / 2]};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

// A spooler job into NUL fails at its end under Wine; a real file serves on
// every system.
std::wstring scratchFile() {
    wchar_t dir[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"wrenbench.prn";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::size_t mib = 256;
    int runs = 5;
    std::wstring output;
    bool noise = false;
    for (int i = 1; i < argc; ++i) {
        std::wstring key = argv[i];
        if (key == L"--noise") noise = true;
        else if (key == L"--mib" && i + 1 < argc) mib = static_cast<std::size_t>(_wtoi(argv[++i]));
        else if (key == L"--runs" && i + 1 < argc) runs = _wtoi(argv[++i]);
        else if (key == L"--output" && i + 1 < argc) output = argv[++i];
        else {
            std::fprintf(stderr, "wrenbench: unknown option\n");
            return 1;
        }
    }
    if (mib == 0 || runs <= 0) {
        std::fprintf(stderr, "wrenbench: --mib and --runs must be positive\n");
        return 1;
    }
    const bool scratch = output.empty();
    if (scratch) output = scratchFile();
    wren::host::Ticket ticket;
    ticket.printer = u"Wren Test";
    ticket.features["ZEJob_Type"] = "Normal";
    try {
        // Runs alternate, so that a slower stretch of the machine costs both
        // sides alike; each pair gives one ratio.
        std::vector<double> plain, plugged, ratios, plainCpu, pluggedCpu, injections, plainBlock, pluggedBlock;
        runJob(ticket, true, 8, output);  // warm up: load the plug-in and the spooler once
        for (int r = 0; r < runs; ++r) {
            // The order flips every pair, so that neither side always runs
            // second (after the other's writes reached the disk cache).
            JobTime alone{}, through{};
            if (r % 2 == 0) {
                alone = runJob(ticket, false, mib, output);
                through = runJob(ticket, !noise, mib, output);
            } else {
                through = runJob(ticket, !noise, mib, output);
                alone = runJob(ticket, false, mib, output);
            }
            plain.push_back(alone.wall);
            plugged.push_back(through.wall);
            plainCpu.push_back(alone.cpu);
            pluggedCpu.push_back(through.cpu);
            injections.push_back(through.injections);
            plainBlock.push_back(alone.block);
            pluggedBlock.push_back(through.block);
            ratios.push_back(alone.wall / through.wall);
        }
        std::printf("job of %zu MiB in 4 KiB blocks, %d alternating runs each%s\n", mib, runs,
                    noise ? " (noise floor: the host alone on both sides)" : "");
        std::printf("  host alone:      %8.1f MiB/s (fastest run), %8.1f (median)\n", mib / fastest(plain),
                    mib / median(plain));
        std::printf("  through wrenps:  %8.1f MiB/s (fastest run), %8.1f (median)\n", mib / fastest(plugged),
                    mib / median(plugged));
        // Wine's spooler I/O makes single runs vary by tens of percent; the
        // medians are the figure to read.
        std::printf("  ratio of median throughputs: %.3f (target >= 0.97)\n", median(plain) / median(plugged));
        std::printf("  median of per-pair ratios:   %.3f\n", median(ratios));
        std::printf("  ratio of fastest runs:       %.3f\n", fastest(plain) / fastest(plugged));
        std::printf("  CPU time per job: host alone %.3f s, through wrenps %.3f s (medians); ratio %.3f\n",
                    median(plainCpu), median(pluggedCpu), median(plainCpu) / median(pluggedCpu));
        std::printf("  the plug-in's job header and trailer: %.1f ms per job (median)\n", median(injections) * 1e3);
        std::printf("  one 4 KiB block: host alone %.2f us, through wrenps %.2f us (medians); ratio %.3f\n",
                    median(plainBlock) * 1e6, median(pluggedBlock) * 1e6, median(plainBlock) / median(pluggedBlock));
        if (scratch) DeleteFileW(output.c_str());
        return 0;
    } catch (const std::exception& e) {
        if (scratch) DeleteFileW(output.c_str());
        std::fprintf(stderr, "wrenbench: %s\n", e.what());
        return 1;
    }
}
