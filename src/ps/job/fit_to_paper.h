// Fit to paper: the document is laid out for its own paper and printed on
// the output paper, so the device reports a scaled resolution and the
// document paper's physical size.
//
// The sizes come with the document's DEVMODE and are untrusted: outside the
// range below nothing is scaled at all, and every metric is computed in 64
// bits and checked before it is handed to the core driver.
#pragma once

#include <cstdint>
#include <optional>

#include "common/settings/private_record.h"
#include "common/settings/public_devmode.h"

namespace wren {

// Paper sides that fit to paper scales between, in tenths of a millimetre.
// The lower bound keeps an inch of paper, of which the 13/72-inch margins
// leave two thirds; the upper one is the largest side a DEVMODE can name.
inline constexpr std::int64_t kFitMinPaperTenths = 254;
inline constexpr std::int64_t kFitMaxPaperTenths = 32767;
// The scale a device that is not fitted reports (thousandths).
inline constexpr std::uint32_t kUnscaled = 1000;

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

    friend bool operator==(const DeviceMetrics&, const DeviceMetrics&) = default;
};

struct FitScale {
    double k = 1.0;
    bool byLength = true;  // the length ratio decided (it wins ties)
};

// True when every side lies within the fit range.
bool fitSizesSane(const FitInput& in);

// The scale, or nothing when fit to paper cannot apply (a side outside the
// fit range, or the paper is custom).
std::optional<FitScale> fitScale(const FitInput& in);

// Applies the scale to the metrics and returns the scale to store (k x
// 1000). When any scaled metric would not be a positive value of its type
// (a resolution that truncates to 0, a size that does not fit), the metrics
// are left as they were and nothing is returned.
std::optional<std::uint32_t> applyFit(const FitInput& in, const FitScale& scale, DeviceMetrics& metrics);

// Fit to paper for one device, as EnablePDEV does it: scales the metrics
// when the record asks for it and the sizes allow it, and stores the scale
// in the record (kUnscaled whenever nothing was scaled). True when the
// metrics changed.
bool fitDeviceToPaper(PrivateRecord& record, const PublicDevmode& devmode, DeviceMetrics& metrics);

}  // namespace wren
