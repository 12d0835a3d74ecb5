// Which of the core driver's option items the plug-in takes over, and what
// it does with each: the items by public DEVMODE role, by the core driver's
// string number, and by printer-description keyword, for the document tree
// and for the printer tree's installable options.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "ui/features/feature_ids.h"

namespace wren::ui {

// What a matching item leaves in its slot.
enum class Kept : std::uint8_t {
    Nothing,         // the item only gets help
    Index,           // its position
    IndexAndOption,  // its position and its current Sel as the working option
};

// Items the plug-in's own logic treats further, beyond keeping a slot.
enum class RoleExtra : std::uint8_t {
    None,
    PaperSource,     // position kept process-wide, not in the context
    MediaType,       // position kept process-wide; user media type names
    PaperNames,      // listed paper names are hidden
};

inline constexpr std::uint32_t kNoHelpTopic = 0;

// Document tree, by DMPubID.
struct RoleRow {
    std::uint8_t dmPubId;
    std::optional<Feature> feature;  // none: kept outside the context
    Kept kept;
    bool hidden;
    RoleExtra extra;
};

// Document tree, by the core driver's string number as the item's name.
struct NamedRow {
    std::uint32_t nameResource;
    Feature feature;
    Kept kept;
    bool hidden;
};

// Document tree, by keyword.
struct KeywordRow {
    std::string_view keyword;
    std::uint32_t helpTopic;                // kNoHelpTopic: no help
    std::optional<std::uint8_t> userItemId;
    std::optional<Feature> feature;         // none with Kept::Nothing
    Kept kept;
    bool hidden;
};

// Printer tree, by string number.
struct DeviceNamedRow {
    std::uint32_t nameResource;
    std::optional<DeviceFeature> feature;  // none: the item is only collapsed
    bool collapse;
};

// Printer tree, by keyword. Every row gets the help extension, even one
// without a topic: the installed-options logic finds these items by their
// UserItemID.
struct DeviceKeywordRow {
    std::string_view keyword;
    std::uint32_t helpTopic;
    std::uint8_t userItemId;
    std::optional<DeviceFeature> feature;
};

// DMPubID values that are neither mapped nor looked at by keyword.
bool IsUnmappedRole(std::uint8_t dmPubId);
const RoleRow* FindRole(std::uint8_t dmPubId);

std::span<const NamedRow> DocumentNamedItems();
std::span<const KeywordRow> DocumentKeywords();
std::span<const DeviceNamedRow> DeviceNamedItems();
std::span<const DeviceKeywordRow> DeviceKeywords();

// The item of this core driver feature number gets its own position as
// UserItemID.
inline constexpr std::uintptr_t kFeatureNumber25 = 25;

}  // namespace wren::ui
