// An in-memory settings tree for the feature mapping and the write-back: the
// items as plain records, and a log of every core driver update with the
// item's state at the moment of the call.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/features/option_tree.h"

namespace wren::test {

struct FakeOption {
    std::u16string name;
    // The name room the core driver gave; npos: the name's own length.
    std::size_t room = std::u16string::npos;
    std::uint8_t flags = 0;
};

struct FakeItem {
    std::uint8_t dmPubId = 0;
    std::optional<std::uint32_t> nameResource;
    std::string keyword;
    std::optional<std::uintptr_t> featureNumber;
    std::int32_t sel = 0;
    std::uint32_t flags = 0;
    std::uint8_t userItemId = 0;
    std::vector<FakeOption> options;
    // Help attached by the plug-in: the extension's number and the topic.
    int helpExtension = 0;
    std::optional<std::uint32_t> helpTopic;
    std::int32_t lower = 0, upper = 0;

    static FakeItem role(std::uint8_t id, std::int32_t sel = 0) {
        FakeItem item;
        item.dmPubId = id;
        item.sel = sel;
        return item;
    }
    static FakeItem feature(std::string keyword, std::int32_t sel = 0) {
        FakeItem item;
        item.keyword = std::move(keyword);
        item.sel = sel;
        return item;
    }
    static FakeItem named(std::uint32_t resource, std::int32_t sel = 0) {
        FakeItem item;
        item.nameResource = resource;
        item.sel = sel;
        return item;
    }
    FakeItem& withOptions(std::initializer_list<std::u16string> names) {
        for (const auto& n : names) options.push_back({n});
        return *this;
    }
};

class FakeOptionTree : public ui::OptionTree {
public:
    struct Update {
        std::size_t item;
        std::int32_t sel;       // the item's Sel during the call
        std::int32_t previous;  // what the core driver was told it was
        std::uint32_t flags;    // the item's flags during the call
        std::uint32_t mode;
    };

    std::vector<FakeItem> items;
    std::vector<Update> updates;
    std::set<std::size_t> refusing;  // items whose updates the core driver refuses
    bool helpAvailable = true;
    int helpExtensionsMade = 0;
    std::u16string helpFile;

    std::size_t add(FakeItem item) {
        items.push_back(std::move(item));
        return items.size() - 1;
    }
    FakeItem& operator[](std::size_t i) { return items.at(i); }

    std::size_t size() const override { return items.size(); }
    std::uint8_t dmPubId(std::size_t i) const override { return items.at(i).dmPubId; }
    std::optional<std::uint32_t> nameResource(std::size_t i) const override { return items.at(i).nameResource; }
    std::string_view keyword(std::size_t i) const override { return items.at(i).keyword; }
    std::optional<std::uintptr_t> featureNumber(std::size_t i) const override { return items.at(i).featureNumber; }
    std::int32_t sel(std::size_t i) const override { return items.at(i).sel; }
    void setSel(std::size_t i, std::int32_t s) override { items.at(i).sel = s; }
    std::uint32_t flags(std::size_t i) const override { return items.at(i).flags; }
    void setFlags(std::size_t i, std::uint32_t f) override { items.at(i).flags = f; }
    void setUserItemId(std::size_t i, std::uint8_t id) override { items.at(i).userItemId = id; }

    bool makeHelpExtension(std::u16string_view file) override {
        if (!helpAvailable) return false;
        ++helpExtensionsMade;
        helpFile = std::u16string(file);
        return true;
    }
    void attachHelp(std::size_t i, std::uint32_t topic) override {
        FakeItem& item = items.at(i);
        item.helpExtension = helpExtensionsMade;
        item.helpTopic = topic;
        item.flags |= ui::kItemPolymorphic;
    }

    std::size_t optionCount(std::size_t i) const override { return items.at(i).options.size(); }
    std::u16string optionName(std::size_t i, std::size_t k) const override { return items.at(i).options.at(k).name; }
    void setOptionName(std::size_t i, std::size_t k, std::u16string_view name) override {
        FakeOption& o = items.at(i).options.at(k);
        const std::size_t room = o.room == std::u16string::npos ? o.name.size() : o.room;
        o.name = std::u16string(name.substr(0, room));
    }
    std::uint8_t optionFlags(std::size_t i, std::size_t k) const override { return items.at(i).options.at(k).flags; }
    void setOptionFlags(std::size_t i, std::size_t k, std::uint8_t f) override { items.at(i).options.at(k).flags = f; }

    std::int32_t lowerBound(std::size_t i) const override { return items.at(i).lower; }
    std::int32_t upperBound(std::size_t i) const override { return items.at(i).upper; }
    void setUpperBound(std::size_t i, std::int32_t u) override { items.at(i).upper = u; }

    std::uint32_t updateSetting(std::size_t i, std::int32_t previousSel, std::uint32_t mode) override {
        const FakeItem& item = items.at(i);
        updates.push_back({i, item.sel, previousSel, item.flags, mode});
        return refusing.count(i) ? 0 : 1;
    }

    // The items updated, in call order.
    std::vector<std::size_t> updatedItems() const {
        std::vector<std::size_t> order;
        for (const auto& u : updates) order.push_back(u.item);
        return order;
    }
};

}  // namespace wren::test
