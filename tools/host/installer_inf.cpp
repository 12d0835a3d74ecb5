#include "installer_inf.h"

#include <cctype>
#include <map>

namespace wren::host {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

struct Line {
    std::string key;    // empty for a bare line (a file list entry)
    std::string value;  // everything after "=", or the whole line
};

// Sections by lowered name; each line with its comment cut off (";" outside
// quotes) and its key split off at the first "=" outside quotes.
class Inf {
public:
    explicit Inf(std::string_view text) {
        std::vector<Line>* current = nullptr;
        std::size_t at = 0;
        while (at <= text.size()) {
            std::size_t end = text.find('\n', at);
            if (end == std::string_view::npos) end = text.size();
            std::string line = uncomment(text.substr(at, end - at));
            at = end + 1;
            line = trim(line);
            if (line.empty()) continue;
            if (line.front() == '[') {
                const std::size_t close = line.find(']');
                current = &sections_[lower(trim(line.substr(1, close == std::string::npos ? line.size() : close - 1)))];
                continue;
            }
            if (!current) continue;
            current->push_back(split(line));
        }
        for (const Line& l : section("Strings")) strings_[lower(unquote(l.key))] = unquote(l.value);
    }
    const std::vector<Line>& section(std::string_view name) const {
        static const std::vector<Line> none;
        auto it = sections_.find(lower(name));
        return it == sections_.end() ? none : it->second;
    }
    bool has(std::string_view name) const { return sections_.count(lower(name)) != 0; }
    std::optional<std::string> value(std::string_view sectionName, std::string_view key) const {
        for (const Line& l : section(sectionName))
            if (lower(expand(l.key)) == lower(key)) return expand(l.value);
        return std::nullopt;
    }
    // %name% replaced from [Strings]; quotes dropped.
    std::string expand(std::string_view raw) const {
        std::string s = unquote(raw), out;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const std::size_t close = s[i] == '%' ? s.find('%', i + 1) : std::string::npos;
            if (close != std::string::npos) {
                auto it = strings_.find(lower(s.substr(i + 1, close - i - 1)));
                if (it != strings_.end()) {
                    out += it->second;
                    i = close;
                    continue;
                }
            }
            out.push_back(s[i]);
        }
        return out;
    }

private:
    static std::string uncomment(std::string_view line) {
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"') quoted = !quoted;
            if (line[i] == ';' && !quoted) return std::string(line.substr(0, i));
        }
        return std::string(line);
    }
    static Line split(const std::string& line) {
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"') quoted = !quoted;
            if (line[i] == '=' && !quoted) return {trim(line.substr(0, i)), trim(line.substr(i + 1))};
        }
        return {"", line};
    }
    static std::string unquote(std::string_view s) {
        std::string t = trim(s);
        if (t.size() >= 2 && t.front() == '"' && t.back() == '"') return t.substr(1, t.size() - 2);
        return t;
    }
    std::map<std::string, std::vector<Line>> sections_;
    std::map<std::string, std::string> strings_;
};

std::vector<std::string> fields(std::string_view list) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at <= list.size()) {
        std::size_t comma = list.find(',', at);
        if (comma == std::string_view::npos) comma = list.size();
        out.push_back(trim(list.substr(at, comma - at)));
        at = comma + 1;
    }
    return out;
}

// The models sections the [Manufacturer] entries name, x64 first.
std::vector<std::string> modelSections(const Inf& inf) {
    std::vector<std::string> out;
    for (const Line& l : inf.section("Manufacturer")) {
        const std::vector<std::string> parts = fields(inf.expand(l.value));
        if (parts.empty() || parts[0].empty()) continue;
        std::string chosen = parts[0];
        for (std::size_t i = 1; i < parts.size(); ++i)
            if (lower(parts[i]) == "ntamd64" && inf.has(parts[0] + "." + parts[i])) chosen = parts[0] + "." + parts[i];
        out.push_back(chosen);
    }
    return out;
}

std::optional<std::string> installSectionOf(const Inf& inf, std::string_view driverName) {
    for (const std::string& models : modelSections(inf))
        for (const Line& l : inf.section(models))
            if (inf.expand(l.key) == driverName) {
                const std::vector<std::string> parts = fields(inf.expand(l.value));
                if (!parts.empty() && !parts[0].empty()) return parts[0];
            }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> InfDriverNames(std::string_view infText) {
    const Inf inf(infText);
    std::vector<std::string> names;
    for (const std::string& models : modelSections(inf))
        for (const Line& l : inf.section(models))
            if (!l.key.empty()) names.push_back(inf.expand(l.key));
    return names;
}

std::optional<PackageFiles> ReadPackageInf(std::string_view infText, std::string_view driverName, std::string& error) {
    const Inf inf(infText);
    const std::optional<std::string> section = installSectionOf(inf, driverName);
    if (!section) {
        error = "the INF has no x64 model named \"" + std::string(driverName) + "\"";
        return std::nullopt;
    }
    if (!inf.has(*section)) {
        error = "the INF has no install section [" + *section + "]";
        return std::nullopt;
    }
    PackageFiles files;
    files.installSection = *section;
    files.dataFile = inf.value(*section, "DataFile").value_or("");
    if (files.dataFile.empty()) {
        error = "[" + *section + "] names no DataFile";
        return std::nullopt;
    }
    const std::optional<std::string> copy = inf.value(*section, "CopyFiles");
    if (!copy) {
        error = "[" + *section + "] has no CopyFiles";
        return std::nullopt;
    }
    bool dataFileCopied = false;
    for (const std::string& item : fields(*copy)) {
        if (item.empty()) continue;
        std::vector<std::string> names;
        int machine = 0;
        if (item.front() == '@') {
            names.push_back(item.substr(1));
        } else {
            if (!inf.has(item)) {
                error = "CopyFiles names the missing section [" + item + "]";
                return std::nullopt;
            }
            const std::optional<std::string> dir = inf.value("DestinationDirs", item);
            const std::string id = dir && !fields(*dir).empty() ? fields(*dir)[0] : std::string();
            if (id == std::to_string(kInfWindowsDirectory)) machine = kInfWindowsDirectory;
            if (id == std::to_string(kInfSystemDirectory) || id == std::to_string(kInfPrinterSystemDirectory))
                machine = kInfSystemDirectory;
            for (const Line& l : inf.section(item)) {
                const std::vector<std::string> parts = fields(inf.expand(l.key.empty() ? l.value : l.key));
                if (!parts.empty() && !parts[0].empty()) names.push_back(parts[0]);
            }
        }
        for (const std::string& name : names) {
            if (machine) files.machineFiles.push_back({machine, name});
            else if (lower(name) == lower(files.dataFile)) dataFileCopied = true;
            else files.dependentFiles.push_back(name);
        }
    }
    if (!dataFileCopied) {
        error = "the DataFile " + files.dataFile + " is not among the copied files";
        return std::nullopt;
    }
    return files;
}

}  // namespace wren::host
