// Fit to paper: the document is laid out for its own paper and printed on
// the output paper, so the device reports a scaled resolution and the
// document paper's physical size.
#pragma once

#include <cstdint>
#include <optional>

namespace wren {

struct FitInput {
    std::uint32_t documentWidth = 0;   // tenths of a millimetre
    std::uint32_t documentLength = 0;
    std::int32_t outputWidth = 0;      // public DEVMODE, tenths of a millimetre
    std::int32_t outputLength = 0;
    std::int16_t paperSize = 0;
    std::int16_t orientation = 1;      // 1 portrait, 2 landscape
};

// The device metrics that fit to paper rewrites (the GDIINFO members).
struct DeviceMetrics {
    std::uint32_t logPixelsX = 0, logPixelsY = 0;
    std::int32_t physWidth = 0, physHeight = 0;      // szlPhysSize
    std::uint32_t horzSize = 0, vertSize = 0;        // millimetres
    std::int32_t offsetX = 0, offsetY = 0;           // ptlPhysOffset
    std::uint32_t horzRes = 0, vertRes = 0;
};

struct FitScale {
    double k = 1.0;
    bool byLength = true;  // the length ratio decided (it wins ties)
};

// The scale, or nothing when fit to paper cannot apply (a size is not
// positive or the paper is custom).
std::optional<FitScale> fitScale(const FitInput& in);

// Applies the scale to the metrics; returns the scale to store (k x 1000).
std::uint32_t applyFit(const FitInput& in, const FitScale& scale, DeviceMetrics& metrics);

}  // namespace wren
