// The halftone gamma feature over any gamma data file, plug-in INI file and
// setting number: the file names the command, the setting picks it.
//
// Invariants: with gamma off nothing is written; with it on the block is
// always the fixed begin and end lines around either nothing or one command
// line shorter than the printer's buffer, and every write is reported.
//
// Commands near the printer's buffer take 20 KB of input: as a seed they
// made every mutation that long and the target twenty times slower, and
// mutation alone would rarely get there. So the commands around that size
// are checked once at start, exactly (kept below it, left out whole from
// it on), and the fuzzing runs over inputs of ordinary size.
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#include "fakes.h"
#include "ps/inject/postscript_settings.h"

using namespace wren;

namespace {

constexpr std::string_view kBegin = "featurebegin{\r\n%%BeginFeature: *ZETone Gumma1\r\n";
constexpr std::string_view kEnd = "%%EndFeature\r\n}featurecleanup\r\n";
constexpr std::size_t kCommandBytes = 20000;  // the printer's buffer, terminator included
constexpr char16_t kIni[] = u"C:\\drv\\3\\wren.ini";
constexpr char16_t kGammaFile[] = u"C:\\drivers\\x64\\3\\wrengam.dat";
constexpr char kHalftoneIni[] = "[DependentFiles]\nHALFTONE=wrengam.dat\n";

void check(bool invariant) {
    if (!invariant) std::abort();
}

class RecordingStream : public SpoolStream {
public:
    std::string bytes;
    std::uint32_t write(const void* data, std::uint32_t size) override {
        bytes.append(static_cast<const char*>(data), size);
        return size;
    }
};

// The gamma block for `record` over the files in `profile`, with its shape
// checked; the command line it carries, if any.
std::string_view checkedCommand(const test::FakeProfile& profile, PrivateRecord& record, bool iniNamed,
                                std::string& out) {
    // The ports the feature never changes, made once.
    static const test::FakeSpooler spooler;
    static const test::FakeLibraryLoader loader;
    static const test::FakeCodePage codePage;
    static const test::FakeDriverSettings settings;
    const RenderPorts ports{spooler, profile, loader, codePage};
    JobState job;
    if (iniNamed) job.pluginIniFile = kIni;
    PublicDevmode devmode{};
    RecordingStream stream;
    RenderContext ctx{ports, nullptr, record, devmode, settings, stream, job};
    check(writeGammaFeature(ctx));

    out = std::move(stream.bytes);
    if (record.gammaOn == 0) {
        check(out.empty());
        return {};
    }
    check(out.size() >= kBegin.size() + kEnd.size());
    check(out.compare(0, kBegin.size(), kBegin) == 0);
    check(out.compare(out.size() - kEnd.size(), kEnd.size(), kEnd) == 0);
    const std::string_view command =
        std::string_view(out).substr(kBegin.size(), out.size() - kBegin.size() - kEnd.size());
    if (!command.empty()) {
        check(command.size() >= 3 && command.substr(command.size() - 2) == "\r\n");
        check(command.size() - 2 < kCommandBytes);
    }
    return command;
}

// Around the buffer's size, counted in the printer's bytes (one for each
// character here, whatever its UTF-8 length in the file).
void checkCommandsAroundTheBuffer() {
    test::FakeProfile profile;
    profile.addFile(kIni, kHalftoneIni);
    PrivateRecord record{};
    record.gammaOn = 1;
    record.gammaSettingId = 7;
    std::string out;
    for (std::string_view unit : {"x", "\xC3\xA9"})
        for (std::size_t length : {kCommandBytes - 2, kCommandBytes - 1, kCommandBytes, kCommandBytes + 1}) {
            std::string text = "[PSGamma]\nPSGammaCommand7=";
            for (std::size_t i = 0; i < length; ++i) text += unit;
            profile.addFile(kGammaFile, text + "\n");
            const std::string_view command = checkedCommand(profile, record, true, out);
            if (command.size() != (length < kCommandBytes ? length + 2 : 0)) {
                std::fprintf(stderr, "gamma command of %zu characters %s\n", length,
                             command.empty() ? "left out" : "kept");
                std::abort();
            }
        }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    checkCommandsAroundTheBuffer();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two profiles, so that the usual plug-in INI file is parsed once: one
    // with it, one whose INI file is the input's.
    static test::FakeProfile withHalftone = [] {
        test::FakeProfile p;
        p.addFile(kIni, kHalftoneIni);
        return p;
    }();
    static test::FakeProfile withAnyIni;

    FuzzedDataProvider fuzz(data, size);
    PrivateRecord record{};
    record.gammaOn = fuzz.ConsumeIntegralInRange<std::uint8_t>(0, 2);
    record.gammaSettingId = fuzz.ConsumeIntegral<decltype(record.gammaSettingId)>();
    const bool iniNamed = fuzz.ConsumeBool();
    test::FakeProfile& profile = fuzz.ConsumeBool() ? withHalftone : withAnyIni;
    if (&profile == &withAnyIni) profile.addFile(kIni, fuzz.ConsumeRandomLengthString(300));
    profile.addFile(kGammaFile, fuzz.ConsumeRemainingBytesAsString());
    profile.reads = 0;

    std::string out;
    checkedCommand(profile, record, iniNamed, out);
    // The input's files go with the run: memory that outlives a run makes
    // libFuzzer suspect a leak and search the whole heap for it.
    profile.addFile(kGammaFile, "");
    if (&profile == &withAnyIni) profile.addFile(kIni, "");
    return 0;
}
