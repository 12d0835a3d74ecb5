#include "ps/watermark/watermark_geometry.h"

namespace wren {
namespace {

int withinHalfTurn(int angle) {
    if (angle >= -180 && angle <= 180) return angle;
    int turned = (angle + 180) % 360;
    if (turned < 0) turned += 360;
    return turned - 180;
}

}  // namespace

WatermarkPlacement placementForOrientation(int angle, std::int32_t offsetX, std::int32_t offsetY,
                                           std::uint8_t orientation) {
    const std::int64_t x = offsetX, y = offsetY;
    switch (orientation) {
    case 1:
        return {withinHalfTurn(angle < 270 ? angle + 90 : angle - 270), y, -x};
    case 2:
        return {withinHalfTurn(angle + 270 < 180 ? angle + 270 : angle - 90), -y, x};
    default:
        return {withinHalfTurn(angle), x, y};
    }
}

int sineIndex(int angle) {
    const int b = withinHalfTurn(angle);
    if (b < -90) return b + 180;
    if (b < 0) return -b;
    if (b <= 90) return b;
    return 180 - b;
}

std::uint32_t watermarkSizeForJob(const PrivateRecord& record) {
    const std::uint32_t size = static_cast<std::uint32_t>(record.wmSize);
    if (record.fitToPaper == 0) return size;
    const std::uint64_t scaled = (static_cast<std::uint64_t>(record.fitScale) * size + 500) / 1000;
    return static_cast<std::uint32_t>(scaled);
}

}  // namespace wren
