#include "feature_setup.h"

#include <array>
#include <string_view>

namespace wren::host {
namespace {

constexpr std::array<std::string_view, 2> kFromDevmode{"PageSize", "PageRegion"};

bool fromDevmode(std::string_view keyword) {
    for (std::string_view k : kFromDevmode)
        if (k == keyword) return true;
    return false;
}

}  // namespace

std::string FeatureSetup(const PpdFile& ppd, const std::map<std::string, std::string>& chosen) {
    std::string out;
    for (const PpdFeature& feature : ppd.features) {
        if (feature.installable || fromDevmode(feature.keyword)) continue;
        const auto choice = chosen.find(feature.keyword);
        if (choice == chosen.end()) continue;
        const std::optional<std::size_t> at = feature.find(choice->second);
        if (!at || feature.options[*at].invocation.empty()) continue;
        const std::string& code = feature.options[*at].invocation;
        out += "[{\n%%BeginFeature: *" + feature.keyword + " " + choice->second + "\n" + code;
        if (code.back() != '\n') out += '\n';
        out += "%%EndFeature\n} stopped cleartomark\n";
    }
    return out;
}

}  // namespace wren::host
