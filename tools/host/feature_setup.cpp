#include "feature_setup.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace wren::host {
namespace {

constexpr std::array<std::string_view, 2> kFromDevmode{"PageSize", "PageRegion"};

bool fromDevmode(std::string_view keyword) {
    for (std::string_view k : kFromDevmode)
        if (k == keyword) return true;
    return false;
}

// The setup takes the features whose code may go anywhere or belongs to
// the document's setup; page setup, prolog and JCL code go elsewhere.
bool documentSetup(const PpdFeature& feature) {
    return !feature.jcl && (feature.section == "AnySetup" || feature.section == "DocumentSetup");
}

}  // namespace

std::string FeatureSetup(const PpdFile& ppd, const std::map<std::string, std::string>& chosen) {
    std::vector<const PpdFeature*> features;
    for (const PpdFeature& feature : ppd.features)
        if (!feature.installable && !fromDevmode(feature.keyword) && documentSetup(feature)) features.push_back(&feature);
    // By order value; features of equal order keep the file's order.
    std::stable_sort(features.begin(), features.end(),
                     [](const PpdFeature* a, const PpdFeature* b) { return a->order < b->order; });
    std::string out;
    for (const PpdFeature* f : features) {
        const PpdFeature& feature = *f;
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
