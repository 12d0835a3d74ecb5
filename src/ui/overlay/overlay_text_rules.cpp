#include "ui/overlay/overlay_text_rules.h"

#include <algorithm>

namespace wren::ui {
namespace {

constexpr std::size_t kMaxPageDigits = 4;
constexpr std::u16string_view kReservedFormCharacters = u"\"%()*/:<>?[]\\{}|";

}  // namespace

FilteredText filterCustomPages(std::u16string_view text) {
    FilteredText out;
    std::size_t digits = 0;  // of the number being read
    bool rangeSeen = false;  // a "-" since the last comma
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool afterDigit = !out.text.empty() && isDigit(out.text.back());
        bool keep = false;
        if (isDigit(c)) {
            keep = !(c == u'0' && digits == 0) && digits < kMaxPageDigits;
            if (keep) ++digits;
        } else if (c == u'-') {
            keep = afterDigit && !rangeSeen;
            if (keep) rangeSeen = true, digits = 0;
        } else if (c == u',') {
            keep = afterDigit;
            if (keep) rangeSeen = false, digits = 0;
        }
        if (keep) out.text.push_back(c);
        else ++out.removed;
    }
    return out;
}

bool isFormNameCharacter(char16_t c) {
    return c > u' ' && c < 0x7F && kReservedFormCharacters.find(c) == std::u16string_view::npos;
}

FilteredText filterFormName(std::u16string_view text) { return filterText(text, isFormNameCharacter); }

void rememberFormName(overlay::OverlayList& list, std::u16string_view name) {
    auto& history = list.history;
    const auto used = history.begin() + std::ptrdiff_t(list.historyCount);
    auto found = std::find(history.begin(), used, name);
    if (found == used) {
        // Room for one more, or the oldest entry goes.
        if (list.historyCount < overlay::kMaxHistory) ++list.historyCount;
        found = history.begin() + std::ptrdiff_t(list.historyCount - 1);
    }
    std::rotate(history.begin(), found, found + 1);
    history[0] = std::u16string(name.substr(0, overlay::kNameChars - 1));
}

}  // namespace wren::ui
