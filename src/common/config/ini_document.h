// An INI document read the way the platform's profile functions read one:
// section and key names compare without case, values lose surrounding
// blanks and one pair of matching quotes, later duplicates are ignored.
// Used by the in-memory profile of the tests and by the host's job tickets.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
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

    static IniDocument parse(std::u16string_view text);

    const Section* section(std::u16string_view name) const;
    std::optional<std::u16string> value(std::u16string_view section, std::u16string_view key) const;
    const std::vector<Section>& sections() const { return sections_; }

    void set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

private:
    std::vector<Section> sections_;
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
