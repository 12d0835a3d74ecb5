#include "ui/about/about_texts.h"

#include <optional>

#include "common/config/dependent_files.h"

namespace wren::ui {
namespace {

constexpr std::size_t kInternalRoom = 247;         // what the version field has left
constexpr std::size_t kDriverVerShown = 5;         // "1.0.3" of "1.0.3.0"
constexpr std::size_t kPpdFileBytes = 4u << 20;    // a printer description is far smaller

// Calls `line` with each line as a program reading with a 256-byte buffer
// sees it: at most 255 bytes, a longer line in pieces, the line feed kept.
// Stops when `line` returns true.
template <typename Line>
void forEachLine(std::string_view text, Line line) {
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        end = end == std::string_view::npos ? text.size() : end + 1;
        if (end - at > kPpdLineBytes) end = at + kPpdLineBytes;
        if (line(text.substr(at, end - at))) return;
        at = end;
    }
}

std::string_view untilAny(std::string_view text, std::string_view stops, std::size_t limit) {
    std::size_t end = text.find_first_of(stops);
    if (end == std::string_view::npos) end = text.size();
    return text.substr(0, end < limit ? end : limit);
}

std::u16string widen(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return out;
}

std::string readAll(const FileSource& files, std::u16string_view path) {
    std::string text;
    if (path.empty()) return text;
    std::unique_ptr<ReadableFile> file = files.openShared(path);
    if (!file) return text;
    char block[4096];
    while (text.size() < kPpdFileBytes) {
        std::optional<std::size_t> got = file->read(block, sizeof block);
        if (!got || *got == 0) break;
        text.append(block, *got);
    }
    return text;
}

}  // namespace

std::u16string PrinterDescriptionPath(std::u16string_view pluginIni) {
    const std::size_t dot = pluginIni.find(u'.');
    if (dot == std::u16string_view::npos || dot + 1 + 3 > kPpdPathChars) return {};
    std::u16string path;
    for (char16_t c : pluginIni.substr(0, dot + 1)) path.push_back(static_cast<char16_t>(c & 0xFF));
    return path + u"PPD";
}

std::string PpdFileVersion(std::string_view ppd) {
    std::string out;
    forEachLine(ppd, [&](std::string_view line) {
        if (line.find("FileVersion") == std::string_view::npos) return false;
        const std::size_t quote = line.find('"');
        if (quote == std::string_view::npos) return false;
        out = untilAny(line.substr(quote + 1), "\"\r\n", kPpdVersionChars);
        return true;
    });
    return out;
}

std::string PpdCopyright(std::string_view ppd) {
    std::string out;
    forEachLine(ppd, [&](std::string_view line) {
        if (line.find("Copyright") == std::string_view::npos) return false;
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) return false;
        out = untilAny(line.substr(blank + 1), "\r\n", kCopyrightChars);
        return true;
    });
    return out;
}

std::u16string DriverVersionText(std::u16string_view optionVer, std::u16string_view driverVer,
                                 std::u16string_view internalVer) {
    if (!optionVer.empty()) return std::u16string(optionVer.substr(0, kOptionVerChars - 1));

    std::u16string version;
    if (const std::size_t comma = driverVer.find(u','); comma != std::u16string_view::npos) {
        std::u16string_view after = driverVer.substr(comma + 1);
        after = after.substr(0, after.find(u'"'));
        after = after.substr(0, kDriverVerChars - 1);
        for (char16_t c : after.substr(0, kDriverVerShown)) version.push_back(static_cast<char16_t>(c & 0xFF));
    }

    bool quoted = false;
    int hyphens = 0;
    for (std::size_t i = 0; i < internalVer.size(); ++i) {
        const char16_t c = internalVer[i];
        if (c == u'"') quoted = !quoted;
        if (c != u'-' || quoted || ++hyphens < 2) continue;
        if (internalVer.size() - i < kInternalRoom) {
            std::u16string_view rest = internalVer.substr(i + 1);
            if (!rest.empty() && rest.front() == u'"') {
                // A quoted tail: without its quotes (the value's last character).
                rest.remove_prefix(1);
                if (!rest.empty()) rest.remove_suffix(1);
            }
            version += rest;
        }
        break;
    }
    return version;
}

std::u16string InternalVersion(const Profile& profile, const DriverConfig& config) {
    const std::optional<std::u16string> file = config.versionFile();
    return file ? profile.readString(*file, u"Version", u"InternalVer", kInternalVerChars) : std::u16string();
}

AboutTexts ReadAboutTexts(const Profile& profile, const DriverConfig& config, const FileSource& files,
                          std::u16string_view pluginIni) {
    AboutTexts texts;
    const std::string ppd = readAll(files, PrinterDescriptionPath(pluginIni));
    texts.ppdVersion = widen(PpdFileVersion(ppd));
    texts.copyright = widen(PpdCopyright(ppd));
    if (const std::optional<std::u16string> file = config.versionFile()) {
        texts.driverVersion =
            DriverVersionText(profile.readString(*file, u"Version", u"OptionVer", kOptionVerChars),
                              profile.readString(*file, u"Version", u"DriverVer", kDriverVerChars),
                              profile.readString(*file, u"Version", u"InternalVer", kInternalVerChars));
    }
    if (std::optional<PrinterDetails> details = config.spooler().printerDetails(config.printer()))
        texts.driverName = details->driverName;
    return texts;
}

}  // namespace wren::ui
