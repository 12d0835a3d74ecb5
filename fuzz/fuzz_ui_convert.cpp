// The UI plug-in's convert and merge over arbitrary records, with a driver
// whose configuration files are present.
#include <cstring>
#include <vector>

#include "common/settings/ui_devmode.h"
#include "fakes.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 16) return 0;
    static test::FakeProfile profile = [] {
        test::FakeProfile p;
        p.addFile(u"C:\\d\\wren.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n[SpecialKey]\n1PassSeries=1\n");
        p.addFile(u"C:\\d\\wren.cap", "[Capability]\nWren ZE Colour PS=M\n[M]\nCompression=0x0500\n");
        return p;
    }();
    static test::FakeSpooler spooler = [] {
        test::FakeSpooler s;
        s.printers[nullptr].dependentFiles = test::FakeSpooler::list({u"C:\\d\\wren.ini", u"C:\\d\\wren.cap"});
        return s;
    }();
    static test::FakeLibraryLoader loader;
    static test::FakeCodePage codePage;
    std::u16string capability;
    SettingsEnvironment env{spooler, profile, loader, codePage, capability};

    PrivateRecord out;
    std::memset(&out, 0x5A, sizeof out);
    std::memcpy(&out, data, std::min(size / 2, sizeof out));
    const std::uint8_t* inData = data + size / 2;
    std::uint32_t claimed = 0;
    std::memcpy(&claimed, inData, 4);
    const std::size_t inBytes = std::max<std::size_t>(8, std::min<std::size_t>(claimed, kRecordSize));
    std::vector<std::uint8_t> in(inBytes, 0);
    std::memcpy(in.data(), inData, std::min(size - size / 2, inBytes));
    auto* record = reinterpret_cast<const PrivateRecord*>(in.data());
    if (data[0] & 1) uiMerge(record, &out, nullptr, env);
    else uiConvert(record, &out, nullptr, env);
    if (out.dwVersion != kRecordVersion) __builtin_trap();
    return 0;
}
