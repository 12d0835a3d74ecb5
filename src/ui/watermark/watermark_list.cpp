#include "ui/watermark/watermark_list.h"

#include "ui/watermark/watermark_ids.h"
#include "ui/watermark/watermark_store.h"

namespace wren::ui {
namespace {

constexpr std::size_t kFontFileNameChars = 261;
constexpr std::int32_t kNoneSize = 72;
constexpr std::int16_t kNoneAngle = 45;

// Hundredths of component/255, rounded to the nearest as printf does; no
// component lies exactly halfway, so no tie rule is needed.
void appendComponent(std::string& out, std::uint32_t component) {
    const std::uint32_t hundredths = (component * 200 + 255) / 510;
    out += std::to_string(hundredths / 100);
    out += '.';
    out += char('0' + hundredths / 10 % 10);
    out += char('0' + hundredths % 10);
}

}  // namespace

void WatermarkList::loadWorking(std::uint32_t slot) {
    if (slot >= entries.size()) slot = 0;
    if (entries.empty()) {
        working = WatermarkRecord{};
        return;
    }
    working = entries[slot];
    if (slot == 0) working.setText(u"");
}

std::u16string WatermarkFontFilePath(const Profile& profile, const DriverConfig& config,
                                     std::u16string_view pluginIni) {
    const std::u16string name = profile.readString(pluginIni, u"DependentFiles", u"WMFONT", kFontFileNameChars);
    return name.empty() ? std::u16string() : config.driverFilePath(name);
}

WatermarkRecord NoneWatermark(const WatermarkEnvironment& env) {
    WatermarkRecord r;
    r.size = kNoneSize;
    r.fontIndex = env.fonts().defaultFontIndex(env.threadLocale);
    r.angle = kNoneAngle;
    r.color = kLightGrey;
    r.setText(env.strings.load(wm::kStringNone, kWatermarkTextChars + 1));
    r.setFontName(env.strings.load(wm::kStringDefaultFontName, kWatermarkFontNameChars + 1));
    r.position = kPositionCenter;
    return r;
}

void LoadWatermarkList(const WatermarkEnvironment& env, std::uint32_t settingsIndex) {
    WatermarkList& list = env.list;
    list.iniFile = env.pluginIni;
    list.entries.clear();
    list.entries.push_back(NoneWatermark(env));
    for (WatermarkRecord& r : LoadWatermarkStore(env.profile, env.pluginIni)) list.entries.push_back(r);
    list.selection = settingsIndex;
    list.loaded = true;
}

void OpenWatermarkList(WatermarkList& list) {
    list.backups.assign(list.entries.begin() + (list.entries.empty() ? 0 : 1), list.entries.end());
    if (list.selection > std::uint32_t(list.count())) list.selection = 0;
    list.savedSelection = list.selection;
    // Taken at every opening rather than only at OK: after an apply the list
    // is read again and "None" starts fresh, and Cancel must give back what
    // this opening showed.
    if (!list.entries.empty()) {
        list.savedNoneFirstPageOnly = list.entries[0].firstPageOnly;
        list.savedNoneInBackground = list.entries[0].inBackground;
    }
    list.loadWorking(list.selection);
}

void RestoreWatermarkList(WatermarkList& list) {
    if (list.entries.empty()) return;
    list.entries.resize(1);
    list.entries.insert(list.entries.end(), list.backups.begin(), list.backups.end());
    list.backups.clear();
    list.selection = list.savedSelection;
    list.entries[0].firstPageOnly = list.savedNoneFirstPageOnly;
    list.entries[0].inBackground = list.savedNoneInBackground;
    list.loadWorking(list.selection);
}

bool SaveWatermarkList(const WatermarkList& list, const Profile& profile) {
    if (list.entries.empty()) return SaveWatermarkStore(profile, list.iniFile, {});
    return SaveWatermarkStore(profile, list.iniFile,
                              std::vector<WatermarkRecord>(list.entries.begin() + 1, list.entries.end()));
}

void FreeWatermarkList(WatermarkList& list) {
    list.entries.clear();
    list.backups.clear();
    list.working = WatermarkRecord{};
    list.loaded = false;
}

bool CommitWatermarkEdits(WatermarkList& list, const Profile& profile) {
    if (!list.loaded) return true;
    const bool ok = SaveWatermarkList(list, profile);
    FreeWatermarkList(list);
    return ok;
}

void DropWatermarkEdits(WatermarkList& list) {
    if (list.loaded) FreeWatermarkList(list);
}

std::string WatermarkColourText(std::uint32_t color) {
    std::string out;
    appendComponent(out, color & 0xFF);
    out += ' ';
    appendComponent(out, color >> 8 & 0xFF);
    out += ' ';
    appendComponent(out, color >> 16 & 0xFF);
    return out;
}

void ApplyWatermarkToSettings(const WatermarkList& list, PrivateRecord& record) {
    if (list.entries.empty()) return;
    const std::uint32_t index = list.selection < list.entries.size() ? list.selection : 0;
    const WatermarkRecord& w = list.entries[index];
    record.watermarkIndex = index;
    record.wmSize = w.size;
    record.wmFontIndex = w.fontIndex;
    record.wmAngle = w.angle;
    record.wmOffsetX = w.offsetX;
    record.wmOffsetY = w.offsetY;
    record.wmColor = w.color;
    writeField(record.wmFontName, w.fontNameValue());
    record.wmWeight = w.weight;
    record.wmItalic = w.italic;
    record.wmCharSet = w.charSet;
    record.wmPosition = w.position;
    record.wmBorder = w.border;
    record.wmInBackground = w.inBackground;
    record.wmFirstPageOnly = w.firstPageOnly;
    record.wmStyleCode = w.styleCode;
    writeField(record.wmText, w.textValue());
    writeField(record.wmColorText, WatermarkColourText(w.color));
}

}  // namespace wren::ui
