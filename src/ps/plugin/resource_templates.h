// The PostScript templates as resources of type "PS" in the plug-in's own
// module.
#pragma once

#include <windows.h>

#include "ps/watermark/template_source.h"

namespace wren::ps {

class ResourceTemplates final : public TemplateSource {
public:
    explicit ResourceTemplates(HMODULE module) : module_(module) {}
    std::optional<std::string_view> bytes(PostScriptTemplate id) const override;

private:
    HMODULE module_;
};

}  // namespace wren::ps
