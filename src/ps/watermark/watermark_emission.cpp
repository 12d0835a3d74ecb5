#include "ps/watermark/watermark_emission.h"

#include <array>
#include <string>

#include "common/settings/record_text.h"
#include "ps/job/render_services.h"
#include "ps/watermark/watermark_geometry.h"

namespace wren {

std::optional<FormattedText> formatWatermarkDefinition(const PrivateRecord& record, const CodePage& codePage,
                                                       std::string_view definitionTemplate) {
    const WatermarkPlacement placed =
        placementForOrientation(record.wmAngle, record.wmOffsetX, record.wmOffsetY, record.orientation);
    const int index = sineIndex(placed.angle);
    const std::string angle = std::to_string(placed.angle);
    const std::string x = std::to_string(placed.x);
    const std::string y = std::to_string(placed.y);
    const std::string colour = readField(record.wmColorText);
    const std::u16string text = readField(record.wmText);
    const std::u16string fontName = readField(record.wmFontName);
    using A = InsertArgument;
    // In the order the template's inserts take them.
    const std::array<InsertArgument, 13> arguments = {
        A::of(watermarkSizeForJob(record)),
        A::of(std::string_view(colour)),
        A::of(std::string_view(angle)),
        A::of(std::uint32_t{record.wmPosition}),
        A::of(std::string_view(x)),
        A::of(std::string_view(y)),
        A::of(std::uint32_t{record.wmBorder}),
        A::of(static_cast<std::uint32_t>(kWatermarkSine[static_cast<std::size_t>(index)])),
        A::of(static_cast<std::uint32_t>(kWatermarkSine[static_cast<std::size_t>(90 - index)])),
        A::of(std::uint32_t{record.wmInBackground}),
        A::of(std::uint32_t{record.wmFirstPageOnly}),
        A::of(std::uint32_t{record.wmStyleCode}),
        A::of(std::uint32_t{record.orientation}),
    };
    return formatTemplate({definitionTemplate, {text, fontName}, arguments, codePage});
}

PostScriptTemplate watermarkPageTemplate(const PrivateRecord& record) {
    return record.wmInBackground != 0 ? PostScriptTemplate::WatermarkBackground
                                      : PostScriptTemplate::WatermarkForeground;
}

bool writeWatermarkDefinition(RenderContext& ctx, const TemplateSource& templates) {
    const std::optional<std::string_view> definition = templates.bytes(PostScriptTemplate::WatermarkDefinition);
    if (!definition) return true;
    const std::optional<FormattedText> text = formatWatermarkDefinition(ctx.record, ctx.ports.codePage, *definition);
    if (!text) return true;
    return writeToStream(ctx, text->view());
}

bool writeWatermarkPage(RenderContext& ctx, const TemplateSource& templates) {
    const std::optional<std::string_view> call = templates.bytes(watermarkPageTemplate(ctx.record));
    if (!call) return true;
    return writeToStream(ctx, *call);
}

}  // namespace wren
