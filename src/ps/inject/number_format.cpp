#include "ps/inject/number_format.h"

#include <cstdio>

namespace wren {
namespace {

// The magnitude through unsigned arithmetic: negating the most negative
// value of a signed type is undefined.
std::uint64_t magnitudeOf(std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

std::string signedFixed(std::int64_t value, std::uint64_t scale, int places) {
    const std::uint64_t magnitude = magnitudeOf(value);
    char text[40];
    std::snprintf(text, sizeof text, "%s%llu.%0*llu", value < 0 ? "-" : "",
                  static_cast<unsigned long long>(magnitude / scale), places,
                  static_cast<unsigned long long>(magnitude % scale));
    return text;
}

}  // namespace

std::string ratioText(std::int32_t value) { return signedFixed(value, 10000, 4); }

std::string fixedTwoPlaces(std::int64_t hundredths) { return signedFixed(hundredths, 100, 2); }

std::int64_t offsetInPointHundredths(std::int32_t tenthsMm, int sign) {
    const double direction = sign < 0 ? -1.0 : 1.0;
    // |v| stays below 2^40 for any 32-bit offset: the conversion to 64 bits
    // is exact and defined.
    double v = tenthsMm * (72.0 * direction) / 0.254;
    const bool positive = tenthsMm > 0;
    // Rounds away from zero on the side the offset points to.
    if (direction > 0) v += positive ? 5 : -5;
    else v += positive ? -5 : 5;
    return static_cast<std::int64_t>(v) / 10;
}

}  // namespace wren
