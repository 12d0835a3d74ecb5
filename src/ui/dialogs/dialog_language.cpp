#include "ui/dialogs/dialog_language.h"

namespace wren::ui {
namespace {

constexpr std::uint16_t kPrimaryMask = 0x03FF;
constexpr std::uint16_t kPrimaryChinese = 0x0004;
// Among the Chinese sublanguages, bit 10 is set for the traditional-script
// locales (Taiwan, Hong Kong, Macau: odd sublanguages) and clear for the
// simplified ones (PRC, Singapore).
constexpr std::uint16_t kScriptBit = 0x0400;

std::uint16_t primary(std::uint16_t language) { return language & kPrimaryMask; }
bool hasSublanguage(std::uint16_t language) { return (language >> 10) != 0; }

}  // namespace

std::uint16_t FindBestDialogLanguage(std::span<const std::uint16_t> languages, std::uint16_t wantedLanguage) {
    std::uint16_t best = 0;
    for (std::uint16_t language : languages) {
        if (language == wantedLanguage) return language;
        if (primary(language) != primary(wantedLanguage)) continue;
        if (primary(language) == kPrimaryChinese && best != 0 && hasSublanguage(best) &&
            (language & kScriptBit) != (wantedLanguage & kScriptBit))
            continue;
        best = language;
    }
    return best;
}

}  // namespace wren::ui
