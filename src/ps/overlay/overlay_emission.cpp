#include "ps/overlay/overlay_emission.h"

#include <algorithm>

#include "common/overlay/overlay_store.h"
#include "ps/job/render_services.h"

namespace wren {
namespace {

constexpr std::size_t kStoreTextChars = 255;  // form names and page lists as read
constexpr std::size_t kFileKeyChars = 260;
constexpr std::size_t kCopyBytes = 1024;
constexpr std::size_t kLineBytes = 1024;

// A form name as the printer stores it: printable ASCII without blanks and
// without the characters the store never accepts. A hand-edited store must
// not be able to open a string or a procedure in the job's PostScript.
bool formNameCharacter(char16_t c) {
    constexpr std::u16string_view refused = u"\"%()*/:<>?[]\\{}|";
    return c > 0x20 && c < 0x7F && refused.find(c) == std::u16string_view::npos;
}

std::u16string kept(std::u16string_view text, bool (*allowed)(char16_t)) {
    std::u16string out;
    for (char16_t c : text)
        if (allowed(c)) out.push_back(c);
    return out;
}

bool pageListCharacter(char16_t c) { return (c >= u'0' && c <= u'9') || c == u'-' || c == u','; }

std::u16string numbered(std::u16string_view prefix, unsigned number) {
    const std::string digits = std::to_string(number);
    return std::u16string(prefix) + std::u16string(digits.begin(), digits.end());
}

void copyFile(RenderContext& ctx, const char16_t* key) {
    if (!ctx.ports.files || ctx.job.pluginIniFile.empty()) return;
    const std::u16string name = ctx.ports.profile.readString(ctx.job.pluginIniFile, u"DependentFiles", key, kFileKeyChars);
    if (name.empty()) return;
    std::unique_ptr<ReadableFile> file = ctx.ports.files->openShared(driverFilePath(ctx, name));
    if (!file) return;
    char buffer[kCopyBytes];
    for (;;) {
        const std::optional<std::size_t> got = file->read(buffer, sizeof buffer);
        if (!got || *got == 0) return;
        const auto size = static_cast<std::uint32_t>(*got);
        if (ctx.stream.write(buffer, size) != size) return;
    }
}

}  // namespace

std::vector<std::pair<std::u16string, std::u16string>> parsePageList(std::u16string_view pages) {
    std::vector<std::pair<std::u16string, std::u16string>> ranges;
    std::size_t start = 0;
    while (start <= pages.size()) {
        std::size_t end = pages.find(u',', start);
        if (end == std::u16string_view::npos) end = pages.size();
        const std::u16string_view item = pages.substr(start, end - start);
        // An empty item names no page.
        if (!item.empty()) {
            const std::size_t hyphen = item.find(u'-');
            std::u16string first(item.substr(0, hyphen));
            std::u16string last = hyphen == std::u16string_view::npos ? first : std::u16string(item.substr(hyphen + 1));
            if (hyphen != std::u16string_view::npos && last.empty()) last = u"9999";
            ranges.emplace_back(std::move(first), std::move(last));
        }
        start = end + 1;
    }
    return ranges;
}

OverlayUse readOverlayUse(const Profile& profile, std::u16string_view iniFile, unsigned number) {
    OverlayUse use;
    const std::u16string section = numbered(u"Overlay_Info ", number);
    const int forms = profile.readInt(iniFile, section, u"Form_Num", 0);
    // An overlay has at most three forms; a name that is not there is no form.
    const unsigned count = forms < 0 ? 0 : std::min<unsigned>(static_cast<unsigned>(forms), overlay::kMaxForms);
    for (unsigned f = 0; f < count; ++f) {
        std::u16string name = kept(profile.readString(iniFile, section, numbered(u"Form_Name ", f), kStoreTextChars),
                                   formNameCharacter);
        if (!name.empty()) use.forms.push_back(std::move(name));
    }
    use.pageMode = static_cast<std::uint16_t>(profile.readInt(iniFile, section, u"PageMode", 0));
    if (use.pageMode == static_cast<std::uint16_t>(overlay::PageMode::Custom))
        use.customPages = kept(profile.readString(iniFile, section, u"CustomPage", kStoreTextChars), pageListCharacter);
    return use;
}

std::string formDictionary(const std::vector<OverlayUse>& overlays, const CodePage& codePage) {
    std::string text = "%%BeginNonPPDFeature: Form \r\n{ \r\nuserdict /@ZEFormDict 2 copy known{\r\n\tget begin\r\n"
                       "\t/OVList [\r\n";
    for (const OverlayUse& use : overlays) {
        text += "\t\t(<<) cvx exec\r\n";
        std::u16string forms = u"\t\t\t/FormList [";
        for (const std::u16string& form : use.forms) forms += u" /" + form;
        text += codePage.toLocale(forms + u"]\r\n", kLineBytes);
        text += "\t\t\t/PageFlag " + std::to_string(use.pageMode) + "\r\n";
        if (use.pageMode == static_cast<std::uint16_t>(overlay::PageMode::Custom)) {
            text += "\t\t\t/PageArray [";
            std::u16string ranges;
            for (const auto& [first, last] : parsePageList(use.customPages)) ranges += u" [" + first + u" " + last + u"]";
            text += codePage.toLocale(ranges + u"]\r\n", kLineBytes);
        }
        text += "\t\t(>>) cvx exec\r\n";
    }
    text += "\t]def end\r\n}{pop pop}ifelse\r\n}stopped pop\r\n%%EndNonPPDFeature\r\n\r\n";
    return text;
}

void writeOverlayProcedureSets(RenderContext& ctx) {
    copyFile(ctx, u"PROCSET_JP");
    if (optionOf(ctx, "ZEOverlay") == "Use") copyFile(ctx, u"OVERLAY_JP");
    if (optionOf(ctx, "ZEOverPrint") == "True") copyFile(ctx, u"OVERPRT_JP");
}

void writeOverlayFormDictionary(RenderContext& ctx) {
    if (optionOf(ctx, "ZEOverlay") != "Use") return;
    std::vector<OverlayUse> overlays;
    for (std::uint16_t id : ctx.record.overlayIds)
        if (id != overlay::kEmptySlot) overlays.push_back(ctx.job.pluginIniFile.empty()
                                                              ? OverlayUse{}
                                                              : readOverlayUse(ctx.ports.profile, ctx.job.pluginIniFile, id));
    writeToStream(ctx, formDictionary(overlays, ctx.ports.codePage));
}

}  // namespace wren
