#include "ui/pages/page_text.h"

#include <cstring>

namespace wren::ui {

std::string featureOption(const DriverSettings& settings, const char* keyword) {
    SettingBuffer buffer{};
    if (!settings.feature(keyword, buffer)) return {};
    const char* text = reinterpret_cast<const char*>(buffer.data());
    return std::string(text, strnlen(text, buffer.size()));
}

std::u16string formatNumbers(std::u16string_view format, std::initializer_list<long> values) {
    std::u16string out;
    auto next = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size()) {
            if (format[i + 1] == u'%') {
                out.push_back(u'%');
                ++i;
                continue;
            }
            if (format[i + 1] == u'd' && next != values.end()) {
                out += asciiToU16(std::to_string(*next++));
                ++i;
                continue;
            }
        }
        out.push_back(format[i]);
    }
    return out;
}

bool parseWholeNumber(std::u16string_view text, long& value) {
    if (text.empty() || text.size() > 9) return false;
    long v = 0;
    for (char16_t c : text) {
        if (!isDigit(c)) return false;
        v = v * 10 + (c - u'0');
    }
    value = v;
    return true;
}

std::u16string asciiToU16(std::string_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace wren::ui
