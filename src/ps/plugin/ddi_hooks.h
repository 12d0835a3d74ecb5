// The graphics DDI functions the plug-in hooks; each device's PDEV holds the
// core driver's own implementation of each.
#pragma once

#include "ps/plugin/render_pdev.h"

namespace wren::ps {

// The table handed to the core driver in EnableDriver.
const DRVFN* hookTable();

// Fills a new RenderPdev from the core driver's own function table.
void bindCoreFunctions(RenderPdev& pdev, const DRVENABLEDATA* coreDriver);

}  // namespace wren::ps
