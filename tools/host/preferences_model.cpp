#include "preferences_model.h"

#include <algorithm>

#include "common/config/ini_document.h"

namespace wren::host {
namespace {

// DMPUB_* codes of the standard items.
enum : std::uint8_t {
    kOrientation = 1, kScale = 2, kCopies = 3, kDefSource = 4, kPrintQuality = 5, kColor = 6,
    kDuplex = 7, kFormName = 9, kMediaType = 12, kNup = 16,
};

struct KeywordCode {
    const char* keyword;
    std::int16_t code;
};

// Description paper keywords and their DEVMODE paper codes.
constexpr KeywordCode kPapers[] = {{"Letter", 1}, {"Legal", 5}, {"A3", 8}, {"A4", 9}, {"A5", 11}, {"B5", 13}};
// Duplex option keywords and DMDUP_* codes.
constexpr KeywordCode kDuplexModes[] = {{"None", 1}, {"DuplexNoTumble", 2}, {"DuplexTumble", 3}};
// The print-quality item's options in the core driver's order, with their dpi.
constexpr KeywordCode kQualities[] = {{"1200 x 1200 dots per inch", 1200}, {"600 x 600 dots per inch", 600}};

constexpr const char* kOrientations[] = {"Portrait", "Landscape", "Rotated Landscape"};
constexpr const char* kColours[] = {"Colour", "Greyscale"};  // sel 0: DMCOLOR_COLOR
constexpr const char* kMediaTypes[] = {"Plain Paper", "Thick Paper", "Transparency", "Labels", "Envelope"};
constexpr const char* kPagesPerSheet[] = {"1", "2", "4", "6", "9", "16"};
constexpr const char* kOnOff[] = {"On", "Off"};  // sel 1: off

// The description's texts are ISO Latin-1.
std::u16string latin1(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string ascii(const char* text) { return latin1(text); }

template <std::size_t N>
std::vector<std::u16string> names(const char* const (&list)[N]) {
    std::vector<std::u16string> out;
    for (const char* s : list) out.push_back(ascii(s));
    return out;
}

std::optional<std::int16_t> codeOf(const KeywordCode* table, std::size_t n, std::string_view keyword) {
    for (std::size_t i = 0; i < n; ++i)
        if (keyword == table[i].keyword) return table[i].code;
    return std::nullopt;
}

std::optional<std::string> keywordOf(const KeywordCode* table, std::size_t n, std::int16_t code) {
    for (std::size_t i = 0; i < n; ++i)
        if (table[i].code == code) return table[i].keyword;
    return std::nullopt;
}

std::optional<std::string> ticketChoice(const Ticket& ticket, const std::string& keyword) {
    auto it = ticket.features.find(keyword);
    if (it == ticket.features.end()) return std::nullopt;
    return it->second;
}

// An item for a description feature: its options, and the ticket's choice
// when it names one of them, else `fallback`, else the default.
TreeItem featureItem(const PpdFeature& f, std::size_t number, const Ticket& ticket,
                     std::optional<std::string> fallback = std::nullopt) {
    TreeItem item;
    item.name = latin1(f.text);
    item.keyword = f.keyword;
    item.featureNumber = number;
    item.installable = f.installable;
    item.control = f.type == PpdUiType::Boolean ? ItemControl::List : ItemControl::Combo;
    for (const PpdOption& o : f.options) {
        item.options.push_back(latin1(o.text));
        item.optionKeywords.push_back(o.keyword);
    }
    item.sel = static_cast<std::int32_t>(f.defaultIndex());
    if (fallback)
        if (auto i = f.find(*fallback)) item.sel = static_cast<std::int32_t>(*i);
    if (auto choice = ticketChoice(ticket, f.keyword))
        if (auto i = f.find(*choice)) item.sel = static_cast<std::int32_t>(*i);
    return item;
}

TreeItem listItem(std::uint8_t role, const char* name, std::vector<std::u16string> options, std::int32_t sel) {
    TreeItem item;
    item.dmPubId = role;
    item.name = ascii(name);
    item.options = std::move(options);
    item.sel = std::clamp<std::int32_t>(sel, 0, static_cast<std::int32_t>(item.options.size()) - 1);
    return item;
}

TreeItem upDown(std::uint8_t role, const char* name, std::int32_t value, std::int32_t lower, std::int32_t upper) {
    TreeItem item;
    item.dmPubId = role;
    item.name = ascii(name);
    item.control = ItemControl::UpDown;
    item.lower = lower;
    item.upper = upper;
    item.sel = std::clamp(value, lower, upper);
    return item;
}

std::size_t featureNumber(const PpdFile& ppd, const PpdFeature& f) {
    return static_cast<std::size_t>(&f - ppd.features.data());
}

// A standard item that stands for a description feature keeps the
// feature's keyword and options, under the item's role.
void addFeatureRole(std::vector<TreeItem>& items, const PpdFile& ppd, const Ticket& ticket, std::uint8_t role,
                    const char* keyword, std::optional<std::string> fallback = std::nullopt) {
    const PpdFeature* f = ppd.find(keyword);
    if (!f) return;
    TreeItem item = featureItem(*f, featureNumber(ppd, *f), ticket, std::move(fallback));
    item.dmPubId = role;
    items.push_back(std::move(item));
}

// The print-quality item names resolutions; it keeps the Resolution
// keyword only when every quality has an option of that many dpi.
TreeItem qualityItem(const PpdFile& ppd, const Ticket& ticket, const PublicDevmode& devmode) {
    TreeItem item = listItem(kPrintQuality, "Print Quality", {}, 0);
    for (const KeywordCode& q : kQualities) item.options.push_back(ascii(q.keyword));
    item.sel = devmode.dmPrintQuality == 1200 ? 0 : 1;
    const PpdFeature* f = ppd.find("Resolution");
    if (!f) return item;
    for (const KeywordCode& q : kQualities) {
        auto option = f->find(std::to_string(q.code) + "dpi");
        if (!option) return item;
        item.optionKeywords.push_back(f->options[*option].keyword);
    }
    item.keyword = f->keyword;
    item.featureNumber = featureNumber(ppd, *f);
    std::string choice = ticketChoice(ticket, f->keyword).value_or("");
    if (!ticket.features.count(f->keyword) && devmode.dmPrintQuality != 1200 && devmode.dmPrintQuality != 600)
        choice = f->defaultOption;
    for (std::size_t i = 0; i < item.optionKeywords.size(); ++i)
        if (item.optionKeywords[i] == choice) item.sel = static_cast<std::int32_t>(i);
    return item;
}

bool isStandardFeature(std::string_view keyword) {
    // PageRegion follows PageSize; the core driver shows no item for it.
    return keyword == "PageSize" || keyword == "PageRegion" || keyword == "InputSlot" || keyword == "Duplex" ||
           keyword == "Resolution";
}

}  // namespace

std::string TreeItem::selectedKeyword() const {
    if (sel < 0 || static_cast<std::size_t>(sel) >= optionKeywords.size()) return {};
    return optionKeywords[static_cast<std::size_t>(sel)];
}

std::u16string TreeItem::selectedText() const {
    if (control == ItemControl::UpDown) return ascii(std::to_string(sel).c_str());
    if (sel < 0 || static_cast<std::size_t>(sel) >= options.size()) return u"?";
    return options[static_cast<std::size_t>(sel)];
}

std::vector<TreeItem> buildDocumentItems(const PpdFile& ppd, const Ticket& ticket, const PublicDevmode& devmode) {
    std::vector<TreeItem> items;
    items.push_back(listItem(kOrientation, "Orientation", names(kOrientations),
                             devmode.dmOrientation == 2 ? 1 : 0));
    items.push_back(upDown(kScale, "Scaling", devmode.dmScale ? devmode.dmScale : 100, 1, 1000));
    items.push_back(upDown(kCopies, "Copy Count", devmode.dmCopies ? devmode.dmCopies : 1, 1, 999));
    addFeatureRole(items, ppd, ticket, kFormName, "PageSize",
                   keywordOf(kPapers, std::size(kPapers), devmode.dmPaperSize));
    addFeatureRole(items, ppd, ticket, kDefSource, "InputSlot");
    items.push_back(listItem(kMediaType, "Media Type", names(kMediaTypes), 0));
    items.push_back(qualityItem(ppd, ticket, devmode));
    items.push_back(listItem(kColor, "Color", names(kColours), devmode.dmColor == 1 ? 1 : 0));
    addFeatureRole(items, ppd, ticket, kDuplex, "Duplex",
                   keywordOf(kDuplexModes, std::size(kDuplexModes), devmode.dmDuplex));
    items.push_back(listItem(kNup, "Pages per Sheet", names(kPagesPerSheet), 0));

    TreeItem mirror = listItem(0, "", names(kOnOff), 1);
    mirror.nameResource = kMirrorOutputName;
    items.push_back(mirror);
    TreeItem negative = listItem(0, "", names(kOnOff), 1);
    negative.nameResource = kNegativeOutputName;
    items.push_back(negative);

    for (std::size_t i = 0; i < ppd.features.size(); ++i) {
        const PpdFeature& f = ppd.features[i];
        if (!f.installable && !isStandardFeature(f.keyword)) items.push_back(featureItem(f, i, ticket));
    }
    return items;
}

std::vector<TreeItem> buildPrinterItems(const PpdFile& ppd, const Ticket& ticket) {
    std::vector<TreeItem> items;
    for (std::size_t i = 0; i < ppd.features.size(); ++i)
        if (ppd.features[i].installable) items.push_back(featureItem(ppd.features[i], i, ticket));
    return items;
}

std::string settingOf(const std::vector<TreeItem>& items, const PpdFile& ppd, const Ticket& ticket,
                      const std::string& keyword) {
    for (const TreeItem& item : items)
        if (item.keyword == keyword && item.isFeature()) return item.selectedKeyword();
    const PpdFeature* f = ppd.find(keyword);
    auto choice = ticketChoice(ticket, keyword);
    if (f && choice && f->find(*choice)) return *choice;
    if (f) return f->options[f->defaultIndex()].keyword;
    return choice.value_or("");
}

std::map<std::string, std::string> featuresOf(const std::vector<TreeItem>& items,
                                              const std::map<std::string, std::string>& original) {
    std::map<std::string, std::string> features = original;
    for (const TreeItem& item : items)
        if (item.isFeature() && !item.selectedKeyword().empty()) features[item.keyword] = item.selectedKeyword();
    return features;
}

std::vector<std::string> applyToDevmode(const std::vector<TreeItem>& items, PublicDevmode& devmode) {
    std::vector<std::string> written;
    for (const TreeItem& item : items) {
        switch (item.dmPubId) {
        case kOrientation:
            devmode.dmOrientation = item.sel == 0 ? 1 : 2;
            written.push_back("dmOrientation");
            break;
        case kCopies:
            devmode.dmCopies = static_cast<std::int16_t>(item.sel);
            written.push_back("dmCopies");
            break;
        case kFormName:
            if (auto code = codeOf(kPapers, std::size(kPapers), item.selectedKeyword())) {
                devmode.dmPaperSize = *code;
                written.push_back("dmPaperSize");
            }
            break;
        case kPrintQuality:
            if (item.sel >= 0 && static_cast<std::size_t>(item.sel) < std::size(kQualities)) {
                devmode.dmPrintQuality = kQualities[item.sel].code;
                written.push_back("dmPrintQuality");
            }
            break;
        case kColor:
            devmode.dmColor = item.sel == 0 ? 2 : 1;
            written.push_back("dmColor");
            break;
        case kDuplex:
            if (auto code = codeOf(kDuplexModes, std::size(kDuplexModes), item.selectedKeyword())) {
                devmode.dmDuplex = *code;
                written.push_back("dmDuplex");
            }
            break;
        default:
            break;
        }
    }
    return written;
}

std::u16string describeItems(const std::vector<TreeItem>& items, const std::vector<bool>& hidden) {
    std::u16string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i < hidden.size() && hidden[i]) continue;
        const TreeItem& item = items[i];
        std::u16string name = item.nameResource == kMirrorOutputName     ? u"Mirror Output"
                              : item.nameResource == kNegativeOutputName ? u"Negative Output"
                                                                         : item.name;
        text += name + u": " + item.selectedText() + u"\r\n";
    }
    return text;
}

}  // namespace wren::host
