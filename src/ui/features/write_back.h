// Hands the pages' working options back to the core driver's items. The
// core driver resolves constraints between features as each one arrives,
// so the order of the write-back decides which option survives a conflict.
#pragma once

#include <cstdint>

#include "common/settings/private_record.h"
#include "ui/features/option_tree.h"
#include "ui/features/sheet_context.h"

namespace wren::ui {

// Sets one core item to `option` through the core driver's update. A hidden
// item is shown for the length of the call (the core driver ignores hidden
// items). When the core driver refuses (0), `option` returns to the item's
// previous selection; the item itself keeps the new one. Returns the core
// driver's result, 0 without a call for an absent item.
std::uint32_t SetCoreItemSelection(OptionTree& tree, std::uint16_t itemIndex, std::int32_t& option,
                                   std::uint32_t mode);

// Writes every kept working option of the document context back, skipping
// absent features.
void WriteBackSelections(SheetContext& context, OptionTree& tree);

// What the record keeps of the core driver's own choices when the sheet is
// applied: whether no special colour space is chosen (special colour
// control off, option 0, or option 4), and the N-up and orientation
// selections of the items the tree has.
void StoreAppliedChoices(const SheetContext& context, const OptionTree& tree, PrivateRecord& record);

}  // namespace wren::ui
