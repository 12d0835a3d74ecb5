#include "ui/colour/colour_data_files.h"

#include "ui/colour/hex_bytes.h"
#include "ui/pages/page_text.h"

namespace wren::ui {
namespace {

constexpr int kMaxSettings = 256;
constexpr std::size_t kSettingNameChars = 33;   // 32 characters and the terminator
constexpr std::size_t kTableDigits = 509;       // the longest table text

// The byte count of the table; the record is packed, so the count is
// handed back rather than written through a reference.
std::uint16_t loadTable(const Profile& profile, std::u16string_view file, std::u16string_view section,
                        std::u16string_view key, std::uint8_t* table, std::size_t capacity) {
    // One character more than a table text may have tells a longer text,
    // which the read would otherwise cut, from one that fits.
    const std::u16string text =
        file.empty() ? std::u16string() : profile.readString(file, section, key, kTableDigits + 2);
    // A cut table would be a different table: a text longer than its read or
    // than its field is treated like a missing one. A malformed tail keeps
    // the whole pairs.
    if (text.size() > kTableDigits) return 0;
    const HexDecoded decoded = DecodeHexBytes(text, table, capacity);
    return decoded.status == HexStatus::TooLong ? 0 : static_cast<std::uint16_t>(decoded.count);
}

}  // namespace

std::vector<NamedSetting> ReadNamedSettings(const Profile& profile, std::u16string_view file,
                                            std::u16string_view section) {
    std::vector<NamedSetting> out;
    if (file.empty()) return out;
    const int stated = profile.readInt(file, section, u"SettingNum", 0);
    const int count = stated < kMaxSettings ? stated : kMaxSettings;
    for (int k = 0; k < count; ++k) {
        const int id = profile.readInt(file, section, formatNumbers(u"SettingID%d", {k}), 0);
        std::u16string name = profile.readString(file, section, formatNumbers(u"SettingName%d", {id}), kSettingNameChars);
        if (!name.empty()) out.push_back({id, std::move(name)});
    }
    return out;
}

std::u16string HalftoneFile(const Profile& profile, const DriverConfig& config, std::u16string_view pluginIni) {
    const std::u16string name = profile.readString(pluginIni, u"DependentFiles", u"HALFTONE", kModelKeyChars);
    return name.empty() ? std::u16string() : config.driverFilePath(name);
}

std::u16string CorrectionFile(const DriverConfig& config, std::u16string_view capabilityFile) {
    const std::u16string name = config.modelKey(capabilityFile, u"CCMInfoFile");
    return name.empty() ? std::u16string() : config.driverFilePath(name);
}

std::vector<std::pair<NamedSetting, int>> ReadCorrectionSettings(const Profile& profile, std::u16string_view file) {
    std::vector<std::pair<NamedSetting, int>> out;
    for (auto [section, offset] : {std::pair{u"Color", 0}, {u"Gamma", 256}})
        for (NamedSetting& s : ReadNamedSettings(profile, file, section)) {
            const int data = (s.id & 0xFF) + offset;
            out.emplace_back(std::move(s), data);
        }
    return out;
}

void LoadCorrectionTables(const Profile& profile, std::u16string_view file, std::uint32_t ccmSetting,
                          PrivateRecord& record) {
    if (!CcmSwitchedOn(ccmSetting)) return;
    const long n = static_cast<long>(ccmSetting & 0xFF);
    const std::u16string_view section = (ccmSetting & kCcmGammaSection) ? u"Gamma" : u"Color";
    record.ccmTableNtCount = loadTable(profile, file, section, formatNumbers(u"CCMNT%d", {n}), record.ccmTableNt,
                                       sizeof record.ccmTableNt);
    record.ccmTableNvCount = loadTable(profile, file, section, formatNumbers(u"CCMNV%d", {n}), record.ccmTableNv,
                                       sizeof record.ccmTableNv);
}

}  // namespace wren::ui
