// The core driver's settings tree (its OPTITEM array in OEMCUIPPARAM) behind
// the OptionTree port, and the one item the plug-in adds to the printer
// tree. Everything the plug-in hangs on the core driver's items comes from
// the plug-in heap the core driver gave, so it lives exactly as long as the
// items that point at it.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/oem_interfaces.h"
#include "ui/features/option_tree.h"

namespace wren::ui {

class OptItemTree final : public OptionTree {
public:
    // `helper` may be null: updates then go through the OEMUIOBJ's
    // procedures alone.
    OptItemTree(POEMCUIPPARAM param, IPrintOemDriverUI* helper) : param_(param), helper_(helper) {}

    std::size_t size() const override;
    std::uint8_t dmPubId(std::size_t item) const override;
    std::optional<std::uint32_t> nameResource(std::size_t item) const override;
    std::string_view keyword(std::size_t item) const override;
    std::optional<std::uintptr_t> featureNumber(std::size_t item) const override;

    std::int32_t sel(std::size_t item) const override;
    void setSel(std::size_t item, std::int32_t sel) override;
    std::uint32_t flags(std::size_t item) const override;
    void setFlags(std::size_t item, std::uint32_t flags) override;
    void setUserItemId(std::size_t item, std::uint8_t id) override;

    bool makeHelpExtension(std::u16string_view helpFile) override;
    void attachHelp(std::size_t item, std::uint32_t topic) override;

    std::size_t optionCount(std::size_t item) const override;
    std::u16string optionName(std::size_t item, std::size_t option) const override;
    // The core driver does not say how much room an option name has; the
    // only room known to be there is the name it wrote itself, so a new name
    // takes at most that many characters.
    void setOptionName(std::size_t item, std::size_t option, std::u16string_view name) override;
    std::uint8_t optionFlags(std::size_t item, std::size_t option) const override;
    void setOptionFlags(std::size_t item, std::size_t option, std::uint8_t flags) override;

    // Up-down items keep their bounds in the second OPTPARAM: IconID the
    // lower, lParam the upper. Other items report 0.
    std::int32_t lowerBound(std::size_t item) const override;
    std::int32_t upperBound(std::size_t item) const override;
    void setUpperBound(std::size_t item, std::int32_t upper) override;

    std::uint32_t updateSetting(std::size_t item, std::int32_t previousSel, std::uint32_t mode) override;

private:
    OPTITEM* at(std::size_t item) const;
    OPTPARAM* optionAt(std::size_t item, std::size_t option) const;
    OPTPARAM* boundsOf(std::size_t item) const;

    POEMCUIPPARAM param_;
    IPrintOemDriverUI* helper_;
    POIEXT help_ = nullptr;
};

// A zero-filled OIEXT from `heap` naming `helpFile` (a heap copy, wide);
// null when the heap cannot supply it.
POIEXT MakeHelpExtension(HANDLE heap, std::u16string_view helpFile);

// Where the button lies among the printer tree's items, and its name room.
inline constexpr BYTE kQueryButtonItemId = 2;
inline constexpr DWORD kQueryButtonHelpTopic = 2210;
inline constexpr std::size_t kQueryButtonNameChars = 128;
inline constexpr LPARAM kQueryButtonParam = 9999;

// Fills the plug-in's one printer-tree item (param->pOEMOptItems[0]) with the
// automatic option query button. `name` is the button's text in the user's
// language (cut to 127 characters). Without the network option library the
// button is hidden: the query has nothing to ask. A help extension the heap
// cannot supply leaves the button without help; false when the name or the
// option type cannot be allocated, or there is no item to fill.
bool BuildOptionQueryItem(POEMCUIPPARAM param, std::u16string_view name, std::u16string_view helpFile,
                          bool networkOptionLibraryAvailable);

}  // namespace wren::ui
