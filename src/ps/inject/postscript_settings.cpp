#include "ps/inject/postscript_settings.h"

#include "ps/inject/number_format.h"
#include "ps/job/render_services.h"

namespace wren {
namespace {

constexpr std::size_t kHalftoneNameChars = 260;
constexpr std::size_t kGammaCommandChars = 40000;
constexpr std::size_t kGammaCommandBytes = 20000;

enum Duplex { kSimplex = 1, kLongEdge = 2, kShortEdge = 3 };

std::string decimal(long long value) { return std::to_string(value); }

void appendSide(std::string& out, const PrivateRecord& r, int i, const char* side) {
    const std::string s(side);
    out += globalEntry("ZE@_ScaleX" + s, ratioText(r.duplexScaleX[i]));
    out += globalEntry("ZE@_ScaleY" + s, ratioText(r.duplexScaleY[i]));
    out += globalEntry("ZE@_OffsetX" + s, fixedTwoPlaces(offsetInPointHundredths(r.duplexOffsetX[i], +1)));
    out += globalEntry("ZE@_OffsetY" + s, fixedTwoPlaces(offsetInPointHundredths(r.duplexOffsetY[i], -1)));
    out += globalEntry("ZE@_Skew" + s, fixedTwoPlaces(-static_cast<std::int64_t>(r.duplexAdjust[i])));
}

}  // namespace

std::string globalEntry(std::string_view key, std::string_view value) {
    std::string entry = "globaldict /";
    entry += key;
    entry += ' ';
    entry += value;
    entry += " put \r\n\n";
    return entry;
}

bool adjustmentApplies(const RenderContext& ctx) {
    return ctx.record.duplexCorrectionOn == 1 && ctx.devmode.dmNup == 1;
}

std::string adjustmentEntries(const PrivateRecord& r, int duplex) {
    // Table index: 0 simplex, 1/2 long-edge front/back, 3/4 short-edge front/back.
    const int front = duplex == kLongEdge ? 1 : duplex == kShortEdge ? 3 : 0;
    std::string out;
    appendSide(out, r, front, "Front");
    if (duplex != kSimplex) appendSide(out, r, front + 1, "Back");
    out += globalEntry("ZE@_Duplex_Correction", duplex != kSimplex ? "true" : "false");
    return out;
}

std::string prologSettings(const RenderContext& ctx, bool icCardPresent) {
    const PrivateRecord& r = ctx.record;
    std::string out;
    out += globalEntry("ZE@NupNumber", decimal(nupCount(r.nupCode)));
    out += globalEntry("ZE@Orientation", decimal(r.orientation));
    out += globalEntry("ZE@ColorMono", decimal(ctx.devmode.dmColor));
    if (icCardPresent) out += "globaldict /ZE@ICCARD true  put \r\n\n";
    if (r.noSpecialColorSpace != 1) out += globalEntry("ZE@_SpecialColorSpace", "1");
    if (adjustmentApplies(ctx)) out += adjustmentEntries(r, ctx.devmode.dmDuplex);
    out += globalEntry("ZE@_WhiteAdjust", decimal(r.whiteAdjust));
    out += globalEntry("ZE@_WhiteAdjustBlack100", r.whiteAdjustBlack != 0 ? "0" : "100");
    const bool resolutionFirst =
        ctx.devmode.dmColor == 1 || optionOf(ctx, "ZEControl") == "Gray" ||
        (optionOf(ctx, "ZESpecialTonerInstalled") != "None" &&
         optionOf(ctx, "ZESpecialColorControl") == "OnlySpecialColor");
    out += globalEntry("ZE@_ResolutionFirst", resolutionFirst ? "1" : "0");
    if (r.cartridgeOff == 0) out += globalEntry("ZE@_Cartridge", "1");
    else if (r.cartridgeOff == 1) out += globalEntry("ZE@_Cartridge", "0");
    return out;
}

bool writeGammaFeature(RenderContext& ctx) {
    const PrivateRecord& r = ctx.record;
    if (r.gammaOn == 0) return true;
    std::string command;
    std::u16string halftone;
    if (!ctx.job.pluginIniFile.empty())
        halftone = ctx.ports.profile.readString(ctx.job.pluginIniFile, u"DependentFiles", u"HALFTONE", kHalftoneNameChars);
    if (!halftone.empty()) {
        const std::string number = std::to_string(r.gammaSettingId & 0xFF);
        const std::u16string key = u"PSGammaCommand" + std::u16string(number.begin(), number.end());
        std::u16string text = ctx.ports.profile.readString(driverFilePath(ctx, halftone), u"PSGamma", key, kGammaCommandChars);
        // A command too long for the printer's buffer is left out whole:
        // cut short it would break the PostScript around it.
        std::string converted = ctx.ports.codePage.toLocale(text, kGammaCommandChars * 4);
        if (!converted.empty() && converted.size() < kGammaCommandBytes) command = converted + "\r\n";
    }
    std::string block = "featurebegin{\r\n%%BeginFeature: *ZETone Gumma1\r\n";
    block += command;
    block += "%%EndFeature\r\n}featurecleanup\r\n";
    return writeToStream(ctx, block);
}

bool writeMediaOverride(RenderContext& ctx) {
    return !adjustmentApplies(ctx) || writeToStream(ctx, kMediaOverrideFragment);
}

const std::string_view kMediaOverrideFragment =
    "userdict/Adobe_AGM_Utils known{\r\n"
    "Adobe_AGM_Utils begin \r\n"
    "Adobe_AGM_Core begin \r\n"
    "/tem /driver_check_media_override load def \r\n"
    "/driver_check_media_override \r\n"
    "{ Adobe_AGM_Core begin \r\n"
    " tem \r\n"
    " end \r\n"
    "globaldict /ZE@_Duplex_Correction 2 copy known{get \r\n"
    "{ \r\n"
    "globaldict /ZE@_NumofPage_Adobe 2 copy known{ globaldict /ZE@_NumofPage_Adobe get 1 add  put ZE@_NumofPage_Adobe}{1 put 1}ifelse \r\n"
    "2 mod 1 eq {ZE@FrontPage_Correction}{ZE@BackPage_Correction}ifelse \r\n"
    "}{ZE@FrontPage_Correction}ifelse \r\n"
    "}{pop pop}ifelse \r\n"
    "}def\r\n"
    "end\r\n"
    "end\r\n"
    "}if\r\n";

}  // namespace wren
