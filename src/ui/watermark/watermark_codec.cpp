#include "ui/watermark/watermark_codec.h"

#include <cstdint>

namespace wren::ui {
namespace {

bool isSeparator(char16_t c) { return c == u',' || c == u';'; }

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// A cursor over one value. Once a field has ended at ";" (or the value is
// used up) every further field reads as empty.
class FieldReader {
public:
    explicit FieldReader(std::u16string_view value) : rest_(value) {}

    // Decimal digits accumulate, a "-" anywhere negates, "0x" switches the
    // rest of the field to hexadecimal, anything else is ignored. Wraps
    // like the 32-bit field it fills.
    std::uint32_t number() {
        std::uint32_t v = 0;
        bool negative = false, hex = false;
        while (!rest_.empty() && !isSeparator(rest_.front())) {
            const char16_t c = take();
            if (c == u'-') {
                negative = true;
            } else if (hex) {
                if (int d = hexDigit(c); d >= 0) v = v * 16 + std::uint32_t(d);
            } else if (c >= u'0' && c <= u'9') {
                v = v * 10 + std::uint32_t(c - u'0');
                if (c == u'0' && !rest_.empty() && (rest_.front() == u'x' || rest_.front() == u'X')) {
                    take();
                    hex = true;
                }
            }
        }
        endField();
        return negative ? 0u - v : v;
    }

    // Up to an unescaped separator; "\" takes the next character as it is.
    std::u16string text(std::size_t maxChars) {
        std::u16string out;
        while (!rest_.empty() && !isSeparator(rest_.front())) {
            char16_t c = take();
            if (c == u'\\') {
                if (rest_.empty()) break;
                c = take();
            }
            if (out.size() < maxChars) out.push_back(c);
        }
        endField();
        return out;
    }

    // Up to a separator, as it stands.
    std::u16string plain(std::size_t maxChars) {
        std::u16string out;
        while (!rest_.empty() && !isSeparator(rest_.front())) {
            const char16_t c = take();
            if (out.size() < maxChars) out.push_back(c);
        }
        endField();
        return out;
    }

private:
    char16_t take() {
        const char16_t c = rest_.front();
        rest_.remove_prefix(1);
        return c;
    }
    void endField() {
        if (rest_.empty()) return;
        if (rest_.front() == u';') rest_ = {};  // the record ends here
        else rest_.remove_prefix(1);
    }

    std::u16string_view rest_;
};

void appendDecimal(std::u16string& out, long long v) { out += DecimalText(v); }

}  // namespace

std::u16string EscapeWatermarkText(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        if (c == u'\\' || c == u',' || c == u';') out.push_back(u'\\');
        out.push_back(c);
    }
    return out;
}

std::u16string FormatWatermarkValue(const WatermarkRecord& r) {
    std::u16string out;
    const auto field = [&out](long long v) {
        appendDecimal(out, v);
        out.push_back(u',');
    };
    field(r.size);
    field(r.fontIndex);
    field(r.angle);
    field(r.offsetX);
    field(r.offsetY);
    field(r.color);
    out += EscapeWatermarkText(r.textValue());
    out.push_back(u',');
    out += r.fontNameValue();
    out.push_back(u',');
    field(r.weight);
    field(r.italic);
    field(r.charSet);
    field(r.position);
    field(r.border);
    field(r.inBackground);
    field(r.firstPageOnly);
    appendDecimal(out, r.styleCode);
    return out;
}

WatermarkRecord ParseWatermarkValue(std::u16string_view value) {
    FieldReader in(value);
    WatermarkRecord r;
    r.size = std::int32_t(in.number());
    r.fontIndex = std::int32_t(in.number());
    r.angle = std::int16_t(in.number());
    r.offsetX = std::int32_t(in.number());
    r.offsetY = std::int32_t(in.number());
    r.color = in.number();
    r.setText(in.text(kWatermarkTextChars));
    r.setFontName(in.plain(kWatermarkFontNameChars));
    r.weight = std::int32_t(in.number());
    r.italic = std::uint8_t(in.number());
    r.charSet = std::uint8_t(in.number());
    r.position = std::uint16_t(in.number() & 0xFF);
    r.border = std::uint16_t(in.number() & 0xFF);
    r.inBackground = std::uint16_t(in.number() & 0xFF);
    r.firstPageOnly = std::uint8_t(in.number());
    r.styleCode = std::uint16_t(in.number());
    return r;
}

}  // namespace wren::ui
