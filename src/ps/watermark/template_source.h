// Port: the PostScript templates that the plug-in carries as resources
// (type "PS"). The bytes are handed out exactly as stored, without a
// terminator; they stay valid while the plug-in is loaded.
#pragma once

#include <optional>
#include <string_view>

namespace wren {

enum class PostScriptTemplate : int {
    WatermarkDefinition = 1,  // pushes the parameters and calls init_watermark
    WatermarkBackground = 2,  // calls draw_watermark at each page setup
    WatermarkForeground = 3,  // calls getwmmatrix at each page setup
};

class TemplateSource {
public:
    virtual ~TemplateSource() = default;
    // Nothing when the resource is missing.
    virtual std::optional<std::string_view> bytes(PostScriptTemplate id) const = 0;
};

}  // namespace wren
