#include "common/config/dependent_files.h"

#include <vector>

namespace wren {
namespace {

// Names longer than a path buffer cannot be one of our files: cut to fit,
// they would name another file.
constexpr std::size_t kMaxNameChars = kMaxPathChars;

char16_t lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }

bool endsWithExtension(std::u16string_view name, const char16_t (&ext)[4]) {
    if (name.size() < 4) return false;
    std::u16string_view tail = name.substr(name.size() - 4);
    if (tail[0] != u'.') return false;
    for (int i = 1; i < 4; ++i)
        if (lower(tail[i]) != ext[i - 1]) return false;
    return true;
}

// The names of the list that lie wholly within its first 3072 characters.
// A name cut by that limit is not examined: it is not the file it names.
std::vector<std::u16string_view> namesOf(std::u16string_view list) {
    std::vector<std::u16string_view> names;
    if (list.size() > kDependentListChars) list = list.substr(0, kDependentListChars);
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(u'\0', start);
        if (end == std::u16string_view::npos) break;  // unterminated: cut by the limit
        if (end == start) break;                      // the closing NUL
        std::u16string_view name = list.substr(start, end - start);
        if (name.size() <= kMaxNameChars) names.push_back(name);
        start = end + 1;
    }
    return names;
}

}  // namespace

ConfigFiles scanDependentFiles(std::u16string_view list, const Profile& profile,
                               std::size_t oemConfigChars) {
    ConfigFiles files;
    for (std::u16string_view name : namesOf(list)) {
        if (endsWithExtension(name, {u'i', u'n', u'i', 0})) {
            files.found = true;
            std::u16string plugin = profile.readString(name, u"OEMFiles", u"OEMConfigFile1", oemConfigChars);
            if (!plugin.empty()) files.pluginIni = std::u16string(name);
        } else if (endsWithExtension(name, {u'c', u'a', u'p', 0})) {
            files.found = true;
            files.capabilityFile = std::u16string(name);
        }
    }
    return files;
}

std::optional<std::u16string> findVersionFile(std::u16string_view list) {
    std::optional<std::u16string> found;
    for (std::u16string_view name : namesOf(list))
        if (endsWithExtension(name, {u'v', u'e', u'r', 0})) found = std::u16string(name);
    return found;
}

std::optional<std::u16string> folderOfPath(std::u16string_view path) {
    std::size_t limit = path.size() < 258 ? path.size() : 258;
    std::size_t dot = path.substr(0, limit).find(u'.');
    if (dot == std::u16string_view::npos) return std::nullopt;
    std::size_t slash = path.substr(0, dot).rfind(u'\\');
    if (slash == std::u16string_view::npos) return std::nullopt;
    return std::u16string(path.substr(0, slash + 1));
}

}  // namespace wren
