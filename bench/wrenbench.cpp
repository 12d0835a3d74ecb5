// Throughput of a plain job through the rendering plug-in against the same
// bytes written by the host alone: 256 MiB in 4 KiB blocks, through Command
// and WritePrinter, into the spooler.
//
//   wrenbench [--mib N] [--runs N] [--output PATH]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "host_error.h"
#include "plugin_session.h"

namespace {

using wren::host::PluginSession;

double secondsNow() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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
    double wall;
    double cpu;
};

// One job of `mib` MiB.
JobTime runJob(const wren::host::Ticket& ticket, bool withPlugin, std::size_t mib, const std::wstring& output) {
    wren::host::SessionOptions options;
    options.loadPlugin = withPlugin;
    PluginSession session(ticket, options);
    std::vector<char> block(4096);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>('A' + i % 26);
    const double start = secondsNow();
    const double cpuStart = cpuSecondsNow();
    session.startJob(L"Benchmark", output);
    session.command(1);  // BEGINSTREAM
    const std::size_t blocks = mib * 256;
    for (std::size_t i = 0; i < blocks; ++i) session.write(block.data(), block.size());
    session.command(20);  // ENDSTREAM
    session.endJob();
    return JobTime{secondsNow() - start, cpuSecondsNow() - cpuStart};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::size_t mib = 256;
    int runs = 5;
    std::wstring output = L"NUL";
    for (int i = 1; i + 1 < argc; i += 2) {
        std::wstring key = argv[i];
        if (key == L"--mib") mib = static_cast<std::size_t>(_wtoi(argv[i + 1]));
        else if (key == L"--runs") runs = _wtoi(argv[i + 1]);
        else if (key == L"--output") output = argv[i + 1];
    }
    wren::host::Ticket ticket;
    ticket.printer = u"Wren Test";
    ticket.features["ZEJob_Type"] = "Normal";
    try {
        // Runs alternate, so that a slower stretch of the machine costs both
        // sides alike; each pair gives one ratio.
        std::vector<double> plain, plugged, ratios, plainCpu, pluggedCpu;
        runJob(ticket, true, 8, output);  // warm up: load the plug-in and the spooler once
        for (int r = 0; r < runs; ++r) {
            JobTime alone = runJob(ticket, false, mib, output);
            JobTime through = runJob(ticket, true, mib, output);
            plain.push_back(alone.wall);
            plugged.push_back(through.wall);
            plainCpu.push_back(alone.cpu);
            pluggedCpu.push_back(through.cpu);
            ratios.push_back(alone.wall / through.wall);
        }
        std::printf("job of %zu MiB in 4 KiB blocks, %d alternating runs each\n", mib, runs);
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
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wrenbench: %s\n", e.what());
        return 1;
    }
}
