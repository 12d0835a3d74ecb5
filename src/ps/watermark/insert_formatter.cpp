#include "ps/watermark/insert_formatter.h"

#include <charconv>
#include <new>
#include <string>

#include "ps/watermark/postscript_text.h"

namespace wren {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Counts every byte, stores those that fit.
class Output {
public:
    Output(char* out, std::size_t capacity) : out_(out), capacity_(out ? capacity : 0) {}
    void put(char c) {
        if (length_ < capacity_) out_[length_] = c;
        ++length_;
    }
    void put(std::string_view s) {
        for (char c : s) put(c);
    }
    std::size_t length() const { return length_; }

private:
    char* out_;
    std::size_t capacity_;
    std::size_t length_ = 0;
};

// Hands out the arguments strictly in order; a missing one or one of the
// other kind gives nothing.
class Arguments {
public:
    explicit Arguments(std::span<const InsertArgument> list) : list_(list) {}
    const InsertArgument* next(InsertArgument::Kind kind) {
        if (index_ >= list_.size()) return nullptr;
        const InsertArgument& a = list_[index_++];
        return a.kind == kind ? &a : nullptr;
    }

private:
    std::span<const InsertArgument> list_;
    std::size_t index_ = 0;
};

void putUnsigned(Output& out, std::uint32_t value) {
    char digits[16];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    out.put(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void putWideString(Output& out, const InsertInput& input, char digit) {
    const bool isText = digit == '1';
    std::string ansi =
        input.codePage.toAnsi(isText ? input.strings.text : input.strings.fontName, kInsertAnsiBytes);
    if (ansi.size() >= kInsertAnsiBytes) ansi.resize(kInsertAnsiBytes - 1);  // a port that overfills
    out.put(isText ? escapePostScriptText(ansi) : ansi);
}

}  // namespace

std::size_t formatInserts(const InsertInput& input, char* out, std::size_t capacity) {
    const std::string_view t = input.templateBytes;
    Output output(out, capacity);
    Arguments arguments(input.arguments);
    std::size_t i = 0;
    while (i < t.size()) {
        const char c = t[i];
        if (c != '%') {
            output.put(c);
            ++i;
            continue;
        }
        if (i + 1 >= t.size()) break;  // a lone "%" at the end is dropped
        const char digit = t[i + 1];
        if (!isDigit(digit)) {
            output.put(digit);
            i += 2;
            continue;
        }
        // "%n!x!" only when the whole form lies inside the template.
        if (i + 4 < t.size() && t[i + 2] == '!' && t[i + 4] == '!') {
            const char kind = t[i + 3];
            if (kind == 'd' || kind == 'D') {
                if (const InsertArgument* a = arguments.next(InsertArgument::Kind::Number)) putUnsigned(output, a->number);
            } else if (kind == 'S') {
                putWideString(output, input, digit);
            }
            i += 5;
            continue;
        }
        // The argument is a C string: it ends at its first NUL.
        if (const InsertArgument* a = arguments.next(InsertArgument::Kind::Text))
            output.put(a->text.substr(0, a->text.find('\0')));
        i += 2;
    }
    return output.length();
}

std::optional<FormattedText> formatTemplate(const InsertInput& input) {
    const std::size_t length = formatInserts(input, nullptr, 0);
    FormattedText text;
    text.bytes.reset(new (std::nothrow) char[length + 1]);
    if (!text.bytes) return std::nullopt;
    text.length = formatInserts(input, text.bytes.get(), length);
    text.bytes[length] = '\0';
    return text;
}

}  // namespace wren
