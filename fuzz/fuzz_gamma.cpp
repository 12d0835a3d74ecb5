// The halftone gamma feature over any gamma data file, plug-in INI file and
// setting number: the file names the command, the setting picks it.
//
// Invariants: with gamma off nothing is written; with it on the block is
// always the fixed begin and end lines around either nothing or one command
// line shorter than the printer's buffer, and every write is reported.
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#include "fakes.h"
#include "ps/inject/postscript_settings.h"

using namespace wren;

namespace {

constexpr std::string_view kBegin = "featurebegin{\r\n%%BeginFeature: *ZETone Gumma1\r\n";
constexpr std::string_view kEnd = "%%EndFeature\r\n}featurecleanup\r\n";
constexpr std::size_t kCommandBytes = 20000;  // the printer's buffer, terminator included

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fuzz(data, size);
    test::FakeSpooler spooler;
    test::FakeProfile profile;
    test::FakeLibraryLoader loader;
    test::FakeCodePage codePage;
    test::FakeDriverSettings settings;
    RenderPorts ports{spooler, profile, loader, codePage};

    PrivateRecord record{};
    record.gammaOn = fuzz.ConsumeIntegralInRange<std::uint8_t>(0, 2);
    record.gammaSettingId = fuzz.ConsumeIntegral<decltype(record.gammaSettingId)>();
    JobState job;
    if (fuzz.ConsumeBool()) job.pluginIniFile = u"C:\\drv\\3\\wren.ini";
    if (fuzz.ConsumeBool())
        profile.addFile(u"C:\\drv\\3\\wren.ini", "[DependentFiles]\nHALFTONE=wrengam.dat\n");
    else
        profile.addFile(u"C:\\drv\\3\\wren.ini", fuzz.ConsumeRandomLengthString(300));
    profile.addFile(u"C:\\drivers\\x64\\3\\wrengam.dat", fuzz.ConsumeRemainingBytesAsString());

    PublicDevmode devmode{};
    RecordingStream stream;
    RenderContext ctx{ports, nullptr, record, devmode, settings, stream, job};
    check(writeGammaFeature(ctx));

    const std::string& out = stream.bytes;
    if (record.gammaOn == 0) {
        check(out.empty());
        return 0;
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
    return 0;
}
