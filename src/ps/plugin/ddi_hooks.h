// The graphics DDI functions the plug-in hooks, and the per-device record
// that holds the core driver's own implementation of each.
#pragma once

#include "platform/win32/oem_interfaces.h"

namespace wren::ps {

inline constexpr ULONG kHookCount = 27;

// Our PDEV: the core driver's function for every hook-table slot, in
// hook-table order (null where the core driver does not export it).
struct RenderPdev {
    PFN core[kHookCount];
};

// The table handed to the core driver in EnableDriver.
const DRVFN* hookTable();

// Fills a new RenderPdev from the core driver's own function table.
void bindCoreFunctions(RenderPdev& pdev, const DRVENABLEDATA* coreDriver);

}  // namespace wren::ps
