// Connects the core driver's settings tree to the plug-in's pages: finds the
// items the pages edit, records their positions and current options in the
// sheet's context, hides what the pages show instead, attaches the
// plug-in's help, and adjusts the paper-size and media-type option names.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/profile.h"
#include "ui/features/feature_ids.h"
#include "ui/features/option_tree.h"
#include "ui/features/sheet_context.h"

namespace wren::ui {

// The paper-source and media-type items of a document tree, kept with its
// sheet. Each document mapping overwrites both, absent when that tree lacks
// the item, so a position never refers to an earlier tree's array.
struct PaperItems {
    std::uint16_t paperSource = kAbsentItem;
    std::uint16_t mediaType = kAbsentItem;
};

// The model integer "Compression": bit 0 removes the Advanced dialog's
// compression choice.
inline constexpr int kCompressionFixedBit = 0x1;

// Runs once per document tree, right after the context is made.
// `compressionModelValue` is the model's "Compression" integer, `helpFile`
// the plug-in's help file path.
void MapDocumentFeatures(SheetContext& context, OptionTree& tree, const Profile& profile,
                         std::u16string_view pluginIni, int compressionModelValue,
                         std::u16string_view helpFile, PaperItems& paperItems);

// The installable options of the printer tree.
void MapDeviceFeatures(DeviceContext& context, OptionTree& tree, std::u16string_view helpFile);

}  // namespace wren::ui
