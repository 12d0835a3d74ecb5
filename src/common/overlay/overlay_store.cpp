#include "common/overlay/overlay_store.h"

#include <algorithm>

namespace wren::overlay {
namespace {

bool pendingCopy(PendingState state) { return state == PendingState::EditsPending; }

std::u16string decimal(long long value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

std::u16string numbered(std::u16string_view prefix, std::size_t number) {
    return std::u16string(prefix) + decimal(static_cast<long long>(number));
}

// A count as the file says it, within 0..limit.
std::size_t count(const Profile& profile, std::u16string_view file, std::u16string_view section,
                  std::u16string_view key, std::size_t limit) {
    const int value = profile.readInt(file, section, key, 0);
    return value < 0 ? 0 : std::min(static_cast<std::size_t>(value), limit);
}

}  // namespace

std::u16string listSection(PendingState state) {
    return pendingCopy(state) ? u"OverlaySetting_Sv" : u"OverlaySetting";
}

std::u16string overlaySection(PendingState state, std::size_t number) {
    return numbered(pendingCopy(state) ? u"Overlay_Info_Sv " : u"Overlay_Info ", number);
}

OverlayList loadOverlayStore(const Profile& profile, std::u16string_view iniFile, PendingState state) {
    OverlayList list;
    const std::u16string main = listSection(state);
    list.definedCount = count(profile, iniFile, main, u"Overlay_Num", kMaxOverlays);
    list.historyCount = count(profile, iniFile, main, u"History_Num", kMaxHistory);
    for (std::size_t i = 0; i < list.historyCount; ++i)
        list.history[i] = profile.readString(iniFile, main, numbered(u"History ", i), kNameChars);
    for (std::size_t n = 0; n < list.definedCount; ++n) {
        OverlayRecord& record = list.overlays[n];
        const std::u16string section = overlaySection(state, n);
        record.formCount = static_cast<std::uint16_t>(count(profile, iniFile, section, u"Form_Num", kMaxForms));
        const int mode = profile.readInt(iniFile, section, u"PageMode", 0);
        record.pageMode = mode < 0 || mode > 4 ? 0 : static_cast<std::uint16_t>(mode);
        record.name = profile.readString(iniFile, section, u"Overlay_Name", kNameChars);
        record.customPages = profile.readString(iniFile, section, u"CustomPage", kCustomPageChars);
        for (std::size_t f = 0; f < record.formCount; ++f)
            record.forms[f] = profile.readString(iniFile, section, numbered(u"Form_Name ", f), kNameChars);
    }
    return list;
}

bool writeOverlayStore(const Profile& profile, std::u16string_view iniFile, PendingState state,
                       const OverlayList& list) {
    bool ok = true;
    auto put = [&](const std::u16string& section, std::u16string_view key, std::u16string_view value) {
        ok &= profile.writeString(iniFile, section, key, value);
    };
    const std::u16string main = listSection(state);
    const std::size_t defined = std::min(list.definedCount, kMaxOverlays);
    const std::size_t history = std::min(list.historyCount, kMaxHistory);
    put(main, u"Overlay_Num", decimal(static_cast<long long>(defined)));
    put(main, u"History_Num", decimal(static_cast<long long>(history)));
    for (std::size_t i = 0; i < history; ++i) put(main, numbered(u"History ", i), list.history[i]);
    for (std::size_t n = 0; n < defined; ++n) {
        const OverlayRecord& record = list.overlays[n];
        const std::u16string section = overlaySection(state, n);
        // Custom pages without a page list would select no page at all.
        const bool noPages = record.pageMode == static_cast<std::uint16_t>(PageMode::Custom) &&
                             record.customPages.empty();
        const std::size_t forms = std::min<std::size_t>(record.formCount, kMaxForms);
        put(section, u"Overlay_Name", record.name);
        put(section, u"PageMode", decimal(noPages ? 0 : record.pageMode));
        put(section, u"CustomPage", record.customPages);
        put(section, u"Form_Num", decimal(static_cast<long long>(forms)));
        for (std::size_t f = 0; f < forms; ++f) put(section, numbered(u"Form_Name ", f), record.forms[f]);
    }
    return ok;
}

}  // namespace wren::overlay
