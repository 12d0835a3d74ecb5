#include "ui/options/file_opening.h"

#include <algorithm>

namespace wren::ui {

void OpenUpFile(FileSecurity& security, std::u16string_view path) {
    if (path.empty()) return;
    if (!security.grantEveryone(path)) {
        if (!security.ownByAdministrators(path)) {
            const bool privileged = security.takeOwnershipPrivilege(true);
            if (privileged) security.ownByAdministrators(path);
        }
        security.grantEveryone(path);
        security.takeOwnershipPrivilege(false);
    }
    security.clearReadOnly(path);
}

std::optional<std::u16string> PpdBesidePluginIni(std::u16string_view pluginIni) {
    constexpr std::size_t kSearchChars = 257;
    const std::u16string_view searched = pluginIni.substr(0, std::min(pluginIni.size(), kSearchChars));
    const std::size_t dot = searched.find(u'.');
    if (dot == std::u16string_view::npos) return std::nullopt;
    std::u16string path(pluginIni.substr(0, dot + 1));
    path += u"PPD";
    if (dot + 4 < pluginIni.size()) path += pluginIni.substr(dot + 4);
    return path;
}

}  // namespace wren::ui
