// The overlay store and the form dictionary as a hand-edited plug-in INI
// file feeds them: any text as the file, any four overlay slots. The store
// never holds more than its room, the page list only comes from the text,
// and the dictionary opens and closes whatever the store says, with no
// character that could open a string or a procedure in the PostScript.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "common/overlay/overlay_store.h"
#include "fakes.h"
#include "ps/overlay/overlay_emission.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::u16string ini = u"C:\\drv\\3\\wren.ini";
    std::uint16_t ids[4];
    for (auto& id : ids) id = input.ConsumeBool() ? 255 : input.ConsumeIntegralInRange<std::uint16_t>(0, 40);
    const auto state = static_cast<overlay::PendingState>(input.ConsumeIntegralInRange<int>(0, 2));
    const std::string text = input.ConsumeRemainingBytesAsString();
    test::FakeProfile profile;
    profile.addFile(ini, text);

    const overlay::OverlayList list = overlay::loadOverlayStore(profile, ini, state);
    if (list.definedCount > overlay::kMaxOverlays || list.historyCount > overlay::kMaxHistory) std::abort();
    for (std::size_t n = 0; n < list.definedCount; ++n) {
        const overlay::OverlayRecord& r = list.overlays[n];
        if (r.formCount > overlay::kMaxForms || r.pageMode > 4 || r.name.size() >= overlay::kNameChars ||
            r.customPages.size() >= overlay::kCustomPageChars)
            std::abort();
    }
    overlay::writeOverlayStore(profile, ini, state, list);

    std::vector<OverlayUse> uses;
    for (std::uint16_t id : ids)
        if (id != 255) uses.push_back(readOverlayUse(profile, ini, id));
    for (const OverlayUse& use : uses) {
        std::u16string rebuilt;
        for (const auto& [first, last] : parsePageList(use.customPages)) {
            if (first.size() + last.size() > use.customPages.size() + 4) std::abort();
            rebuilt += first;
        }
        (void)rebuilt;
    }
    test::FakeCodePage codePage;
    const std::string dictionary = formDictionary(uses, codePage);
    const std::string open = "%%BeginNonPPDFeature: Form \r\n{ \r\n";
    const std::string close = "}stopped pop\r\n%%EndNonPPDFeature\r\n\r\n";
    if (dictionary.rfind(open, 0) != 0 || dictionary.size() < close.size() ||
        dictionary.compare(dictionary.size() - close.size(), close.size(), close) != 0)
        std::abort();
    // Between the fixed text, only the dictionary's own brackets and markers.
    int braces = 0, parens = 0;
    for (char c : dictionary) {
        braces += c == '{' ? 1 : c == '}' ? -1 : 0;
        parens += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (braces < 0 || parens < 0) std::abort();
    }
    if (braces != 0 || parens != 0) std::abort();
    return 0;
}
