// The driver's colour data files as the Colour page reads them: the named
// settings of the halftone file (custom gamma) and of the colour-correction
// file, and the colour-correction tables that go into the settings record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/config/driver_config.h"
#include "common/settings/private_record.h"
#include "platform/profile.h"

namespace wren::ui {

struct NamedSetting {
    int id = 0;             // "SettingID%d"
    std::u16string name;    // "SettingName%d" of that identifier, never empty
};

// "SettingNum" settings of `section`; nameless ones are left out. At most
// 256 are read: identifiers are 8-bit, whatever the file claims.
std::vector<NamedSetting> ReadNamedSettings(const Profile& profile, std::u16string_view file,
                                            std::u16string_view section);

// The halftone file (plug-in INI "DependentFiles", "HALFTONE") and the
// colour-correction file (model key "CCMInfoFile"); empty when not named.
std::u16string HalftoneFile(const Profile& profile, const DriverConfig& config, std::u16string_view pluginIni);
std::u16string CorrectionFile(const DriverConfig& config, std::u16string_view capabilityFile);

// ccmSetting: low 8 bits the setting number, bit 8 its section "Gamma"
// (else "Color"), high 16 bits the "Tintmend Settings" switch.
inline constexpr std::uint32_t kCcmGammaSection = 0x100;
inline constexpr std::uint32_t kCcmOn = 0x10000;
inline bool CcmSwitchedOn(std::uint32_t ccm) { return (ccm >> 16) != 0; }

// Item data of a colour-correction list entry: the setting's number, plus
// 256 for the "Gamma" section.
std::vector<std::pair<NamedSetting, int>> ReadCorrectionSettings(const Profile& profile, std::u16string_view file);

// When ccmSetting is switched on, reads its "CCMNT%d" and "CCMNV%d" tables
// into the record (a missing file or key gives an empty table, and so does
// a table longer than its field); otherwise the tables stay as they are.
void LoadCorrectionTables(const Profile& profile, std::u16string_view file, std::uint32_t ccmSetting,
                          PrivateRecord& record);

}  // namespace wren::ui
