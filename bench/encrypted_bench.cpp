// Throughput of an encrypted job through the rendering plug-in against the
// bare cipher library over the same bytes in the same block size, in one run:
// 256 MiB in 4 KiB blocks, with the installed printer's cipher stand-in.
//
//   wrenbench-encrypted [--mib N] [--runs N]
//
// The bare side calls UpdateEncryption block by block and keeps nothing;
// the plug-in side is a "Secure_Chip" job through Command and WritePrinter,
// whose framed cipher output goes to the spooler (into NUL). A third figure,
// the bare cipher whose output the host writes to the spooler itself, shows
// what of the difference is the spooler's.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/family/family_exports.h"
#include "bench_clock.h"
#include "host_error.h"
#include "platform/win32/handles.h"
#include "plugin_session.h"
#include "platform/function_cast.h"

namespace {

using namespace wren::family;
using wren::host::HostError;
using wren::host::PluginSession;


std::wstring scratchFile() {
    wchar_t dir[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"wrenbench-encrypted.prn";
}

std::vector<char> sampleBlock() {
    std::vector<char> block(4096);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>('A' + i % 26);
    return block;
}

std::wstring installedCipher() {
    wchar_t dir[MAX_PATH + 1] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed))
        throw HostError("cannot read the printer-driver directory");
    return std::wstring(dir) + L"\\3\\zecipher.dll";
}

struct Cipher {
    HMODULE module;
    CreateEncryptionFn create;
    InitEncryptionFn init;
    UpdateEncryptionFn update;
    EndEncryptionFn end;
    DeleteEncryptionFn destroy;
};

Cipher loadCipher() {
    HMODULE module = LoadLibraryW(installedCipher().c_str());
    if (!module) throw HostError("the installed zecipher.dll does not load");
    auto get = [&](const char* name) {
        FARPROC f = GetProcAddress(module, name);
        if (!f) throw HostError(std::string("zecipher.dll lacks ") + name);
        return f;
    };
    return Cipher{module,
                  wren::functionCast<CreateEncryptionFn>(get("CreateEncryption")),
                  wren::functionCast<InitEncryptionFn>(get("InitEncryption")),
                  wren::functionCast<UpdateEncryptionFn>(get("UpdateEncryption")),
                  wren::functionCast<EndEncryptionFn>(get("EndEncryption")),
                  wren::functionCast<DeleteEncryptionFn>(get("DeleteEncryption"))};
}

// The bare cipher over `mib` MiB; with `printer`, its output also goes to
// the spooler as the host's own job.
double bareCipher(const Cipher& c, std::size_t mib, HANDLE printer) {
    const std::vector<char> block = sampleBlock();
    struct { std::uint32_t mode = 0, strength = 1; char key[33] = "wren1234"; } record;
    void* handle = c.create();
    if (!handle) throw HostError("CreateEncryption failed");
    const std::uint8_t* out = nullptr;
    std::uint32_t size = 0;
    if (c.init(handle, &record, &out, &size) != 0) throw HostError("InitEncryption failed");
    DWORD job = 0;
    if (printer) {
        const std::wstring file = scratchFile();
        DOC_INFO_1W doc{const_cast<wchar_t*>(L"Bare cipher"), const_cast<wchar_t*>(file.c_str()),
                        const_cast<wchar_t*>(L"RAW")};
        job = StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&doc));
        if (!job) throw HostError("StartDocPrinterW failed");
    }
    const double start = secondsNow();
    DWORD written = 0;
    for (std::size_t i = 0; i < mib * 256; ++i) {
        if (c.update(handle, block.data(), static_cast<std::uint32_t>(block.size()), &out, &size) != 0)
            throw HostError("UpdateEncryption failed");
        if (printer && size) WritePrinter(printer, const_cast<std::uint8_t*>(out), size, &written);
    }
    c.end(handle, &out, &size);
    const double seconds = secondsNow() - start;
    if (printer) EndDocPrinter(printer);
    c.destroy(handle);
    return seconds;
}

// A "Secure_Chip" job of `mib` MiB through the plug-in.
double throughPlugin(std::size_t mib) {
    wren::host::Ticket ticket;
    ticket.printer = u"Wren Test";
    ticket.features["ZEJob_Type"] = "Secure_Chip";
    PluginSession session(ticket, wren::host::SessionOptions{});
    const std::vector<char> block = sampleBlock();
    // Into a file: Wine's spooler does not end an encrypted job sent to NUL.
    session.startJob(L"Benchmark", scratchFile());
    const double start = secondsNow();
    session.command(1);  // BEGINSTREAM
    for (std::size_t i = 0; i < mib * 256; ++i) session.write(block.data(), block.size());
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
    for (int i = 1; i < argc; ++i) {
        std::wstring key = argv[i];
        if (key == L"--mib" && i + 1 < argc) mib = static_cast<std::size_t>(_wtoi(argv[++i]));
        else if (key == L"--runs" && i + 1 < argc) runs = _wtoi(argv[++i]);
        else {
            std::fprintf(stderr, "wrenbench-encrypted: unknown option\n");
            return 1;
        }
    }
    if (mib == 0 || runs <= 0) {
        std::fprintf(stderr, "wrenbench-encrypted: --mib and --runs must be positive\n");
        return 1;
    }
    try {
        Cipher cipher = loadCipher();
        wren::win32::UniquePrinter printer;
        if (!OpenPrinterW(const_cast<wchar_t*>(L"Wren Test"), printer.out(), nullptr))
            throw HostError("printer not installed: Wren Test");
        throughPlugin(8);  // warm up: the plug-in, the cipher and the spooler once
        std::vector<double> bare, spooled, plugged;
        for (int r = 0; r < runs; ++r) {
            // Alternating order, so that neither side always runs second.
            if (r % 2 == 0) {
                bare.push_back(bareCipher(cipher, mib, nullptr));
                plugged.push_back(throughPlugin(mib));
            } else {
                plugged.push_back(throughPlugin(mib));
                bare.push_back(bareCipher(cipher, mib, nullptr));
            }
            spooled.push_back(bareCipher(cipher, mib, printer.get()));
        }
        std::printf("encrypted job of %zu MiB in 4 KiB blocks, %d runs each (medians)\n", mib, runs);
        std::printf("  bare cipher:                  %8.1f MiB/s\n", mib / median(bare));
        std::printf("  bare cipher, output spooled:  %8.1f MiB/s\n", mib / median(spooled));
        std::printf("  through wrenps:               %8.1f MiB/s\n", mib / median(plugged));
        std::printf("  ratio to the bare cipher:     %.3f (target >= 0.85)\n", median(bare) / median(plugged));
        std::printf("  ratio to the spooled cipher:  %.3f\n", median(spooled) / median(plugged));
        FreeLibrary(cipher.module);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wrenbench-encrypted: %s\n", e.what());
        return 1;
    }
}
