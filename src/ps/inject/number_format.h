// The number formats of the printer's globaldict entries. Each is total: a
// record that skipped the merge's range checks may hold any value, and every
// value gives a well-formed PostScript number with its exact value (the
// merge, not the formatter, decides what is sensible).
#pragma once

#include <cstdint>
#include <string>

namespace wren {

// Ten-thousandths as "%d.%04d" of the magnitude, with a leading "-" for a
// negative value: 10000 → "1.0000", 9950 → "0.9950", -5 → "-0.0005".
std::string ratioText(std::int32_t tenThousandths);
// Hundredths with exactly two places: -5 → "-0.05", 150 → "1.50".
std::string fixedTwoPlaces(std::int64_t hundredths);
// A position offset in tenths of a millimetre as hundredths of a point,
// rounded half away from zero. `sign` is +1 for X and -1 for Y (the page's
// Y axis runs the other way); any other value counts by its sign. Every
// 32-bit offset fits the result (at most about 6.1e10 in magnitude).
std::int64_t offsetInPointHundredths(std::int32_t tenthsMm, int sign);

}  // namespace wren
