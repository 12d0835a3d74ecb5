// The numbers of the watermark definition that depend on the page: the
// angle and fine adjustment turned with the orientation, the sine and
// cosine the printer takes as integers, and the size fitted to the paper.
#pragma once

#include <array>
#include <cstdint>

#include "common/settings/private_record.h"

namespace wren {

// sin(i degrees) x 10000, to the nearest integer, for i = 0..90.
inline constexpr std::array<std::int16_t, 91> kWatermarkSine = {
    0,    175,  349,  523,  698,  872,  1045, 1219, 1392, 1564, 1736, 1908, 2079, 2250, 2419, 2588,
    2756, 2924, 3090, 3256, 3420, 3584, 3746, 3907, 4067, 4226, 4384, 4540, 4695, 4848, 5000, 5150,
    5299, 5446, 5592, 5736, 5878, 6018, 6157, 6293, 6428, 6561, 6691, 6820, 6947, 7071, 7193, 7314,
    7431, 7547, 7660, 7771, 7880, 7986, 8090, 8192, 8290, 8387, 8480, 8572, 8660, 8746, 8829, 8910,
    8988, 9063, 9135, 9205, 9272, 9336, 9397, 9455, 9511, 9563, 9613, 9659, 9703, 9744, 9781, 9816,
    9848, 9877, 9903, 9925, 9945, 9962, 9976, 9986, 9994, 9998, 10000};

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
