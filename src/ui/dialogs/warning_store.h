// Warnings the user can silence: a flag per warning in the plug-in INI
// file remembers that the "show this message next time" box was cleared.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace wren::ui {

inline constexpr std::u16string_view kWarningSection = u"DisplayAllert";

// "AllertFlag%ld".
std::u16string WarningFlagKey(long number);

// Runs `runWarning` (a warning dialog: 0 when its box was cleared) unless
// warning 1 was silenced, and silences it when asked to. True when the
// warning was shown. A failed write is not an error: the warning then
// simply shows again next time.
bool ShowWarningOnce(const Profile& profile, std::u16string_view pluginIni, const std::function<int()>& runWarning);

}  // namespace wren::ui
