// The user's watermarks in section "Watermark" of the plug-in INI file: one
// key "WTMK00<n>" per watermark, in list order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"
#include "ui/watermark/watermark_record.h"

namespace wren::ui {

inline constexpr std::u16string_view kWatermarkSection = u"Watermark";
inline constexpr std::size_t kWatermarkKeyListChars = 512;
inline constexpr std::size_t kWatermarkValueChars = 512;

// "WTMK001" .. "WTMK009", "WTMK0010" .. "WTMK0016": n without leading zeros.
std::u16string WatermarkKeyName(int number);

// The keys in file order while they begin with "W"; the first that does
// not ends the list. A section with more than the dialogs allow keeps its
// first 16.
std::vector<WatermarkRecord> LoadWatermarkStore(const Profile& profile, std::u16string_view iniFile);

// Replaces the section: deleted, then one key per record. False when the
// file could not be written.
bool SaveWatermarkStore(const Profile& profile, std::u16string_view iniFile,
                        const std::vector<WatermarkRecord>& records);

}  // namespace wren::ui
