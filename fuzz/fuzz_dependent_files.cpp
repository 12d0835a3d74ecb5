// The dependent-file walk over arbitrary lists: unterminated, over-long,
// full of short names and odd endings.
#include <cstring>

#include "common/config/dependent_files.h"
#include "fakes.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static test::FakeProfile profile = [] {
        test::FakeProfile p;
        p.addFile(u"a.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n");
        return p;
    }();
    std::u16string list(size / 2, u'\0');
    std::memcpy(list.data(), data, list.size() * 2);
    ConfigFiles files = scanDependentFiles(list, profile, 64);
    if (files.capabilityFile.size() > kMaxPathChars) __builtin_trap();
    if (files.pluginIni && files.pluginIni->size() > kMaxPathChars) __builtin_trap();
    if (!files.found && (files.pluginIni || !files.capabilityFile.empty())) __builtin_trap();
    findVersionFile(list);
    folderOfPath(list);
    return 0;
}
