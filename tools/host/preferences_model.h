// The settings trees the core driver builds for a printer, described
// without the platform's structures: its standard items (with their public
// DEVMODE roles), the mirror and negative output items, and one item per
// printer-description feature. The Windows side turns them into OPTITEMs;
// after the sheet, the items' selections become a ticket again.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/settings/public_devmode.h"
#include "ppd_reader.h"
#include "ticket.h"

namespace wren::host {

enum class ItemControl { List, Combo, UpDown };

// The core driver's string numbers that name two of its items.
inline constexpr std::uint16_t kMirrorOutputName = 423;
inline constexpr std::uint16_t kNegativeOutputName = 424;

struct TreeItem {
    std::u16string name;              // shown name (empty when nameResource names it)
    std::uint16_t nameResource = 0;   // the core driver's string number, else 0
    std::uint8_t dmPubId = 0;         // DMPUB_* role, 0 for a description feature
    ItemControl control = ItemControl::List;
    std::vector<std::u16string> options;      // display names (none for an up-down item)
    std::vector<std::string> optionKeywords;  // the description's option keywords, one per option
    std::int32_t sel = 0;
    std::int32_t lower = 0, upper = 0;        // up-down bounds
    std::string keyword;                      // the feature keyword; empty for the driver's own items
    std::uintptr_t featureNumber = 0;         // the feature's position in the description
    bool installable = false;

    bool isFeature() const { return !keyword.empty() && optionKeywords.size() == options.size(); }
    // The selected option's keyword; empty when the item has none.
    std::string selectedKeyword() const;
    // The shown text of the current selection.
    std::u16string selectedText() const;
};

// The document tree: standard items from the DEVMODE and the ticket, then
// 423, 424, then the description's other (non-installable) features.
std::vector<TreeItem> buildDocumentItems(const PpdFile& ppd, const Ticket& ticket, const PublicDevmode& devmode);

// The printer tree: the installable features, from the ticket or the defaults.
std::vector<TreeItem> buildPrinterItems(const PpdFile& ppd, const Ticket& ticket);

// What DrvGetDriverSetting answers for a feature keyword: the item's
// selection, else the ticket's choice, else the description's default.
std::string settingOf(const std::vector<TreeItem>& items, const PpdFile& ppd, const Ticket& ticket,
                      const std::string& keyword);

// The ticket's [features]: every feature item's option keyword, on top of
// the ticket's own choices for features outside the tree.
std::map<std::string, std::string> featuresOf(const std::vector<TreeItem>& items,
                                              const std::map<std::string, std::string>& original);

// The public fields the standard items stand for, written into `devmode`;
// returns the names of the fields it wrote, in ticket order.
std::vector<std::string> applyToDevmode(const std::vector<TreeItem>& items, PublicDevmode& devmode);

// "Name: selection" lines of the visible items, for the host's own page.
std::u16string describeItems(const std::vector<TreeItem>& items, const std::vector<bool>& hidden);

}  // namespace wren::host
