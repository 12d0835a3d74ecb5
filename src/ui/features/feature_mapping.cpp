#include "ui/features/feature_mapping.h"

#include <algorithm>

#include "ui/features/feature_tables.h"
#include "ui/features/option_names.h"

namespace wren::ui {
namespace {

// Tree positions fit the context's 16-bit slots; a larger tree cannot come
// from the core driver, and 65535 would read as "absent".
constexpr std::size_t kMaxMappedItems = kAbsentItem;

void Keep(FeatureSlot& slot, const OptionTree& tree, std::size_t item, Kept kept) {
    if (kept == Kept::Nothing) return;
    slot.index = static_cast<std::uint16_t>(item);
    if (kept == Kept::IndexAndOption) slot.sel = tree.sel(item);
}

void Hide(OptionTree& tree, std::size_t item) { tree.setFlags(item, tree.flags(item) | kItemHide); }

// One help extension serves every item of a run; without it the items
// simply keep the core driver's own help.
class HelpAttacher {
public:
    HelpAttacher(OptionTree& tree, std::u16string_view helpFile)
        : tree_(tree), available_(tree.makeHelpExtension(helpFile)) {}
    void attach(std::size_t item, std::uint32_t topic) {
        if (available_) tree_.attachHelp(item, topic);
    }

private:
    OptionTree& tree_;
    bool available_;
};

class DocumentMapper {
public:
    DocumentMapper(SheetContext& context, OptionTree& tree, const Profile& profile,
                   std::u16string_view pluginIni, HelpAttacher& help, PaperItems& paperItems)
        : context_(context), tree_(tree), profile_(profile), pluginIni_(pluginIni), help_(help),
          paperItems_(paperItems) {}

    void map(std::size_t item) {
        const std::uint8_t role = tree_.dmPubId(item);
        if (const RoleRow* row = FindRole(role)) return mapRole(*row, item);
        if (IsUnmappedRole(role)) return;
        mapFeatureNumber(item);
        mapName(item);
        mapKeyword(item);
    }

private:
    void mapRole(const RoleRow& row, std::size_t item) {
        if (row.feature) Keep(context_[*row.feature], tree_, item, row.kept);
        if (row.hidden) Hide(tree_, item);
        switch (row.extra) {
        case RoleExtra::None: break;
        case RoleExtra::PaperSource: paperItems_.paperSource = static_cast<std::uint16_t>(item); break;
        case RoleExtra::MediaType:
            paperItems_.mediaType = static_cast<std::uint16_t>(item);
            ApplyUserMediaTypes(tree_, item, profile_, pluginIni_);
            break;
        case RoleExtra::PaperNames: HideListedPaperNames(tree_, item, profile_, pluginIni_); break;
        }
    }

    void mapFeatureNumber(std::size_t item) {
        if (tree_.featureNumber(item) != kFeatureNumber25) return;
        context_[Feature::Feature25].index = static_cast<std::uint16_t>(item);
        tree_.setUserItemId(item, static_cast<std::uint8_t>(item & 0xFF));
    }

    void mapName(std::size_t item) {
        const auto name = tree_.nameResource(item);
        if (!name) return;
        for (const NamedRow& row : DocumentNamedItems()) {
            if (row.nameResource != *name) continue;
            Keep(context_[row.feature], tree_, item, row.kept);
            if (row.hidden) Hide(tree_, item);
            return;
        }
    }

    void mapKeyword(std::size_t item) {
        const std::string_view keyword = tree_.keyword(item);
        if (keyword.empty()) return;
        for (const KeywordRow& row : DocumentKeywords()) {
            if (row.keyword != keyword) continue;
            if (row.feature) Keep(context_[*row.feature], tree_, item, row.kept);
            if (row.hidden) Hide(tree_, item);
            if (row.userItemId) tree_.setUserItemId(item, *row.userItemId);
            if (row.helpTopic != kNoHelpTopic) help_.attach(item, row.helpTopic);
            return;
        }
    }

    SheetContext& context_;
    OptionTree& tree_;
    const Profile& profile_;
    std::u16string_view pluginIni_;
    HelpAttacher& help_;
    PaperItems& paperItems_;
};

void MapDeviceName(DeviceContext& context, OptionTree& tree, std::size_t item) {
    const auto name = tree.nameResource(item);
    if (!name) return;
    for (const DeviceNamedRow& row : DeviceNamedItems()) {
        if (row.nameResource != *name) continue;
        if (row.feature) Keep(context[*row.feature], tree, item, Kept::IndexAndOption);
        if (row.collapse) tree.setFlags(item, tree.flags(item) | kItemCollapse);
        return;
    }
}

void MapDeviceKeyword(DeviceContext& context, OptionTree& tree, HelpAttacher& help, std::size_t item) {
    const std::string_view keyword = tree.keyword(item);
    if (keyword.empty()) return;
    for (const DeviceKeywordRow& row : DeviceKeywords()) {
        if (row.keyword != keyword) continue;
        if (row.feature) Keep(context[*row.feature], tree, item, Kept::IndexAndOption);
        tree.setUserItemId(item, row.userItemId);
        help.attach(item, row.helpTopic);
        return;
    }
}

}  // namespace

void MapDocumentFeatures(SheetContext& context, OptionTree& tree, const Profile& profile,
                         std::u16string_view pluginIni, int compressionModelValue,
                         std::u16string_view helpFile, PaperItems& paperItems) {
    HelpAttacher help(tree, helpFile);
    if (compressionModelValue & kCompressionFixedBit) context.compressionChoice = 0;
    paperItems = PaperItems{};
    DocumentMapper mapper(context, tree, profile, pluginIni, help, paperItems);
    const std::size_t items = std::min(tree.size(), kMaxMappedItems);
    for (std::size_t item = 0; item < items; ++item) mapper.map(item);
}

void MapDeviceFeatures(DeviceContext& context, OptionTree& tree, std::u16string_view helpFile) {
    HelpAttacher help(tree, helpFile);
    const std::size_t items = std::min(tree.size(), kMaxMappedItems);
    for (std::size_t item = 0; item < items; ++item) {
        MapDeviceName(context, tree, item);
        MapDeviceKeyword(context, tree, help, item);
    }
}

}  // namespace wren::ui
