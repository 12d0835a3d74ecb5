#include "common/config/ini_document.h"

#include <cstdint>

namespace wren {
namespace {

char16_t lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; }

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::u16string_view unquote(std::u16string_view s) {
    if (s.size() >= 2 && (s.front() == u'"' || s.front() == u'\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

}  // namespace

bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::size_t IniDocument::NoCaseHash::operator()(std::u16string_view name) const noexcept {
    // FNV-1a over the lowered units.
    std::uint64_t hash = 14695981039346656037ull;
    for (char16_t c : name) hash = (hash ^ lower(c)) * 1099511628211ull;
    return static_cast<std::size_t>(hash);
}

bool IniDocument::NoCaseEqual::operator()(std::u16string_view a, std::u16string_view b) const noexcept {
    return equalsNoCase(a, b);
}

IniDocument IniDocument::parse(std::u16string_view text) {
    using Kind = Irregularity::Kind;
    IniDocument doc;
    if (!text.empty() && text.front() == u'\xFEFF') text.remove_prefix(1);
    std::optional<std::size_t> current;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        std::size_t eol = text.find(u'\n');
        std::u16string_view line = trim(text.substr(0, eol));
        text = eol == std::u16string_view::npos ? std::u16string_view{} : text.substr(eol + 1);
        ++lineNumber;
        if (line.empty() || line.front() == u';') continue;
        if (line.front() == u'[') {
            std::size_t close = line.find(u']');
            if (close == std::u16string_view::npos)
                doc.irregularities_.push_back(Irregularity{Kind::UnclosedSection, lineNumber, std::u16string(line)});
            std::u16string_view name = trim(line.substr(1, close == std::u16string_view::npos ? line.size() - 1 : close - 1));
            current = doc.sectionAt(name);
            continue;
        }
        if (!current) {
            doc.irregularities_.push_back(Irregularity{Kind::KeyOutsideSection, lineNumber, std::u16string(line)});
            continue;
        }
        std::size_t eq = line.find(u'=');
        std::u16string_view key = trim(line.substr(0, eq));
        std::u16string_view value = eq == std::u16string_view::npos ? std::u16string_view{} : unquote(trim(line.substr(eq + 1)));
        if (doc.findKey(*current, key))
            doc.irregularities_.push_back(Irregularity{Kind::DuplicateKey, lineNumber, std::u16string(line)});
        else
            doc.append(*current, key, value);
    }
    return doc;
}

std::optional<std::size_t> IniDocument::findSection(std::u16string_view name) const {
    auto it = sectionIndex_.find(name);
    if (it == sectionIndex_.end()) return std::nullopt;
    return it->second;
}

std::size_t IniDocument::sectionAt(std::u16string_view name) {
    if (auto found = findSection(name)) return *found;
    sections_.push_back(Section{std::u16string(name), {}});
    keyIndex_.emplace_back();
    sectionIndex_.emplace(std::u16string(name), sections_.size() - 1);
    return sections_.size() - 1;
}

std::optional<std::size_t> IniDocument::findKey(std::size_t section, std::u16string_view key) const {
    const Index& index = keyIndex_[section];
    auto it = index.find(key);
    if (it == index.end()) return std::nullopt;
    return it->second;
}

void IniDocument::append(std::size_t section, std::u16string_view key, std::u16string_view value) {
    std::vector<Entry>& entries = sections_[section].entries;
    entries.push_back(Entry{std::u16string(key), std::u16string(value)});
    keyIndex_[section].emplace(std::u16string(key), entries.size() - 1);
}

const IniDocument::Section* IniDocument::section(std::u16string_view name) const {
    auto found = findSection(name);
    return found ? &sections_[*found] : nullptr;
}

std::optional<std::u16string> IniDocument::value(std::u16string_view sectionName, std::u16string_view key) const {
    auto s = findSection(sectionName);
    if (!s) return std::nullopt;
    auto k = findKey(*s, key);
    if (!k) return std::nullopt;
    return sections_[*s].entries[*k].value;
}

void IniDocument::set(std::u16string_view sectionName, std::u16string_view key, std::u16string_view value) {
    std::size_t s = sectionAt(sectionName);
    if (auto k = findKey(s, key))
        sections_[s].entries[*k].value = std::u16string(value);
    else
        append(s, key, value);
}

int parseProfileInt(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == u'0') {
        char16_t p = lower(text[i + 1]);
        if (p == u'x') base = 16;
        else if (p == u'o') base = 8;
        else if (p == u'b') base = 2;
        if (base != 10) i += 2;
    }
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        char16_t c = lower(text[i]);
        unsigned digit;
        if (c >= u'0' && c <= u'9') digit = c - u'0';
        else if (c >= u'a' && c <= u'f') digit = 10 + (c - u'a');
        else break;
        if (digit >= base) break;
        value = value * base + digit;  // wraps like the platform's 32-bit result
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        std::uint32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (b < 0x80) cp = b;
        else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; len = 2; }
        else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; len = 3; }
        else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; len = 4; }
        else { out.push_back(u'\xFFFD'); ++i; continue; }
        if (i + len > text.size()) { out.push_back(u'\xFFFD'); break; }
        bool ok = true;
        for (std::size_t k = 1; k < len; ++k) {
            auto c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { out.push_back(u'\xFFFD'); ++i; continue; }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (cp < 0x80) out.push_back(static_cast<char>(cp));
        else if (cp < 0x800) { out.push_back(static_cast<char>(0xC0 | (cp >> 6))); out.push_back(static_cast<char>(0x80 | (cp & 0x3F))); }
        else if (cp < 0x10000) { out.push_back(static_cast<char>(0xE0 | (cp >> 12))); out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F))); out.push_back(static_cast<char>(0x80 | (cp & 0x3F))); }
        else { out.push_back(static_cast<char>(0xF0 | (cp >> 18))); out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F))); out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F))); out.push_back(static_cast<char>(0x80 | (cp & 0x3F))); }
    }
    return out;
}

}  // namespace wren
