#include "ps/job/fit_to_paper.h"

#include <cmath>
#include <limits>

namespace wren {
namespace {

// Twice the printer's margin of 13/72 inch, in millimetres.
constexpr double kMarginsMm = 9.172222222222222;
constexpr double kMarginsTenths = 91.72222222222223;
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

bool inFitRange(std::int64_t side) { return side >= kFitMinPaperTenths && side <= kFitMaxPaperTenths; }

// The core driver reads these metrics as positive 32-bit values (LONG or
// ULONG); anything else would wrap or mean nothing to it.
bool positive32(std::int64_t value) { return value > 0 && value <= kInt32Max; }

// trunc(value) when it is a number within [min, INT32_MAX].
std::optional<std::int64_t> truncated32(double value, std::int64_t min) {
    const double t = std::trunc(value);
    if (!(t >= static_cast<double>(min) && t <= static_cast<double>(kInt32Max))) return std::nullopt;
    return static_cast<std::int64_t>(t);
}

}  // namespace

bool fitSizesSane(const FitInput& in) {
    return inFitRange(in.documentWidth) && inFitRange(in.documentLength) && inFitRange(in.outputWidth) &&
           inFitRange(in.outputLength);
}

std::optional<FitScale> fitScale(const FitInput& in) {
    if (in.paperSize == kCustomPaperSize || !fitSizesSane(in)) return std::nullopt;
    // Within the fit range every side is wider than its margins, so both
    // ratios are positive and finite.
    const double e = (in.outputWidth / 10.0 - kMarginsMm) / (in.documentWidth / 10.0 - kMarginsMm);
    const double c = (in.outputLength / 10.0 - kMarginsMm) / (in.documentLength / 10.0 - kMarginsMm);
    // The smaller ratio wins; on a tie the length ratio is used.
    if (c <= e) return FitScale{c, true};
    return FitScale{e, false};
}

std::optional<std::uint32_t> applyFit(const FitInput& in, const FitScale& scale, DeviceMetrics& m) {
    const double k = scale.k;
    if (!fitSizesSane(in) || !(k > 0) || !std::isfinite(k)) return std::nullopt;
    const bool byLength = scale.byLength;
    const std::int64_t W = in.documentWidth;
    const std::int64_t L = in.documentLength;
    const bool portrait = in.orientation == 1;

    // A resolution that truncates to 0 would make every size below 0.
    const std::optional<std::int64_t> scaledDpi = truncated32((byLength ? m.logPixelsX : m.logPixelsY) * k, 1);
    if (!scaledDpi) return std::nullopt;
    const std::int64_t dpi = *scaledDpi;

    // dpi < 2^31 and sides < 2^15: every product below stays under 2^53.
    std::int64_t cx = 0, cy = 0;
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

    const std::int64_t q = std::int64_t{m.logPixelsX} * 13 / 72;
    const std::optional<std::int64_t> margin = truncated32(static_cast<double>(q) * k, 0);
    const std::optional<std::int64_t> stored = truncated32(k * 1000, 1);
    if (!margin || !stored) return std::nullopt;
    const std::int64_t horzRes = cx - 2 * *margin;
    const std::int64_t vertRes = cy - 2 * *margin;
    if (!positive32(cx) || !positive32(cy) || !positive32(horzRes) || !positive32(vertRes)) return std::nullopt;

    // Within the fit range both are at least 16 millimetres.
    const auto widthMm = static_cast<std::uint32_t>(static_cast<std::int64_t>(W - kMarginsTenths) / 10);
    const auto lengthMm = static_cast<std::uint32_t>(static_cast<std::int64_t>(L - kMarginsTenths) / 10);

    m.logPixelsX = m.logPixelsY = static_cast<std::uint32_t>(dpi);
    m.physWidth = static_cast<std::int32_t>(cx);
    m.physHeight = static_cast<std::int32_t>(cy);
    m.horzSize = portrait ? widthMm : lengthMm;
    m.vertSize = portrait ? lengthMm : widthMm;
    m.offsetX = m.offsetY = static_cast<std::int32_t>(*margin);
    m.horzRes = static_cast<std::uint32_t>(horzRes);
    m.vertRes = static_cast<std::uint32_t>(vertRes);
    return static_cast<std::uint32_t>(*stored);
}

bool fitDeviceToPaper(PrivateRecord& record, const PublicDevmode& devmode, DeviceMetrics& metrics) {
    // Whatever the record arrived with, a device that is not scaled reports
    // the unscaled value: the watermark sizes its font by it.
    record.fitScale = kUnscaled;
    if (record.fitToPaper == 0) return false;
    FitInput in;
    in.documentWidth = record.documentPaperWidth;
    in.documentLength = record.documentPaperLength;
    in.outputWidth = devmode.dmPaperWidth;
    in.outputLength = devmode.dmPaperLength;
    in.paperSize = devmode.dmPaperSize;
    in.orientation = devmode.dmOrientation;
    const std::optional<FitScale> scale = fitScale(in);
    if (!scale) return false;
    const std::optional<std::uint32_t> stored = applyFit(in, *scale, metrics);
    if (!stored) return false;
    record.fitScale = *stored;
    return true;
}

}  // namespace wren
