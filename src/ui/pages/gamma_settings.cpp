#include "ui/pages/gamma_settings.h"

#include <bitset>
#include <map>
#include <unordered_set>

#include "ui/pages/page_text.h"

namespace wren::ui {
namespace {

// Room for the section's key names: a list this long or longer may have
// been cut, and then each key is read in turn instead.
constexpr std::size_t kKeyListChars = 65536;

std::u16string lowered(std::u16string s) {
    for (char16_t& c : s)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    return s;
}

// The setting position a key "SettingID<n>" names, written as the page
// writes it (decimal, no leading zero), or -1.
int settingPosition(std::u16string_view key) {
    constexpr std::u16string_view kPrefix = u"settingid";
    if (key.size() <= kPrefix.size() || key.substr(0, kPrefix.size()) != kPrefix) return -1;
    const std::u16string_view digits = key.substr(kPrefix.size());
    if (digits.size() > 3 || (digits.size() > 1 && digits[0] == u'0')) return -1;
    int n = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') return -1;
        n = n * 10 + (c - u'0');
    }
    return n < kMaxGammaSettings ? n : -1;
}

// The keys the gamma section has, without case.
struct PresentKeys {
    std::bitset<kMaxGammaSettings> positions;  // SettingID<n> present
    std::unordered_set<std::u16string> names;  // every key, lowered
};

// Nothing when the list may be incomplete.
std::optional<PresentKeys> presentKeys(const Profile& profile, std::u16string_view file) {
    PresentKeys keys;
    std::size_t used = 1;
    for (std::u16string& name : profile.keyNames(file, u"PSGamma", kKeyListChars)) {
        used += name.size() + 1;
        std::u16string key = lowered(std::move(name));
        if (const int n = settingPosition(key); n >= 0) keys.positions.set(static_cast<std::size_t>(n));
        keys.names.insert(std::move(key));
    }
    if (used + 64 >= kKeyListChars) return std::nullopt;
    return keys;
}

}  // namespace

GammaSettings readGammaSettings(const Profile& profile, const DriverConfig& config, std::u16string_view pluginIni) {
    GammaSettings out;
    const std::u16string name = profile.readString(pluginIni, u"DependentFiles", u"HALFTONE", 261);
    const std::u16string file = name.empty() ? std::u16string() : config.driverFilePath(name);
    const int stated = file.empty() ? 0 : profile.readInt(file, u"PSGamma", u"SettingNum", 0);
    // Identifiers are 8-bit: a file that claims more settings than there
    // can be is read for those only, not for billions of entries.
    const int count = stated < kMaxGammaSettings ? stated : kMaxGammaSettings;
    out.offered = count > 0;
    if (count <= 0) return out;

    // A file may claim far more settings than it names: a key it does not
    // have reads as its default without asking the file, and each name is
    // read once however many settings share its identifier.
    const auto keys = presentKeys(profile, file);
    std::map<int, std::u16string> names;
    for (int i = 0; i < count; ++i) {
        int id = 0;
        if (!keys || keys->positions[static_cast<std::size_t>(i)])
            id = profile.readInt(file, u"PSGamma", formatNumbers(u"SettingID%d", {i}), 0);
        auto known = names.find(id);
        if (known == names.end()) {
            const std::u16string nameKey = formatNumbers(u"SettingName%d", {id});
            const bool present = !keys || keys->names.count(lowered(nameKey)) != 0;
            known = names.emplace(id, present ? profile.readString(file, u"PSGamma", nameKey, 33) : u"").first;
        }
        if (!known->second.empty()) out.settings.push_back({static_cast<std::uint8_t>(id & 0xFF), known->second});
    }
    return out;
}

}  // namespace wren::ui
