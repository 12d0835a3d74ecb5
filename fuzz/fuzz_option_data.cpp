// The option data files the option libraries and zelopt.dat leave behind,
// as arbitrary INI text: reading them, the selections they give the printer
// tree, the keyword options, and the "Usertype" copy stay within bounds.
#include "fakes.h"
#include "ui/options/feature_keywords.h"
#include "ui/options/installed_options.h"

using namespace wren;
using namespace wren::ui;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    test::FakeProfile profile;
    profile.addFile(u"data.dat", text);
    profile.addFile(u"wren.ini", "[Usertype]\nUSERTYPE1=x\n");
    const std::vector<std::u16string> memoryNames{u"256 MB", u"512 MB", u"1GB", u"", u"x MB"};
    for (const OptionSource source : {OptionSource::Network, OptionSource::Usb}) {
        const std::optional<InstalledOptions> options = ReadInstalledOptions(profile, u"data.dat", u"Wren Test", source);
        if (!options) continue;
        if (options->trays() < 0 || options->trays() > 4) __builtin_trap();
        for (const bool newer : {false, true}) {
            const OptionSelections s = SelectionsFor(*options, memoryNames, newer);
            if (!s[3] || *s[3] < 0 || static_cast<std::size_t>(*s[3]) >= memoryNames.size()) __builtin_trap();
            if (s[8] && (*s[8] < 0 || *s[8] > 2)) __builtin_trap();
            for (const KeywordOption& k : KeywordOptionsFor(*options, newer))
                if (k.option.empty() || k.option.find('\0') != std::string::npos) __builtin_trap();
        }
    }
    RefreshUserTypes(profile, u"data.dat", u"Wren Test", u"wren.ini");
    return 0;
}
