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

// One job of `mib` MiB; returns its seconds.
double runJob(const wren::host::Ticket& ticket, bool withPlugin, std::size_t mib, const std::wstring& output) {
    wren::host::SessionOptions options;
    options.loadPlugin = withPlugin;
    PluginSession session(ticket, options);
    std::vector<char> block(4096);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>('A' + i % 26);
    const double start = secondsNow();
    session.startJob(L"Benchmark", output);
    session.command(1);  // BEGINSTREAM
    const std::size_t blocks = mib * 256;
    for (std::size_t i = 0; i < blocks; ++i) session.write(block.data(), block.size());
    session.command(20);  // ENDSTREAM
    session.endJob();
    return secondsNow() - start;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

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
        std::vector<double> plain, plugged;
        runJob(ticket, true, 8, output);  // warm up: load the plug-in and the spooler once
        for (int r = 0; r < runs; ++r) {
            plain.push_back(runJob(ticket, false, mib, output));
            plugged.push_back(runJob(ticket, true, mib, output));
        }
        const double plainRate = mib / median(plain);
        const double pluggedRate = mib / median(plugged);
        std::printf("job of %zu MiB in 4 KiB blocks, median of %d runs\n", mib, runs);
        std::printf("  host alone:      %8.1f MiB/s\n", plainRate);
        std::printf("  through wrenps:  %8.1f MiB/s\n", pluggedRate);
        std::printf("  ratio:           %8.3f (target >= 0.97)\n", pluggedRate / plainRate);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wrenbench: %s\n", e.what());
        return 1;
    }
}
