#include "ui/features/option_names.h"

#include <algorithm>

namespace wren::ui {
namespace {

constexpr std::u16string_view kLetterMarker = u"\u30EC\u30BF\u30FC";
constexpr std::u16string_view kUnsetUserType = u"default_name";

bool HasOptionNamed(const OptionTree& tree, std::size_t item, std::u16string_view name) {
    for (std::size_t k = 0; k < tree.optionCount(item); ++k)
        if (tree.optionName(item, k) == name) return true;
    return false;
}

std::u16string UserTypeKey(std::size_t number) {
    std::u16string key = u"USERTYPE";
    for (char c : std::to_string(number)) key.push_back(static_cast<char16_t>(c));
    return key;
}

}  // namespace

std::vector<std::u16string> SplitHiddenPaperNames(std::u16string_view list) {
    std::vector<std::u16string> names;
    std::size_t fields = 0;
    while (fields < kMaxHiddenPaperNames) {
        const std::size_t comma = list.find(u',');
        const std::u16string_view field = list.substr(0, comma);
        ++fields;
        if (!field.empty() && field.size() <= kMaxPaperNameChars) names.emplace_back(field);
        if (comma == std::u16string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return names;
}

void HideListedPaperNames(OptionTree& tree, std::size_t item, const Profile& profile,
                          std::u16string_view pluginIni) {
    if (!HasOptionNamed(tree, item, kLetterMarker)) return;
    const std::u16string list =
        profile.readString(pluginIni, u"Plg_Feature", u"HidePaperName", kHidePaperNameChars);
    const std::vector<std::u16string> names = SplitHiddenPaperNames(list);
    if (names.empty()) return;
    for (std::size_t k = 0; k < tree.optionCount(item); ++k) {
        const std::u16string name = tree.optionName(item, k);
        if (std::find(names.begin(), names.end(), name) != names.end())
            tree.setOptionFlags(item, k, static_cast<std::uint8_t>(tree.optionFlags(item, k) | kOptionHide));
    }
}

void ApplyUserMediaTypes(OptionTree& tree, std::size_t item, const Profile& profile,
                         std::u16string_view pluginIni) {
    const std::size_t options = tree.optionCount(item);
    std::vector<std::u16string> userTypes;
    while (userTypes.size() < options) {
        std::u16string value = profile.readString(pluginIni, u"Usertype", UserTypeKey(userTypes.size() + 1),
                                                  kUserTypeChars, kUnsetUserType);
        if (value == kUnsetUserType) break;
        userTypes.push_back(std::move(value));
    }
    const std::size_t first = options - userTypes.size();
    for (std::size_t i = 0; i < userTypes.size(); ++i)
        if (!userTypes[i].empty()) tree.setOptionName(item, first + i, userTypes[i]);
}

}  // namespace wren::ui
