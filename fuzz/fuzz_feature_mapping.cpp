// The feature mapping and the write-back over a settings tree the core driver
// built from an outside printer description (keywords of any bytes, option
// names of any length in rooms of any size) and a plug-in INI of any text:
// every slot kept must point into the tree, and no update may reach an item
// the tree does not have.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fake_option_tree.h"
#include "fakes.h"
#include "ui/features/feature_mapping.h"
#include "ui/features/feature_tables.h"
#include "ui/features/write_back.h"

using namespace wren;

namespace {

constexpr char16_t kIni[] = u"C:\\d\\wrenui.ini";

// Mostly names the mapping looks for, so the fuzzer reaches the tables'
// rows; otherwise any bytes, NULs and high bytes included.
std::string Keyword(FuzzedDataProvider& in) {
    const auto doc = ui::DocumentKeywords();
    const auto dev = ui::DeviceKeywords();
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: return std::string(doc[in.ConsumeIntegralInRange<std::size_t>(0, doc.size() - 1)].keyword);
    case 1: return std::string(dev[in.ConsumeIntegralInRange<std::size_t>(0, dev.size() - 1)].keyword);
    case 2: return {};
    default: return in.ConsumeRandomLengthString(80);
    }
}

std::u16string Text(FuzzedDataProvider& in, std::size_t maxUnits) {
    static const std::u16string known[] = {u"\u30EC\u30BF\u30FC", u"Letter", u"A4", u"default_name", u""};
    if (in.ConsumeBool()) return known[in.ConsumeIntegralInRange<std::size_t>(0, std::size(known) - 1)];
    std::u16string s(in.ConsumeIntegralInRange<std::size_t>(0, maxUnits), u'\0');
    for (auto& c : s) c = in.ConsumeIntegral<char16_t>();
    return s;
}

std::optional<std::uint32_t> NameResource(FuzzedDataProvider& in) {
    static const std::uint32_t known[] = {423, 424, 404, 405, 440, 427, 428, 0xFD1E};
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: return std::nullopt;
    case 1: return known[in.ConsumeIntegralInRange<std::size_t>(0, std::size(known) - 1)];
    default: return in.ConsumeIntegral<std::uint32_t>();
    }
}

test::FakeItem Item(FuzzedDataProvider& in) {
    test::FakeItem item;
    item.dmPubId = in.ConsumeIntegralInRange<std::uint8_t>(0, 20);
    if (in.ConsumeBool()) item.dmPubId = in.ConsumeIntegral<std::uint8_t>();
    item.nameResource = NameResource(in);
    item.keyword = Keyword(in);
    if (in.ConsumeBool())
        item.featureNumber = in.ConsumeBool() ? ui::kFeatureNumber25 : in.ConsumeIntegral<std::uintptr_t>();
    item.sel = in.ConsumeIntegral<std::int32_t>();
    item.flags = in.ConsumeIntegral<std::uint32_t>();
    item.lower = in.ConsumeIntegral<std::int32_t>();
    item.upper = in.ConsumeIntegral<std::int32_t>();
    const std::size_t options = in.ConsumeIntegralInRange<std::size_t>(0, 12);
    for (std::size_t k = 0; k < options; ++k) {
        test::FakeOption option{Text(in, 70)};
        if (in.ConsumeBool()) option.room = in.ConsumeIntegralInRange<std::size_t>(0, 80);
        option.flags = in.ConsumeIntegral<std::uint8_t>();
        item.options.push_back(std::move(option));
    }
    return item;
}

// A plug-in INI: the hidden paper names and user media types, then some
// text of any kind (which may repeat or break those sections).
std::string IniText(FuzzedDataProvider& in) {
    std::string text = "[Plg_Feature]\nHidePaperName=" + in.ConsumeRandomLengthString(300) + "\n[Usertype]\n";
    const int userTypes = in.ConsumeIntegralInRange(0, 14);
    for (int i = 1; i <= userTypes; ++i)
        text += "USERTYPE" + std::to_string(i) + "=" + in.ConsumeRandomLengthString(80) + "\n";
    // Enough to repeat or break those sections; more only made the fake
    // profile's parse most of a run, for nothing the mapping reads.
    return text + in.ConsumeRandomLengthString(256);
}

template <typename Slots>
void CheckSlots(const Slots& slots, std::size_t size) {
    for (const ui::FeatureSlot& slot : slots.slots)
        if (slot.present() && slot.index >= size) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    test::FakeOptionTree tree;
    const std::size_t items = in.ConsumeIntegralInRange<std::size_t>(0, 48);
    for (std::size_t i = 0; i < items; ++i) tree.add(Item(in));
    tree.helpAvailable = in.ConsumeBool();
    for (int i = in.ConsumeIntegralInRange(0, 3); i > 0; --i)
        tree.refusing.insert(in.ConsumeIntegralInRange<std::size_t>(0, items));
    const int compression = in.ConsumeIntegral<int>();
    // The working options the pages might leave, applied after the mapping.
    std::vector<std::pair<std::size_t, std::int32_t>> edits(in.ConsumeIntegralInRange<std::size_t>(0, 8));
    for (auto& [feature, sel] : edits) {
        feature = in.ConsumeIntegralInRange<std::size_t>(0, ui::kDocumentSlots - 1);
        sel = in.ConsumeIntegral<std::int32_t>();
    }

    test::FakeProfile profile;
    profile.addFile(kIni, IniText(in));

    ui::SheetContext context;
    ui::PaperItems paperItems{7, 7};
    ui::MapDocumentFeatures(context, tree, profile, kIni, compression, u"C:\\d\\wren.hlp", paperItems);
    if (tree.size() != items) __builtin_trap();
    CheckSlots(context.features, items);
    for (std::uint16_t p : {paperItems.paperSource, paperItems.mediaType})
        if (p != ui::kAbsentItem && p >= items) __builtin_trap();

    for (auto [feature, sel] : edits) context.features.slots[feature].sel = sel;
    ui::WriteBackSelections(context, tree);
    for (const auto& update : tree.updates)
        if (update.item >= items) __builtin_trap();

    ui::DeviceContext device;
    ui::MapDeviceFeatures(device, tree, u"C:\\d\\wren.hlp");
    CheckSlots(device.features, items);
    return 0;
}
