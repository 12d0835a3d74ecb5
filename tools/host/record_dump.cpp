#include "record_dump.h"

#include <cstdio>

#include "common/config/ini_document.h"
#include "common/settings/record_text.h"

namespace wren::host {
namespace {

class Lines {
public:
    template <typename T>
    void number(const char* name, T value) {
        char text[96];
        std::snprintf(text, sizeof text, "  %-22s %lld\n", name, static_cast<long long>(value));
        out += text;
    }
    void hex(const char* name, std::uint32_t value) {
        char text[96];
        std::snprintf(text, sizeof text, "  %-22s 0x%08X\n", name, value);
        out += text;
    }
    void text(const char* name, const std::string& value) {
        char label[64];
        std::snprintf(label, sizeof label, "  %-22s ", name);
        out += label;
        out += "\"" + value + "\"\n";
    }
    void five(const char* name, const std::int32_t (&values)[5]) {
        char text[128];
        std::snprintf(text, sizeof text, "  %-22s %d, %d, %d, %d, %d\n", name, values[0], values[1], values[2],
                      values[3], values[4]);
        out += text;
    }
    void heading(const char* title) { out += std::string(title) + "\n"; }
    std::string out;
};

}  // namespace

std::string describeRecord(const PrivateRecord& r) {
    Lines l;
    l.heading("header");
    l.number("dwSize", r.dwSize);
    l.hex("dwSignature", r.dwSignature);
    l.number("dwVersion", r.dwVersion);
    l.number("oemItemValue", r.oemItemValue);
    l.heading("job");
    l.text("jobName", toUtf8(readField(r.jobName)));
    l.text("password", toUtf8(readField(r.password)));
    l.number("askAtPrint", r.askAtPrint);
    l.number("watermarkIndex", r.watermarkIndex);
    l.number("overlayIds[0]", r.overlayIds[0]);
    l.number("compressionLevel", r.compressionLevel);
    l.number("nupCode", r.nupCode);
    l.number("orientation", r.orientation);
    l.heading("files");
    l.text("driverDirectory", toUtf8(readField(r.driverDirectory)));
    l.text("pluginIniPath", toUtf8(readField(r.pluginIniPath)));
    l.text("capabilityFilePath", toUtf8(readField(r.capabilityFilePath)));
    l.heading("colour");
    l.hex("ccmSetting", r.ccmSetting);
    l.number("gammaOn", r.gammaOn);
    l.number("gammaSettingId", r.gammaSettingId);
    l.number("noSpecialColorSpace", r.noSpecialColorSpace);
    l.number("whiteAdjust", r.whiteAdjust);
    l.number("whiteAdjustBlack", r.whiteAdjustBlack);
    l.number("cartridgeOff", r.cartridgeOff);
    l.number("colorRatioA", r.colorRatioA);
    l.number("colorRatioB", r.colorRatioB);
    l.heading("paper");
    l.number("fitToPaper", r.fitToPaper);
    l.number("outputPaperSize", r.outputPaperSize);
    l.number("outputPaperIndex", r.outputPaperIndex);
    l.number("documentPaperSize", r.documentPaperSize);
    l.number("documentPaperWidth", r.documentPaperWidth);
    l.number("documentPaperLength", r.documentPaperLength);
    l.number("fitScale", r.fitScale);
    l.number("finishingPaperSize", r.finishingPaperSize);
    l.number("rotateSortCopy", r.rotateSortCopy);
    l.number("collateCopy", r.collateCopy);
    l.heading("duplex position correction");
    l.number("duplexCorrectionOn", r.duplexCorrectionOn);
    l.five("duplexScaleX", r.duplexScaleX);
    l.five("duplexScaleY", r.duplexScaleY);
    l.five("duplexOffsetX", r.duplexOffsetX);
    l.five("duplexOffsetY", r.duplexOffsetY);
    l.five("duplexAdjust", r.duplexAdjust);
    l.heading("encryption");
    l.number("cryptMode", r.cryptMode);
    l.number("cryptStrength", r.cryptStrength);
    l.number("cryptPasswordLength", r.cryptPasswordLength);
    l.hex("cryptTimeLimit", r.cryptTimeLimit);
    l.number("cryptOption", r.cryptOption);
    l.heading("user authentication");
    l.number("uaEnabled", r.uaEnabled);
    l.text("uaText1", readField(r.uaText1));
    l.text("uaText2", readField(r.uaText2));
    l.number("uaValid", r.uaValid);
    l.number("uaLayout", r.uaLayout);
    l.number("uaValue1", r.uaValue1);
    l.number("uaValue2", r.uaValue2);
    l.number("uaKind", r.uaKind);
    l.heading("carried");
    l.number("reserved1", r.reserved1);
    l.number("reserved2", r.reserved2);
    l.number("reserved4", r.reserved4);
    l.number("reserved7", r.reserved7);
    l.number("reserved8", r.reserved8);
    l.number("reserved11", r.reserved11);
    return l.out;
}

std::string describeField(const PrivateRecord& record, const std::string& name) {
    const std::string text = describeRecord(record);
    const std::string label = "  " + name + " ";
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (line.substr(0, label.size()) == label) {
            line.remove_prefix(label.size());
            while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
            return std::string(line);
        }
        start = end + 1;
    }
    return "?";
}

}  // namespace wren::host
