// INI documents, profile integers and version values as the plug-ins read them.
#include "common/config/ini_document.h"
#include "ps/pjl/pjl_header.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::parse(fromUtf8(text));
    for (const auto& section : doc.sections())
        for (const auto& entry : section.entries) {
            parseProfileInt(entry.value);
            // A "DriverVer" value becomes the version text of the job header.
            if (driverVersionText(entry.value).size() > entry.value.size()) __builtin_trap();
            if (!doc.value(section.name, entry.key)) __builtin_trap();
        }
    std::u16string wide = fromUtf8(text);
    if (fromUtf8(toUtf8(wide)) != wide) __builtin_trap();
    return 0;
}
