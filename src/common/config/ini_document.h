// An INI document read the way the platform's profile functions read one:
// section and key names compare without case, values lose surrounding
// blanks and one pair of matching quotes, later duplicates are ignored.
// Used by the in-memory profile of the tests and by the host's job tickets.
// Lookups go through an index by name, without case, so reading a document with
// many keys costs time in proportion to its size.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace wren {

class IniDocument {
public:
    struct Entry {
        std::u16string key;
        std::u16string value;
    };
    struct Section {
        std::u16string name;
        std::vector<Entry> entries;
    };

    // Lines the profile reader takes in its stride but that say something
    // other than what they seem to: a job ticket treats each as an error.
    struct Irregularity {
        enum class Kind {
            UnclosedSection,    // "[name" without "]": still opens the section
            DuplicateKey,       // a key already given in the section: ignored
            KeyOutsideSection,  // a key before the first section: ignored
        };
        Kind kind;
        std::size_t lineNumber;  // 1-based
        std::u16string line;     // trimmed
    };

    static IniDocument parse(std::u16string_view text);

    const Section* section(std::u16string_view name) const;
    std::optional<std::u16string> value(std::u16string_view section, std::u16string_view key) const;
    const std::vector<Section>& sections() const { return sections_; }
    const std::vector<Irregularity>& irregularities() const { return irregularities_; }

    void set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

private:
    // Names compare without case (ASCII letters only), and are looked up by
    // view: reading a key makes no lowered copy of it.
    struct NoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view name) const noexcept;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::u16string_view a, std::u16string_view b) const noexcept;
    };
    using Index = std::unordered_map<std::u16string, std::size_t, NoCaseHash, NoCaseEqual>;  // name → position
    std::optional<std::size_t> findSection(std::u16string_view name) const;
    std::size_t sectionAt(std::u16string_view name);  // adds the section when missing
    // The entry's position in the section, or nothing.
    std::optional<std::size_t> findKey(std::size_t section, std::u16string_view key) const;
    void append(std::size_t section, std::u16string_view key, std::u16string_view value);

    std::vector<Section> sections_;
    Index sectionIndex_;
    std::vector<Index> keyIndex_;  // one per section, parallel to sections_
    std::vector<Irregularity> irregularities_;
};

bool equalsNoCase(std::u16string_view a, std::u16string_view b);

// The platform's string-to-integer rule for profile values: leading blanks,
// an optional sign, then decimal, or hex after "0x", octal after "0o",
// binary after "0b"; parsing stops at the first other character.
int parseProfileInt(std::u16string_view text);

// UTF-8 (as files and tickets are written) to UTF-16 and back. Invalid bytes
// become U+FFFD.
std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);

}  // namespace wren
