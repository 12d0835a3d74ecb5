// In-memory stand-ins for the platform ports, for the native tests.
#pragma once

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/config/ini_document.h"
#include "platform/codepage.h"
#include "platform/driver_settings.h"
#include "platform/library.h"
#include "platform/profile.h"
#include "platform/spooler.h"

namespace wren::test {

// Profile files by path (path compared without case, like the file system).
class FakeProfile : public Profile {
public:
    void addFile(std::u16string path, std::string_view utf8Text) {
        files_[lowered(path)] = IniDocument::parse(fromUtf8(utf8Text));
    }
    std::u16string readString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                              std::size_t bufferChars, std::u16string_view fallback) const override {
        ++reads;
        std::optional<std::u16string> v = lookup(file, section, key);
        std::u16string value = v ? *v : std::u16string(fallback);
        if (bufferChars == 0) return {};
        if (value.size() > bufferChars - 1) value.resize(bufferChars - 1);
        return value;
    }
    int readInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                int fallback) const override {
        ++reads;
        std::optional<std::u16string> v = lookup(file, section, key);
        if (!v || v->empty()) return fallback;
        return parseProfileInt(std::u16string_view(*v).substr(0, 29));
    }
    bool writeString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                     std::u16string_view value) const override {
        if (readOnly) return false;
        writes.push_back({std::u16string(file), std::u16string(section), std::u16string(key), std::u16string(value)});
        files_[lowered(std::u16string(file))].set(section, key, value);
        return true;
    }
    std::vector<std::u16string> keyNames(std::u16string_view file, std::u16string_view section,
                                         std::size_t bufferChars) const override {
        ++reads;
        std::vector<std::u16string> names;
        auto it = files_.find(lowered(std::u16string(file)));
        const IniDocument::Section* found = it == files_.end() ? nullptr : it->second.section(section);
        if (!found || bufferChars < 2) return names;
        // Each name and its terminator, then the list's closing terminator.
        std::size_t used = 1;
        for (const IniDocument::Entry& e : found->entries) {
            if (used + e.key.size() + 1 > bufferChars) break;
            used += e.key.size() + 1;
            names.push_back(e.key);
        }
        return names;
    }
    bool deleteSection(std::u16string_view file, std::u16string_view section) const override {
        if (readOnly) return false;
        writes.push_back({std::u16string(file), std::u16string(section), {}, {}});
        auto it = files_.find(lowered(std::u16string(file)));
        if (it == files_.end()) return true;
        IniDocument kept;
        for (const IniDocument::Section& sec : it->second.sections()) {
            if (equalsNoCase(sec.name, section)) continue;
            for (const IniDocument::Entry& e : sec.entries) kept.set(sec.name, e.key, e.value);
        }
        it->second = std::move(kept);
        return true;
    }
    struct Write { std::u16string file, section, key, value; };  // an empty key: the section was deleted
    mutable std::vector<Write> writes;
    bool readOnly = false;
    mutable int reads = 0;

private:
    static std::u16string lowered(std::u16string s) {
        for (auto& c : s) if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
        return s;
    }
    std::optional<std::u16string> lookup(std::u16string_view file, std::u16string_view section,
                                         std::u16string_view key) const {
        if (section.empty() || key.empty()) return std::nullopt;
        const IniDocument* document = find(file);
        if (!document) return std::nullopt;
        return document->value(section, key);
    }
    // The code under test reads the same few files over and over, by the
    // same paths: a path asked before is matched as it was asked rather
    // than lowered and looked up again (under the sanitizers that look-up
    // was most of the cost of a read). Entries of files_ are never erased,
    // so the pointers stay valid.
    const IniDocument* find(std::u16string_view file) const {
        for (const auto& [asked, document] : recent_.paths)
            if (asked == file) return document;
        auto it = files_.find(lowered(std::u16string(file)));
        if (it == files_.end()) return nullptr;
        if (recent_.paths.size() == Recent::kPaths) recent_.paths.clear();
        recent_.paths.emplace_back(file, &it->second);
        return &it->second;
    }
    // Starts empty in a copy, whose files are its own.
    struct Recent {
        static constexpr std::size_t kPaths = 8;
        std::vector<std::pair<std::u16string, const IniDocument*>> paths;
        Recent() = default;
        Recent(const Recent&) {}
        Recent& operator=(const Recent&) {
            paths.clear();
            return *this;
        }
    };
    mutable std::map<std::u16string, IniDocument> files_;
    mutable Recent recent_;
};

