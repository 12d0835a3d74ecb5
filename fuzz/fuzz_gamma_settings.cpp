// The gamma settings the Job Options page lists, read from a gamma file of
// any text: mostly the [PSGamma] section's shape with numbers and names of
// any kind, then any bytes (which may repeat or break the section).
//
// Invariants: no more settings than identifiers, each with a name of 1 to
// 32 units; a printer without settings offers none.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "common/config/driver_config.h"
#include "fakes.h"
#include "ui/pages/gamma_settings.h"

using namespace wren;

namespace {

constexpr char16_t kIni[] = u"C:\\drivers\\x64\\3\\wren.ini";
constexpr char16_t kGammaFile[] = u"C:\\drivers\\x64\\3\\wrengam.dat";

// Small numbers mostly, so identifiers and names meet; sometimes any text.
std::string Number(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return std::to_string(in.ConsumeIntegralInRange(-2, 12));
    return in.ConsumeRandomLengthString(16);
}

// A count past the identifiers now and then: each claimed setting is two
// reads, so claiming the most on every run would spend the run there.
std::string Count(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange(0, 7) == 7) return std::to_string(in.ConsumeIntegralInRange(13, 100000));
    return Number(in);
}

std::string GammaText(FuzzedDataProvider& in) {
    std::string text = "[PSGamma]\nSettingNum=" + Count(in) + "\n";
    for (int i = in.ConsumeIntegralInRange(0, 12); i > 0; --i) {
        text += "SettingID" + Number(in) + "=" + Number(in) + "\n";
        text += "SettingName" + Number(in) + "=" + in.ConsumeRandomLengthString(48) + "\n";
    }
    return text + in.ConsumeRemainingBytesAsString();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The plug-in INI that names the gamma file is the same for every input.
    static test::FakeProfile profile = [] {
        test::FakeProfile p;
        p.addFile(kIni, "[DependentFiles]\nHALFTONE=wrengam.dat\n");
        return p;
    }();
    static const test::FakeSpooler spooler;
    FuzzedDataProvider in(data, size);
    profile.addFile(kGammaFile, GammaText(in));

    const DriverConfig config{spooler, profile, reinterpret_cast<PrinterHandle>(0x20)};
    const ui::GammaSettings gamma = ui::readGammaSettings(profile, config, kIni);
    if (gamma.settings.size() > ui::kMaxGammaSettings) __builtin_trap();
    if (!gamma.offered && !gamma.settings.empty()) __builtin_trap();
    for (const ui::GammaSetting& setting : gamma.settings)
        if (setting.name.empty() || setting.name.size() > 32) __builtin_trap();

    // The input's file goes with the run: memory that outlives a run makes
    // libFuzzer suspect a leak and search the whole heap for it.
    profile.addFile(kGammaFile, "");
    profile.reads = 0;
    return 0;
}
