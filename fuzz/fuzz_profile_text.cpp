// INI documents, profile integers and version values as the plug-ins read them.
// The name indexes must answer as a search of the section would: the first
// entry of a key, whatever the case of the names asked for.
#include "common/config/ini_document.h"
#include "ps/pjl/pjl_header.h"

using namespace wren;

namespace {

std::u16string upper(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::parse(fromUtf8(text));
    for (const auto& section : doc.sections()) {
        if (doc.section(upper(section.name)) != &section) __builtin_trap();
        for (std::size_t i = 0; i < section.entries.size(); ++i) {
            const auto& entry = section.entries[i];
            parseProfileInt(entry.value);
            // A "DriverVer" value becomes the version text of the job header.
            if (driverVersionText(entry.value).size() > entry.value.size()) __builtin_trap();
            if (doc.value(upper(section.name), upper(entry.key)) != entry.value) __builtin_trap();
            for (std::size_t j = 0; j < i; ++j)
                if (equalsNoCase(section.entries[j].key, entry.key)) __builtin_trap();  // duplicates are dropped
        }
    }
    for (std::size_t i = 1; i < doc.irregularities().size(); ++i)
        if (doc.irregularities()[i].lineNumber <= doc.irregularities()[i - 1].lineNumber) __builtin_trap();
    if (!doc.sections().empty() && !doc.sections().front().entries.empty()) {
        IniDocument changed = doc;
        const auto& first = doc.sections().front();
        changed.set(upper(first.name), upper(first.entries.front().key), u"changed");
        if (changed.sections().front().entries.size() != first.entries.size()) __builtin_trap();
        if (changed.value(first.name, first.entries.front().key) != u"changed") __builtin_trap();
    }
    std::u16string wide = fromUtf8(text);
    if (fromUtf8(toUtf8(wide)) != wide) __builtin_trap();
    return 0;
}
