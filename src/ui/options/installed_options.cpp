#include "ui/options/installed_options.h"

#include "ui/options/installed_option_rules.h"

#include <algorithm>
#include <string>

namespace wren::ui {
namespace {

// The keys of an option data file; only the hard disk and the memory differ
// between the two libraries.
constexpr std::u16string_view kInstalled = u"Installed";
constexpr std::u16string_view kPunchType = u"PunchType";
constexpr std::u16string_view kJobLimitationMode = u"JobLimitationMode";
constexpr std::u16string_view kSpotColor = u"SpotColor";
constexpr std::u16string_view kNetworkHardDisk = u"Hard Disk";
constexpr std::u16string_view kNetworkMemory = u"Random Access Memory";
constexpr std::u16string_view kUsbMemory = u"RAM";
constexpr std::size_t kUsbMemoryChars = 128;

constexpr std::u16string_view kUserTypeSection = u"Usertype";
constexpr std::size_t kUserTypeChars = 64;
// More media types than any printer tree offers; it only bounds the copy.
constexpr int kMaxUserTypes = 256;
// Names that cannot be in a data file, so an absent key is told apart from
// an empty one.
constexpr std::u16string_view kAbsent = u"\x01";

// The selection of a yes/no item whose option 1 is "installed".
std::optional<std::int32_t> parseDecimal(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
    if (at == text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < u'0' || text[at] > u'9') return std::nullopt;
        value = value * 10 + (text[at] - u'0');
        if (value > INT32_MAX) return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// The USB library writes the memory as text: blanks, an optional sign, then
// digits; whatever follows them is not part of the number ("256MB" is 256).
// A value beyond 32 bits is cut at the bound rather than wrapped.
std::int32_t leadingDecimal(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
    const bool negative = at < text.size() && text[at] == u'-';
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) ++at;
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at)
        value = std::min<std::int64_t>(value * 10 + (text[at] - u'0'), std::int64_t{INT32_MAX} + 1);
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, INT32_MAX));
}

std::u16string userTypeKey(int n) { return u"USERTYPE" + [n] {
    std::u16string digits;
    for (const char c : std::to_string(n)) digits.push_back(static_cast<char16_t>(c));
    return digits;
}(); }

}  // namespace

int InstalledOptions::trays() const {
    for (int bit = 3; bit >= 0; --bit)
        if (installed & (1u << bit)) return bit + 1;
    return 0;
}

std::optional<InstalledOptions> ReadInstalledOptions(const Profile& profile, std::u16string_view dataFile,
                                                     std::u16string_view printerSection, OptionSource source) {
    if (dataFile.empty() || printerSection.empty()) return std::nullopt;
    if (profile.keyNames(dataFile, printerSection, 32767).empty()) return std::nullopt;
    auto number = [&](std::u16string_view key) { return profile.readInt(dataFile, printerSection, key, 0); };
    InstalledOptions options;
    options.installed = static_cast<std::uint32_t>(number(kInstalled));
    options.punchType = number(kPunchType);
    options.jobLimitationMode = number(kJobLimitationMode);
    options.spotColor = number(kSpotColor);
    if (source == OptionSource::Usb) {
        options.hardDisk = (options.installed & kInstalledHardDiskUsb) != 0;
        options.memoryMb = leadingDecimal(profile.readString(dataFile, printerSection, kUsbMemory, kUsbMemoryChars));
    } else {
        options.hardDisk = number(kNetworkHardDisk) != 0;
        options.memoryMb = number(kNetworkMemory);
    }
    return options;
}

std::int32_t MemorySelection(std::int32_t memoryMb, std::span<const std::u16string> optionNames) {
    constexpr std::size_t kUnitChars = 3;  // " MB"
    for (std::size_t i = 0; i < optionNames.size(); ++i) {
        const std::u16string& name = optionNames[i];
        if (name.size() <= kUnitChars) continue;
        const std::optional<std::int32_t> value =
            parseDecimal(std::u16string_view(name).substr(0, name.size() - kUnitChars));
        if (value && *value == memoryMb) return static_cast<std::int32_t>(i);
    }
    return 0;
}

OptionSelections SelectionsFor(const InstalledOptions& options, std::span<const std::u16string> memoryOptionNames,
                               bool newerOs) {
    const OptionRuleInputs inputs{memoryOptionNames, newerOs};
    OptionSelections s;
    const auto rules = InstalledOptionRules();
    for (std::size_t position = 0; position < rules.size(); ++position)
        s[position] = rules[position].selection(options, inputs);
    return s;
}

void RefreshUserTypes(const Profile& profile, std::u16string_view dataFile, std::u16string_view printerSection,
                      std::u16string_view pluginIni) {
    if (pluginIni.empty()) return;
    profile.deleteSection(pluginIni, kUserTypeSection);
    for (int n = 1; n <= kMaxUserTypes; ++n) {
        const std::u16string key = userTypeKey(n);
        const std::u16string value = profile.readString(dataFile, printerSection, key, kUserTypeChars, kAbsent);
        if (value == kAbsent) break;
        profile.writeString(pluginIni, kUserTypeSection, key, value);
    }
}

}  // namespace wren::ui
