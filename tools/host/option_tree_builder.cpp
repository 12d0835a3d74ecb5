#include "option_tree_builder.h"

#include <cwchar>

namespace wren::host {
namespace {

BYTE typeOf(ItemControl control) {
    switch (control) {
    case ItemControl::List: return TVOT_LISTBOX;
    case ItemControl::Combo: return TVOT_COMBOBOX;
    case ItemControl::UpDown: return TVOT_UDARROW;
    }
    return TVOT_LISTBOX;
}

std::unique_ptr<wchar_t[]> nameBuffer(const std::u16string& text) {
    auto buffer = std::make_unique<wchar_t[]>(kOptionNameRoom);
    std::size_t n = text.size() < kOptionNameRoom - 1 ? text.size() : kOptionNameRoom - 1;
    for (std::size_t i = 0; i < n; ++i) buffer[i] = static_cast<wchar_t>(text[i]);
    buffer[n] = L'\0';
    return buffer;
}

}  // namespace

OptionTreeStorage::OptionTreeStorage(const std::vector<TreeItem>& model) {
    items_.resize(model.size());
    for (std::size_t i = 0; i < model.size(); ++i) {
        const TreeItem& m = model[i];
        Item& part = parts_.emplace_back();
        part.name.assign(m.name.begin(), m.name.end());
        part.keyword = m.keyword;
        if (m.control == ItemControl::UpDown) {
            // [0] the unit text; [1] IconID = lower bound, lParam = upper bound.
            part.params.resize(2);
            part.names.push_back(nameBuffer(u""));
            part.params[0].pData = part.names[0].get();
            part.params[1].IconID = static_cast<ULONG_PTR>(m.lower);
            part.params[1].lParam = m.upper;
        } else {
            part.params.resize(m.options.size());
            for (std::size_t o = 0; o < m.options.size(); ++o) {
                part.names.push_back(nameBuffer(m.options[o]));
                part.params[o].pData = part.names.back().get();
            }
        }
        for (OPTPARAM& p : part.params) p.cbSize = sizeof(OPTPARAM);
        part.type.cbSize = sizeof(OPTTYPE);
        part.type.Type = typeOf(m.control);
        part.type.Count = static_cast<WORD>(part.params.size());
        part.type.pOptParam = part.params.data();

        OPTITEM& item = items_[i];
        item.cbSize = sizeof(OPTITEM);
        item.Level = 1;
        item.pName = m.nameResource ? reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(m.nameResource))
                                    : part.name.data();
        item.Sel = m.sel;
        item.pOptType = &part.type;
        item.DMPubID = m.dmPubId;
        if (!m.keyword.empty()) {
            part.user.dwSize = sizeof(USERDATA);
            part.user.dwItemID = m.featureNumber;
            part.user.pKeyWordName = part.keyword.data();
            item.UserData = reinterpret_cast<ULONG_PTR>(&part.user);
        }
    }
}

int OptionTreeStorage::indexOf(const void* item) const {
    const auto* p = static_cast<const OPTITEM*>(item);
    if (items_.empty() || p < items_.data() || p >= items_.data() + items_.size()) return -1;
    return static_cast<int>(p - items_.data());
}

bool OptionTreeStorage::validSel(std::size_t index, LONG sel) const {
    const OPTITEM& item = items_[index];
    const OPTTYPE& type = *item.pOptType;
    if (type.Type == TVOT_UDARROW)
        return sel >= static_cast<LONG>(type.pOptParam[1].IconID) && sel <= type.pOptParam[1].lParam;
    return sel >= 0 && sel < static_cast<LONG>(type.Count);
}

void OptionTreeStorage::readBack(std::vector<TreeItem>& model) const {
    for (std::size_t i = 0; i < model.size() && i < items_.size(); ++i) {
        if (validSel(i, items_[i].Sel)) model[i].sel = items_[i].Sel;
        // The plug-in may raise an up-down item's bound (copies to 999).
        if (model[i].control == ItemControl::UpDown) model[i].upper = static_cast<std::int32_t>(items_[i].pOptType->pOptParam[1].lParam);
    }
}

std::vector<bool> OptionTreeStorage::hidden() const {
    std::vector<bool> h;
    for (const OPTITEM& item : items_) h.push_back((item.Flags & OPTIF_HIDE) != 0);
    return h;
}

}  // namespace wren::host
