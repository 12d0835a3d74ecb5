#include <gtest/gtest.h>
#include <cstring>

#include "ps/pjl/pjl_text.h"

namespace wren::test {
namespace {

TEST(PjlText, KeepsPrintableAsciiOtherThanTheQuote) {
    struct Case { std::string_view in, out; };
    const Case cases[] = {
        {"Payroll 2024", "Payroll 2024"},
        {"x\"\x1B%-12345X@PJL", "x%-12345X@PJL"},
        {"a\r\n@PJL SET X=1", "a@PJL SET X=1"},
        {"tab\there", "tabhere"},
        {"del\x7F", "del"},
        {"caf\xC3\xA9", "caf"},
        {"\x81\x40wide", "@wide"},
        {" ~!", " ~!"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(pjlText(c.in), c.out) << c.in;
    EXPECT_EQ(pjlText(std::string_view("a\0b", 3)), "ab");
    EXPECT_EQ(pjlText(u"J\u00E9\u3042b\"\x1B"), u"Jb");
}

TEST(PjlText, ThePinKeepsItsDigitsOnly) {
    EXPECT_EQ(pjlDigits("1234"), "1234");
    EXPECT_EQ(pjlDigits("12\r\n34"), "1234");
    EXPECT_EQ(pjlDigits("1 PERMANENT=ON"), "1");
    EXPECT_EQ(pjlDigits(""), "");
    EXPECT_EQ(pjlDigits(u"9\uFF19\u0663x"), u"9") << "only ASCII digits reach the printer";
}

TEST(PjlText, AFieldIsCleanedInPlaceAndStaysTerminated) {
    char field[8];
    std::memcpy(field, "a\"b\x1B" "cdef", 8);  // no terminator at all
    cleanPjlField(field, sizeof field);
    EXPECT_STREQ(field, "abcde");
    for (std::size_t i = std::strlen(field); i < sizeof field; ++i) EXPECT_EQ(field[i], '\0') << i;
    char empty[1] = {'x'};
    cleanPjlField(empty, sizeof empty);
    EXPECT_EQ(empty[0], '\0');
}

}  // namespace
}  // namespace wren::test
