#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/dialogs/dialog_language.h"
#include "ui/dialogs/string_block.h"

namespace wren::ui {
namespace {

// The languages the library carries, in the order the loader enumerates them.
const std::vector<std::uint16_t> kShipped = {1024, 1028, 1031, 1036, 1040, 1041, 1042, 1046, 2052, 3082};

TEST(FindBestDialogLanguage, PicksByUserLanguage) {
    struct Case {
        std::uint16_t wanted, expected;
    } cases[] = {
        {1031, 1031},  // exact
        {3082, 3082},
        {2058, 3082},  // Spanish (Mexico): same primary language
        {1033, 0},     // English: only the neutral set, left to the standard loader
        {1049, 0},     // Russian: nothing
        {3076, 1028},  // Chinese (Hong Kong): traditional script
        {5124, 1028},  // Chinese (Macau)
        {4100, 2052},  // Chinese (Singapore): simplified script
        {2052, 2052},
        {1028, 1028},
    };
    for (const Case& c : cases) EXPECT_EQ(FindBestDialogLanguage(kShipped, c.wanted), c.expected) << c.wanted;
}

TEST(FindBestDialogLanguage, ChineseRuleDoesNotDependOnOrder) {
    const std::vector<std::uint16_t> reversed(kShipped.rbegin(), kShipped.rend());
    EXPECT_EQ(FindBestDialogLanguage(reversed, 3076), 1028);
    EXPECT_EQ(FindBestDialogLanguage(reversed, 4100), 2052);
    EXPECT_EQ(FindBestDialogLanguage({}, 1031), 0);
}

TEST(FindBestDialogLanguage, ExactMatchStopsTheSearch) {
    const std::vector<std::uint16_t> languages = {3082, 1034, 2058};
    EXPECT_EQ(FindBestDialogLanguage(languages, 3082), 3082);
    EXPECT_EQ(FindBestDialogLanguage(languages, 1034), 1034);
    // Without an exact match the last of the same primary language wins.
    EXPECT_EQ(FindBestDialogLanguage(languages, 4106), 2058);
}

// A block as the resource compiler writes it: 16 counted entries.
std::vector<char16_t> block(std::initializer_list<std::u16string_view> entries) {
    std::vector<char16_t> out;
    for (auto e : entries) {
        out.push_back(char16_t(e.size()));
        out.insert(out.end(), e.begin(), e.end());
    }
    out.insert(out.end(), 16 - entries.size(), 0);
    return out;
}

TEST(StringBlock, FindsTheEntryOfTheIdentifier) {
    // Block 626 holds 10000..10015: 10041 is in block 628, entry 9.
    EXPECT_EQ(StringBlockId(10041), 628u);
    EXPECT_EQ(StringBlockId(15), 1u);
    EXPECT_EQ(StringBlockId(16), 2u);

    const auto b = block({u"zero", u"", u"two", u"", u"", u"", u"", u"", u"", u"Warning"});
    struct Case {
        unsigned id;
        std::u16string expected;
    } cases[] = {{16 * 7, u"zero"}, {16 * 7 + 1, u""}, {16 * 7 + 2, u"two"}, {16 * 7 + 9, u"Warning"},
                 {16 * 7 + 12, u""}};
    for (const Case& c : cases) {
        auto text = StringFromBlock(b, c.id, 300);
        ASSERT_TRUE(text) << c.id;
        EXPECT_EQ(*text, c.expected) << c.id;
    }
}

TEST(StringBlock, CopiesWithinCapacityAndLeavesBufferOnEmpty) {
    const auto b = block({u"Warning", u""});
    char16_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');

    EXPECT_EQ(CopyStringFromBlock(b, 0, buffer, 4), 3u);
    EXPECT_EQ(std::u16string(buffer), u"War");
    EXPECT_EQ(buffer[4], u'#');

    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(CopyStringFromBlock(b, 0, buffer, 8), 7u);
    EXPECT_EQ(std::u16string(buffer), u"Warning");

    // An empty entry: nothing copied, no terminator written.
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(CopyStringFromBlock(b, 1, buffer, 8), 0u);
    EXPECT_EQ(buffer[0], u'#');
    // Capacity 0 or 1 leaves no room for any character.
    EXPECT_EQ(CopyStringFromBlock(b, 0, buffer, 0), 0u);
    EXPECT_EQ(CopyStringFromBlock(b, 0, buffer, 1), 0u);
    EXPECT_EQ(buffer[0], u'#');
}

TEST(StringBlock, DamagedBlockIsNeverReadBeyondItsEnd) {
    const std::vector<char16_t> truncated = {5, u'a', u'b'};  // claims 5, holds 2
    EXPECT_FALSE(StringFromBlock(truncated, 0, 300));
    EXPECT_FALSE(StringFromBlock(truncated, 1, 300));
    const std::vector<char16_t> shortBlock = {1, u'a'};
    EXPECT_FALSE(StringFromBlock(shortBlock, 3, 300));
    char16_t buffer[4] = {u'#'};
    EXPECT_EQ(CopyStringFromBlock(truncated, 0, buffer, 4), 0u);
    EXPECT_EQ(buffer[0], u'#');
}

}  // namespace
}  // namespace wren::ui
