// The gamma settings a printer offers: its plug-in INI names a gamma file
// (HALFTONE), whose [PSGamma] section lists SettingNum settings, each an
// identifier and a name. The file comes with the driver package but is
// outside data like any file: its counts and names are bounded here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/config/driver_config.h"
#include "platform/profile.h"

namespace wren::ui {

struct GammaSetting {
    std::uint8_t id = 0;  // identifiers are 8-bit; the record stores this
    std::u16string name;  // at most 32 units, never empty
};

struct GammaSettings {
    // False when the printer has no gamma file or it states no settings:
    // the page then has no gamma controls at all.
    bool offered = false;
    std::vector<GammaSetting> settings;  // named ones only, in the file's order
};

inline constexpr int kMaxGammaSettings = 256;

GammaSettings readGammaSettings(const Profile& profile, const DriverConfig& config, std::u16string_view pluginIni);

}  // namespace wren::ui
