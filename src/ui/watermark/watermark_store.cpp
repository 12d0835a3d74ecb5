#include "ui/watermark/watermark_store.h"

#include "ui/watermark/watermark_codec.h"

namespace wren::ui {

std::u16string WatermarkKeyName(int number) {
    return u"WTMK00" + DecimalText(number);
}

std::vector<WatermarkRecord> LoadWatermarkStore(const Profile& profile, std::u16string_view iniFile) {
    std::vector<WatermarkRecord> records;
    for (const std::u16string& key : profile.keyNames(iniFile, kWatermarkSection, kWatermarkKeyListChars)) {
        if (key.empty() || key.front() != u'W') break;
        if (records.size() == std::size_t(kMaxWatermarks)) break;
        records.push_back(
            ParseWatermarkValue(profile.readString(iniFile, kWatermarkSection, key, kWatermarkValueChars)));
    }
    return records;
}

bool SaveWatermarkStore(const Profile& profile, std::u16string_view iniFile,
                        const std::vector<WatermarkRecord>& records) {
    bool ok = profile.deleteSection(iniFile, kWatermarkSection);
    for (std::size_t i = 0; i < records.size(); ++i)
        ok = profile.writeString(iniFile, kWatermarkSection, WatermarkKeyName(int(i) + 1),
                                 FormatWatermarkValue(records[i])) && ok;
    return ok;
}

}  // namespace wren::ui
