#include "ps/inject/number_format.h"

#include <cstdio>
#include <cstdlib>

namespace wren {

std::string ratioText(std::int32_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%04d", static_cast<int>(value / 10000), static_cast<int>(value % 10000));
    return text;
}

std::string fixedTwoPlaces(std::int32_t hundredths) {
    const long long magnitude = std::llabs(static_cast<long long>(hundredths));
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", hundredths < 0 ? "-" : "", magnitude / 100, magnitude % 100);
    return text;
}

std::int32_t offsetInPointHundredths(std::int32_t tenthsMm, int sign) {
    double v = tenthsMm * (72.0 * sign) / 0.254;
    const bool positive = tenthsMm > 0;
    // Rounds away from zero on the side the offset points to.
    if (sign > 0) v += positive ? 5 : -5;
    else v += positive ? -5 : 5;
    return static_cast<std::int32_t>(v) / 10;
}

}  // namespace wren
