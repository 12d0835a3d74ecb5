#include "ps/job/fit_to_paper.h"

#include "common/settings/public_devmode.h"

namespace wren {
namespace {

// Twice the printer's margin of 13/72 inch, in millimetres.
constexpr double kMarginsMm = 9.172222222222222;
constexpr double kMarginsTenths = 91.72222222222223;

}  // namespace

std::optional<FitScale> fitScale(const FitInput& in) {
    if (in.documentWidth == 0 || in.documentLength == 0 || in.outputWidth <= 0 || in.outputLength <= 0 ||
        in.paperSize == kCustomPaperSize)
        return std::nullopt;
    const double e = (in.outputWidth / 10.0 - kMarginsMm) / (in.documentWidth / 10.0 - kMarginsMm);
    const double c = (in.outputLength / 10.0 - kMarginsMm) / (in.documentLength / 10.0 - kMarginsMm);
    // Papers smaller than their margins give no usable scale.
    if (!(e > 0) || !(c > 0)) return std::nullopt;
    // The smaller ratio wins; on a tie the length ratio is used.
    if (c <= e) return FitScale{c, true};
    return FitScale{e, false};
}

std::uint32_t applyFit(const FitInput& in, const FitScale& scale, DeviceMetrics& m) {
    const double k = scale.k;
    const bool byLength = scale.byLength;
    const std::uint32_t W = in.documentWidth;
    const std::uint32_t L = in.documentLength;
    const bool portrait = in.orientation == 1;
    const std::uint32_t originalDpi = m.logPixelsX;

    const auto dpi = static_cast<std::uint32_t>((byLength ? m.logPixelsX : m.logPixelsY) * k);
    m.logPixelsX = m.logPixelsY = dpi;

    std::uint32_t cx = 0, cy = 0;
    if (byLength) {
        if (portrait) {
            cx = dpi * W / 254;
            cy = L * cx / W;
        } else {
            cy = dpi * W / 254;
            cx = L * cy / W;
        }
    } else {
        if (portrait) {
            cy = dpi * L / 254;
            cx = W * cy / L;
        } else {
            cx = dpi * L / 254;
            cy = W * cx / L;
        }
    }
    m.physWidth = static_cast<std::int32_t>(cx);
    m.physHeight = static_cast<std::int32_t>(cy);

    const auto widthMm = static_cast<std::uint32_t>(static_cast<std::int64_t>(W - kMarginsTenths) / 10);
    const auto lengthMm = static_cast<std::uint32_t>(static_cast<std::int64_t>(L - kMarginsTenths) / 10);
    m.horzSize = portrait ? widthMm : lengthMm;
    m.vertSize = portrait ? lengthMm : widthMm;

    const std::uint32_t q = originalDpi * 13 / 72;
    const auto margin = static_cast<std::uint32_t>(q * k);
    m.offsetX = m.offsetY = static_cast<std::int32_t>(margin);
    m.horzRes = cx - 2 * margin;
    m.vertRes = cy - 2 * margin;
    return static_cast<std::uint32_t>(k * 1000);
}

}  // namespace wren
