#include "record_dump.h"

#include <cstdio>
#include <optional>
#include <string_view>

#include "common/settings/record_schema.h"

namespace wren::host {
namespace {

// The dump's layout: headings and the fields under each, in the order a
// reader looks for them. "name[i]" is one element of a list.
struct Group {
    const char* heading;
    std::initializer_list<std::string_view> fields;
};
const Group kGroups[] = {
    {"header", {"dwSize", "dwSignature", "dwVersion", "oemItemValue"}},
    {"job", {"jobName", "password", "askAtPrint", "watermarkIndex", "overlayIds[0]", "compressionLevel", "nupCode",
             "orientation"}},
    {"files", {"driverDirectory", "pluginIniPath", "capabilityFilePath"}},
    {"colour", {"ccmSetting", "gammaOn", "gammaSettingId", "noSpecialColorSpace", "whiteAdjust", "whiteAdjustBlack",
                "cartridgeOff", "colorRatioA", "colorRatioB"}},
    {"paper", {"fitToPaper", "outputPaperSize", "outputPaperIndex", "documentPaperSize", "documentPaperWidth",
               "documentPaperLength", "fitScale", "finishingPaperSize", "rotateSortCopy", "collateCopy"}},
    {"duplex position correction",
     {"duplexCorrectionOn", "duplexScaleX", "duplexScaleY", "duplexOffsetX", "duplexOffsetY", "duplexAdjust"}},
    {"encryption", {"cryptMode", "cryptStrength", "cryptPasswordLength", "cryptTimeLimit", "cryptOption"}},
    {"user authentication", {"uaEnabled", "uaText1", "uaText2", "uaValid", "uaLayout", "uaValue1", "uaValue2", "uaKind"}},
    {"carried", {"reserved1", "reserved2", "reserved4", "reserved7", "reserved8", "reserved11"}},
};

// Codes and bit sets read better in hexadecimal.
bool shownInHex(std::string_view name) {
    return name == "dwSignature" || name == "ccmSetting" || name == "cryptTimeLimit";
}

// "name" or "name[i]": the field and the element, or the whole list.
struct Place {
    const RecordField* field = nullptr;
    std::optional<std::size_t> element;
};
Place placeOf(std::string_view name) {
    Place place;
    const std::size_t bracket = name.find('[');
    if (bracket != std::string_view::npos && name.back() == ']') {
        std::size_t index = 0;
        for (char c : name.substr(bracket + 1, name.size() - bracket - 2)) {
            if (c < '0' || c > '9') return {};
            index = index * 10 + static_cast<std::size_t>(c - '0');
        }
        place.element = index;
        name = name.substr(0, bracket);
    }
    place.field = findRecordField(name);
    if (place.field && place.element && *place.element >= place.field->count) return {};
    return place;
}

std::string valueText(const PrivateRecord& record, std::string_view name) {
    const Place place = placeOf(name);
    if (!place.field) return "?";
    const RecordField& f = *place.field;
    char text[32];
    switch (f.kind) {
    case FieldKind::Text: return std::string("\"").append(readText(record, f)).append("\"");
    case FieldKind::Bytes: {
        std::string out;
        for (unsigned char b : readBytes(record, f)) {
            std::snprintf(text, sizeof text, "%02X", b);
            out += text;
        }
        return out;
    }
    case FieldKind::Integer: break;
    }
    if (f.isList() && !place.element) {
        std::string out;
        for (std::size_t i = 0; i < f.count; ++i) {
            if (i) out += ", ";
            out += std::to_string(readInteger(record, f, i));
        }
        return out;
    }
    const std::int64_t value = readInteger(record, f, place.element.value_or(0));
    if (shownInHex(f.name)) std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    else std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return text;
}

}  // namespace

std::string describeRecord(const PrivateRecord& record) {
    std::string out;
    for (const Group& group : kGroups) {
        out.append(group.heading).append("\n");
        for (std::string_view name : group.fields) {
            char label[64];
            std::snprintf(label, sizeof label, "  %-22.*s ", static_cast<int>(name.size()), name.data());
            out.append(label).append(valueText(record, name)).append("\n");
        }
    }
    return out;
}

std::string describeField(const PrivateRecord& record, const std::string& name) { return valueText(record, name); }

}  // namespace wren::host
