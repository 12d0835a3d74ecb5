#include "ui/dialogs/fixed_decimal.h"

#include <limits>

namespace wren::ui {
namespace {

constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The magnitude, scaled; false on a stray character or overflow.
bool parseMagnitude(std::u16string_view text, int decimals, std::int64_t limit, std::int64_t& out) {
    std::int64_t value = 0;
    bool point = false;
    int fractionDigits = 0;
    for (char16_t c : text) {
        if (c == u'.') {
            if (point) return false;
            point = true;
            continue;
        }
        if (!isDigit(c)) return false;
        if (point && fractionDigits >= decimals) continue;  // beyond the scale: checked, dropped
        if (point) ++fractionDigits;
        value = value * 10 + (c - u'0');
        if (value > limit) return false;
    }
    for (; fractionDigits < decimals; ++fractionDigits) {
        value *= 10;
        if (value > limit) return false;
    }
    out = value;
    return true;
}

}  // namespace

bool ParseFixedDecimal(std::u16string_view text, int decimals, std::int32_t& value) {
    std::int64_t magnitude = 0;
    if (!parseMagnitude(text, decimals < 0 ? 0 : decimals, kLimit, magnitude)) return false;
    value = std::int32_t(magnitude);
    return true;
}

bool ParseSignedFixedDecimal(std::u16string_view text, int decimals, std::int32_t& value) {
    const bool negative = !text.empty() && text.front() == u'-';
    if (negative) text.remove_prefix(1);
    std::int64_t magnitude = 0;
    if (!parseMagnitude(text, decimals < 0 ? 0 : decimals, negative ? kLimit + 1 : kLimit, magnitude)) return false;
    value = std::int32_t(negative ? -magnitude : magnitude);
    return true;
}

std::u16string FormatFixedDecimal(std::int32_t value, int decimals) {
    if (value == 0) return u"0";
    if (decimals < 0) decimals = 0;
    const bool negative = value < 0;
    std::int64_t magnitude = negative ? -std::int64_t(value) : std::int64_t(value);
    // All digits of the value, and at least one before the point.
    std::u16string digits;
    while (magnitude > 0) {
        digits.insert(digits.begin(), char16_t(u'0' + magnitude % 10));
        magnitude /= 10;
    }
    if (digits.size() < std::size_t(decimals) + 1) digits.insert(0, std::size_t(decimals) + 1 - digits.size(), u'0');
    std::u16string text = negative ? u"-" : u"";
    text += digits.substr(0, digits.size() - std::size_t(decimals));
    if (decimals > 0) {
        text += u'.';
        text += digits.substr(digits.size() - std::size_t(decimals));
    }
    return text;
}

}  // namespace wren::ui
