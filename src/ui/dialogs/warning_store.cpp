#include "ui/dialogs/warning_store.h"

namespace wren::ui {

std::u16string WarningFlagKey(long number) {
    const std::string digits = std::to_string(number);
    return u"AllertFlag" + std::u16string(digits.begin(), digits.end());
}

bool ShowWarningOnce(const Profile& profile, std::u16string_view pluginIni, const std::function<int()>& runWarning) {
    const std::u16string key = WarningFlagKey(1);
    if (profile.readInt(pluginIni, kWarningSection, key, 0) != 0) return false;
    if (runWarning() == 0) profile.writeString(pluginIni, kWarningSection, key, u"1");
    return true;
}

}  // namespace wren::ui
