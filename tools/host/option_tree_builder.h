// The core driver's settings tree as the plug-in receives it: one OPTITEM
// per item, each with its OPTTYPE and OPTPARAMs, the feature items with a
// USERDATA (feature number, 8-bit keyword). The storage stays put for the
// whole sheet: the plug-in keeps pointers into it.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/oem_interfaces.h"
#include "preferences_model.h"

namespace wren::host {

// Room of each option's display name, as the core driver allocates it.
inline constexpr std::size_t kOptionNameRoom = 64;

class OptionTreeStorage {
public:
    explicit OptionTreeStorage(const std::vector<TreeItem>& items);
    OptionTreeStorage(const OptionTreeStorage&) = delete;
    OptionTreeStorage& operator=(const OptionTreeStorage&) = delete;

    OPTITEM* items() { return items_.data(); }
    DWORD count() const { return static_cast<DWORD>(items_.size()); }
    // The position of an OPTITEM of this tree, else -1.
    int indexOf(const void* item) const;

    // Whether a selection is one the item can take.
    bool validSel(std::size_t index, LONG sel) const;
    // The items' current selections back into the model.
    void readBack(std::vector<TreeItem>& model) const;
    std::vector<bool> hidden() const;

private:
    struct Item {
        OPTTYPE type{};
        std::vector<OPTPARAM> params;
        std::vector<std::unique_ptr<wchar_t[]>> names;
        std::wstring name;
        std::string keyword;
        USERDATA user{};
    };
    std::vector<OPTITEM> items_;
    std::deque<Item> parts_;  // stable addresses
};

}  // namespace wren::host
