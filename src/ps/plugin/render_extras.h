// The parts of a job that other modules of the plug-in write at the core
// driver's injection points.
#pragma once

#include "ps/job/command_dispatch.h"
#include "ps/plugin/resource_templates.h"

namespace wren::ps {

class RenderExtras final : public InjectionExtras {
public:
    RenderExtras();
    void overlayProcedureSets(RenderContext& ctx) override;
    void overlayFormDictionary(RenderContext& ctx) override;
    bool watermarkDefinition(RenderContext& ctx) override;
    bool watermarkPage(RenderContext& ctx) override;

private:
    ResourceTemplates templates_;
};

}  // namespace wren::ps