struct FakePrinter {
    std::optional<std::u16string> dependentFiles;
    std::optional<std::u16string> driverName = u"Wren ZE Colour PS";
    PrinterDetails details{u"Wren Test", u"Wren ZE Colour PS", 0};
    std::map<std::uint32_t, std::u16string> jobDocuments;
};

class FakeSpooler : public Spooler {
public:
    // Builds a dependent-file list from names: each NUL-terminated, then a closing NUL.
    static std::u16string list(std::initializer_list<std::u16string_view> names) {
        std::u16string out;
        for (auto n : names) { out += n; out.push_back(u'\0'); }
        out.push_back(u'\0');
        return out;
    }
    std::map<PrinterHandle, FakePrinter> printers;
    std::optional<std::u16string> driverDirectory = u"C:\\drivers\\x64";
    std::vector<PaperSize> paperList;
    mutable std::u16string askedPapersFor;
    mutable std::string written;
    mutable std::vector<std::uint32_t> cancelled;
    bool failWrites = false;

    std::optional<std::u16string> dependentFiles(PrinterHandle p) const override { return printer(p).dependentFiles; }
    std::optional<std::u16string> driverName(PrinterHandle p) const override { return printer(p).driverName; }
    std::optional<std::u16string> printerDriverDirectory(std::size_t bufferBytes) const override {
        if (!driverDirectory || (driverDirectory->size() + 1) * 2 > bufferBytes) return std::nullopt;
        return driverDirectory;
    }
    std::vector<PaperSize> papers(std::u16string_view device) const override {
        askedPapersFor = std::u16string(device);
        return paperList;
    }
    std::vector<NamedPaper> namedPapers(std::u16string_view device) const override {
        askedPapersFor = std::u16string(device);
        return namedPaperList;
    }
    std::optional<PrinterDetails> printerDetails(PrinterHandle p) const override { return printer(p).details; }
    std::optional<std::uint32_t> printerDword(PrinterHandle p, std::u16string_view name) const override {
        auto it = printerData.find({p, std::u16string(name)});
        if (it == printerData.end()) return std::nullopt;
        return it->second;
    }
    bool setPrinterDword(PrinterHandle p, std::u16string_view name, std::uint32_t value) const override {
        if (refusePrinterData) return false;
        printerData[{p, std::u16string(name)}] = value;
        return true;
    }
    std::vector<NamedPaper> namedPaperList;
    mutable std::map<std::pair<PrinterHandle, std::u16string>, std::uint32_t> printerData;
    bool refusePrinterData = false;
    std::optional<std::u16string> jobDocument(PrinterHandle p, std::uint32_t job) const override {
        auto& docs = printer(p).jobDocuments;
        auto it = docs.find(job);
        if (it == docs.end()) return std::nullopt;
        return it->second;
    }
    bool write(PrinterHandle, const void* data, std::uint32_t size, std::uint32_t* count) const override {
        if (failWrites) return false;
        written.append(static_cast<const char*>(data), size);
        if (count) *count = size;
        return true;
    }
    void cancelJob(PrinterHandle, std::uint32_t job) const override { cancelled.push_back(job); }

private:
    const FakePrinter& printer(PrinterHandle p) const {
        static const FakePrinter none{std::nullopt, std::nullopt, {}, {}};
        auto it = printers.find(p);
        return it == printers.end() ? none : it->second;
    }
};

