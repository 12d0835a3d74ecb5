// Keeps an integer edit field valid while the user types into it: a bad
// key is refused with a beep, an out-of-range number becomes the nearer
// bound, and a field left empty gets its default.
#pragma once

#include <string>

#include "ui/dialogs/dialog_view.h"

namespace wren::ui {

// The edit notifications that matter here (EN_SETFOCUS, EN_CHANGE,
// EN_UPDATE, EN_KILLFOCUS).
enum class EditNotification { FocusGained, Changed, Updated, FocusLost, Other };

EditNotification EditNotificationFromCode(int code);

// The last text that passed, kept by the caller per field.
inline constexpr std::size_t kNumericEditChars = 6;

struct NumericEditRule {
    int defaultValue = 0;
    int minimum = 0;
    int maximum = 0;
    bool allowSign = false;
};

void ValidateNumericEdit(DialogView& dialog, EditNotification notification, int editId, const NumericEditRule& rule,
                         std::u16string& lastGood);

// The field's value when it holds a whole number (with a sign where the
// rule allows one); values beyond the int range saturate.
bool ReadNumericEdit(std::u16string_view text, bool allowSign, long long& value);

}  // namespace wren::ui
