// Port: the core driver's option items (its OPTITEM array) as the feature
// mapping and the pages see them. The Win32 side wraps the array, the
// OEMUIOBJ and the plug-in heap; tests use an in-memory tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wren::ui {

// OPTITEM.Flags and OPTPARAM.Flags bits the plug-in uses.
inline constexpr std::uint32_t kItemCollapse = 0x0001;     // OPTIF_COLLAPSE
inline constexpr std::uint32_t kItemHide = 0x0002;         // OPTIF_HIDE
inline constexpr std::uint32_t kItemCallback = 0x0004;     // OPTIF_CALLBACK
inline constexpr std::uint32_t kItemChanged = 0x0008;      // OPTIF_CHANGED
inline constexpr std::uint32_t kItemPolymorphic = 0x10000; // OPTIF_HAS_POLYMORPHIC
inline constexpr std::uint8_t kOptionHide = 0x01;          // OPTPF_HIDE

// Which properties an update belongs to (DrvUpdateUISetting's mode).
inline constexpr std::uint32_t kDocumentMode = 1;  // OEMCUIP_DOCPROP
inline constexpr std::uint32_t kPrinterMode = 2;   // OEMCUIP_PRNPROP

class OptionTree {
public:
    virtual ~OptionTree() = default;
    virtual std::size_t size() const = 0;

    // How an item is recognised.
    virtual std::uint8_t dmPubId(std::size_t item) const = 0;
    // The string resource number when the item's name is one, else nothing.
    virtual std::optional<std::uint32_t> nameResource(std::size_t item) const = 0;
    // The 8-bit feature keyword the core driver keeps with a feature item
    // (read within its terminator); empty when the item has none.
    virtual std::string_view keyword(std::size_t item) const = 0;
    // The core driver's feature number, when the item carries one.
    virtual std::optional<std::uintptr_t> featureNumber(std::size_t item) const = 0;

    virtual std::int32_t sel(std::size_t item) const = 0;
    virtual void setSel(std::size_t item, std::int32_t sel) = 0;
    virtual std::uint32_t flags(std::size_t item) const = 0;
    virtual void setFlags(std::size_t item, std::uint32_t flags) = 0;
    virtual void setUserItemId(std::size_t item, std::uint8_t id) = 0;

    // Help: one extension per mapping run, naming the help file; false when
    // it cannot be had (the items then get no help and nothing else changes).
    virtual bool makeHelpExtension(std::u16string_view helpFile) = 0;
    // Attaches the extension made last, the topic and OPTIF_HAS_POLYMORPHIC.
    virtual void attachHelp(std::size_t item, std::uint32_t topic) = 0;

    // The item's options (OPTTYPE's OPTPARAMs).
    virtual std::size_t optionCount(std::size_t item) const = 0;
    virtual std::u16string optionName(std::size_t item, std::size_t option) const = 0;
    // Writes a display name within the room the core driver gave it; a
    // longer name is cut at that room, never written past it.
    virtual void setOptionName(std::size_t item, std::size_t option, std::u16string_view name) = 0;
    virtual std::uint8_t optionFlags(std::size_t item, std::size_t option) const = 0;
    virtual void setOptionFlags(std::size_t item, std::size_t option, std::uint8_t flags) = 0;

    // Numeric items (copies, scale): the up-down bounds.
    virtual std::int32_t lowerBound(std::size_t item) const = 0;
    virtual std::int32_t upperBound(std::size_t item) const = 0;
    virtual void setUpperBound(std::size_t item, std::int32_t upper) = 0;

    // The core driver's DrvUpdateUISetting for the item as it stands now;
    // its result (0: refused).
    virtual std::uint32_t updateSetting(std::size_t item, std::int32_t previousSel, std::uint32_t mode) = 0;
};

}  // namespace wren::ui
