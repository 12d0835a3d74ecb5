// Numbers with a fixed count of decimals, as the numeric edit fields show
// them: the value is kept scaled, 1.25 with 2 decimals is 125.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wren::ui {

// An unsigned number with an optional fraction, scaled by 10^decimals:
// extra fraction digits are dropped, missing ones count as 0, an empty text
// is 0. False (value untouched) for any character but digits and one point,
// and for a value beyond the 32-bit range.
bool ParseFixedDecimal(std::u16string_view text, int decimals, std::int32_t& value);
// The same with an optional leading "-".
bool ParseSignedFixedDecimal(std::u16string_view text, int decimals, std::int32_t& value);

// 12345 with 2 decimals is "123.45", 5 is "0.05", -5 is "-0.05", 0 is "0".
std::u16string FormatFixedDecimal(std::int32_t value, int decimals);

}  // namespace wren::ui
