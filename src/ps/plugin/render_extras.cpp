#include "ps/plugin/render_extras.h"

#include "ps/overlay/overlay_emission.h"
#include "ps/plugin/ps_module.h"
#include "ps/watermark/watermark_emission.h"

namespace wren::ps {

RenderExtras::RenderExtras() : templates_(psModule().module) {}

void RenderExtras::overlayProcedureSets(RenderContext& ctx) { writeOverlayProcedureSets(ctx); }

void RenderExtras::overlayFormDictionary(RenderContext& ctx) { writeOverlayFormDictionary(ctx); }

bool RenderExtras::watermarkDefinition(RenderContext& ctx) { return writeWatermarkDefinition(ctx, templates_); }

bool RenderExtras::watermarkPage(RenderContext& ctx) { return writeWatermarkPage(ctx, templates_); }

}  // namespace wren::ps
