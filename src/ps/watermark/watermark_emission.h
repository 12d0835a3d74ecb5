// What the plug-in writes for a watermark: once per job the definition
// that hands every parameter to the printer's init_watermark, and on each
// page the call that draws it behind the page or arms it over the page.
#pragma once

#include <optional>
#include <string_view>

#include "common/settings/private_record.h"
#include "platform/codepage.h"
#include "ps/job/render_context.h"
#include "ps/watermark/insert_formatter.h"
#include "ps/watermark/template_source.h"

namespace wren {

// The definition template filled in from the record; nothing when the
// buffer cannot be had.
std::optional<FormattedText> formatWatermarkDefinition(const PrivateRecord& record, const CodePage& codePage,
                                                       std::string_view definitionTemplate);

// The template for each page: draw_watermark behind the page, getwmmatrix
// over it.
PostScriptTemplate watermarkPageTemplate(const PrivateRecord& record);

// Both write nothing and report success when the template is missing or
// the buffer cannot be had (the job prints without its watermark);
// otherwise the result is whether the core driver took every byte.
bool writeWatermarkDefinition(RenderContext& ctx, const TemplateSource& templates);
bool writeWatermarkPage(RenderContext& ctx, const TemplateSource& templates);

}  // namespace wren
