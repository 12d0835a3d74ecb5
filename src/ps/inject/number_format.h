// The number formats of the printer's globaldict entries.
#pragma once

#include <cstdint>
#include <string>

namespace wren {

// Ten-thousandths as "%d.%04d": 10000 → "1.0000", 9950 → "0.9950".
std::string ratioText(std::int32_t tenThousandths);
// Hundredths with exactly two places: -5 → "-0.05", 150 → "1.50".
std::string fixedTwoPlaces(std::int32_t hundredths);
// A position offset in tenths of a millimetre as hundredths of a point,
// rounded half away from zero. `sign` is +1 for X and -1 for Y (the page's
// Y axis runs the other way).
std::int32_t offsetInPointHundredths(std::int32_t tenthsMm, int sign);

}  // namespace wren
