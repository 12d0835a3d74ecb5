// The numbers of the watermark definition that depend on the page: the
// angle and fine adjustment turned with the orientation, the sine and
// cosine the printer takes as integers, and the size fitted to the paper.
#pragma once

#include <array>
#include <cstdint>

#include "common/geometry/sine_table.h"
#include "common/settings/private_record.h"

namespace wren {

// sin(i degrees) x 10000 for i = 0..90, shared with the preview.
inline constexpr const std::array<std::int16_t, 91>& kWatermarkSine = kSineTimes10000;

// Angle (degrees, within -180..180) and position adjustment in the
// printer's unrotated page, for the record's orientation.
struct WatermarkPlacement {
    int angle;
    std::int64_t x;  // wide enough for the negated 32-bit adjustments
    std::int64_t y;
};

// Orientation 0 portrait, 1 landscape, 2 rotated landscape; another value
// is taken as portrait. The turned angle is brought back into -180..180:
// 180 on a landscape page is 270, the same turn as -90.
WatermarkPlacement placementForOrientation(int angle, std::int32_t offsetX, std::int32_t offsetY,
                                           std::uint8_t orientation);

// The entry of kWatermarkSine whose sine is |sin(angle)| and whose
// complement 90 - index gives |cos(angle)|; any angle is accepted.
int sineIndex(int angle);

// The size in points for this job: scaled by the fit-to-paper factor from
// the record's own size every time, so that the record is never changed.
std::uint32_t watermarkSizeForJob(const PrivateRecord& record);

}  // namespace wren