// Libraries by full path; each maps export names to functions of this process.
class FakeLibraryLoader : public LibraryLoader {
public:
    using Exports = std::map<std::string, void*>;
    std::map<std::u16string, Exports> libraries;
    mutable std::vector<std::u16string> loads;
    mutable int live = 0;

    std::unique_ptr<Library> load(std::u16string_view path) const override {
        loads.emplace_back(path);
        auto it = libraries.find(std::u16string(path));
        if (it == libraries.end()) return nullptr;
        return std::make_unique<Loaded>(it->second, live);
    }

private:
    struct Loaded : Library {
        Loaded(const Exports& e, int& live) : exports(e), live(live) { ++live; }
        ~Loaded() override { --live; }
        void* symbol(const char* name) const override {
            auto it = exports.find(name);
            return it == exports.end() ? nullptr : it->second;
        }
        const Exports& exports;
        int& live;
    };
};

// The core driver's current feature selections, as a test sets them.
class FakeDriverSettings : public DriverSettings {
public:
    std::map<std::string, std::string> features;
    std::uint8_t outputOption = 0;
    mutable int reads = 0;
    bool feature(const char* keyword, SettingBuffer& out) const override {
        ++reads;
        auto it = features.find(keyword);
        if (it == features.end()) return false;
        out.fill(0);
        std::memcpy(out.data(), it->second.data(), std::min<std::size_t>(it->second.size(), 63));
        return true;
    }
    bool predefined(std::uint32_t index, SettingBuffer& out) const override {
        ++reads;
        out.fill(0);
        if (index == 2) out[0] = outputOption;
        return true;
    }
};

template <typename Fn>
void* exportOf(Fn fn) { return reinterpret_cast<void*>(fn); }

// Code page: ASCII and Latin-1 map to themselves, anything else to '?'; the
// locale conversion (a "C" locale) turns everything beyond ASCII into '#',
// so a test can tell which conversion was used.
// Lead bytes can be declared to exercise double-byte rules; a valid trail
// byte is 0x40..0x7E or 0x80..0xFC.
class FakeCodePage : public CodePage {
public:
    std::set<std::uint8_t> leadBytes;
    std::string toAnsi(std::u16string_view text, std::size_t maxBytes) const override { return narrow(text, maxBytes); }
    std::string toLocale(std::u16string_view text, std::size_t maxBytes) const override {
        std::string out = narrow(text, maxBytes);
        for (std::size_t i = 0; i < out.size(); ++i)
            if (static_cast<unsigned char>(out[i]) >= 0x80 || text[i] >= 0x80) out[i] = '#';
        return out;
    }
    // Latin-1 stands in for the user's locale.
    // The system code page differs from the user's here, so that a test
    // sees which one a conversion took: bytes from 0xC0 are Cyrillic.
    std::u16string fromAnsi(std::string_view text, std::size_t maxChars) const override {
        std::u16string out;
        for (char c : text) {
            if (out.size() >= maxChars) break;
            const auto byte = static_cast<unsigned char>(c);
            out.push_back(byte >= 0xC0 ? static_cast<char16_t>(0x0410 + (byte - 0xC0)) : byte);
        }
        return out;
    }
    std::u16string fromUserLocale(std::string_view text, std::size_t maxChars) const override {
        std::u16string out;
        for (char c : text) {
            if (out.size() >= maxChars) break;
            out.push_back(static_cast<unsigned char>(c));
        }
        return out;
    }
    std::string toUserLocale(std::u16string_view text, std::size_t maxBytes) const override {
        return narrow(text, maxBytes);
    }
    bool isLeadByte(std::uint8_t b) const override { return leadBytes.count(b) != 0; }
    bool isValidPair(std::uint8_t lead, std::uint8_t trail) const override {
        return isLeadByte(lead) && ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC));
    }

private:
    static std::string narrow(std::u16string_view text, std::size_t maxBytes) {
        std::string out;
        for (char16_t c : text) {
            if (out.size() + 1 >= maxBytes) break;
            out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
        }
        return out;
    }
};

}  // namespace wren::test
