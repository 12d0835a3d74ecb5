#include "ui/dialogs/numeric_edit.h"

#include <algorithm>
#include <string_view>

#include "ui/pages/control_events.h"

namespace wren::ui {
namespace {

// Enough to see that a pasted number is out of range without reading an
// unbounded text.
constexpr std::size_t kReadChars = 32;

bool isSign(char16_t c) { return c == u'+' || c == u'-'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The key just typed, at `position` of the new text.
bool typedCharacterFits(std::u16string_view text, std::size_t position, bool allowSign) {
    const char16_t c = text[position];
    if (c >= u'1' && c <= u'9') return true;
    if (c == u'0') return !(position == 0 && text.size() > 1);
    return allowSign && position == 0 && isSign(c);
}

// A paste can bring more than one character: nothing but digits may stay,
// after an optional sign.
bool onlyNumberCharacters(std::u16string_view text, bool allowSign) {
    if (allowSign && !text.empty() && isSign(text.front())) text.remove_prefix(1);
    return std::all_of(text.begin(), text.end(), isDigit);
}

std::u16string decimal(long long v) {
    const std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

void saveLastGood(DialogView& dialog, int editId, std::u16string& lastGood) {
    lastGood = dialog.text(editId, kNumericEditChars + 1);
}

void checkUpdate(DialogView& dialog, int editId, const NumericEditRule& rule, const std::u16string& lastGood) {
    const std::u16string text = dialog.text(editId, kReadChars + 1);
    const int caret = dialog.caret(editId);
    const bool typed = caret > 0 && std::size_t(caret) <= text.size();
    if ((typed && !typedCharacterFits(text, std::size_t(caret) - 1, rule.allowSign)) ||
        !onlyNumberCharacters(text, rule.allowSign)) {
        dialog.beep();
        dialog.setText(editId, lastGood);
        dialog.setCaret(editId, std::clamp(caret - 1, 0, int(lastGood.size())));
        return;
    }
    long long value = 0;
    if (!ReadNumericEdit(text, rule.allowSign, value)) return;
    if (value < rule.minimum || value > rule.maximum) {
        const std::u16string bound = decimal(value < rule.minimum ? rule.minimum : rule.maximum);
        dialog.setText(editId, bound);
        dialog.setCaret(editId, int(bound.size()));
    }
}

}  // namespace

EditNotification EditNotificationFromCode(int code) {
    switch (code) {
    case kEditSetFocus: return EditNotification::FocusGained;
    case kEditChange: return EditNotification::Changed;
    case kEditUpdate: return EditNotification::Updated;
    case kEditKillFocus: return EditNotification::FocusLost;
    default: return EditNotification::Other;
    }
}

bool ReadNumericEdit(std::u16string_view text, bool allowSign, long long& value) {
    bool negative = false;
    if (allowSign && !text.empty() && isSign(text.front())) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    long long v = 0;
    for (char16_t c : text) {
        if (!isDigit(c)) return false;
        v = std::min(v * 10 + (c - u'0'), 1LL << 40);
    }
    value = negative ? -v : v;
    return true;
}

void ValidateNumericEdit(DialogView& dialog, EditNotification notification, int editId, const NumericEditRule& rule,
                         std::u16string& lastGood) {
    switch (notification) {
    case EditNotification::FocusGained:
    case EditNotification::Changed:
        saveLastGood(dialog, editId, lastGood);
        break;
    case EditNotification::Updated:
        checkUpdate(dialog, editId, rule, lastGood);
        break;
    case EditNotification::FocusLost: {
        // A lone sign is no number either: the page must not read it as one.
        long long value = 0;
        if (!ReadNumericEdit(dialog.text(editId, kReadChars + 1), rule.allowSign, value))
            dialog.setText(editId, decimal(rule.defaultValue));
        break;
    }
    case EditNotification::Other:
        break;
    }
}

}  // namespace wren::ui
