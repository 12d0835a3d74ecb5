// The conversions of the application's name in the user's default locale:
// both ends of the channel keep within the name's room, whatever comes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_ports.h"

namespace wren::wine_test {
namespace {

UINT userCodePage() {
    DWORD codePage = 0;
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t));
    return codePage;
}

TEST(UserLocale, NamesAreCutToTheirRoomWithSpaceForTheTerminator) {
    win32::Win32CodePage codePage;
    EXPECT_EQ(codePage.fromUserLocale(std::string(100, 'a'), 60), std::u16string(60, u'a'));
    EXPECT_EQ(codePage.toUserLocale(std::u16string(100, u'a'), 61), std::string(60, 'a'));
    EXPECT_EQ(codePage.toUserLocale(u"abc", 1), "");
    EXPECT_EQ(codePage.toUserLocale(u"", 61), "");
    EXPECT_EQ(codePage.fromUserLocale("", 60), u"");
    EXPECT_EQ(codePage.fromUserLocale("abc", 0), u"");
}

TEST(UserLocale, EightBitNamesRoundTripInAWesternLocale) {
    if (userCodePage() != 1252) GTEST_SKIP() << "the user's locale uses code page " << userCodePage();
    win32::Win32CodePage codePage;
    const std::string name = "Caf\xE9 \xC6sir";
    EXPECT_EQ(codePage.fromUserLocale(name, 60), u"Caf\u00E9 \u00C6sir");
    EXPECT_EQ(codePage.toUserLocale(u"Caf\u00E9 \u00C6sir", 61), name);
    // A character the code page lacks becomes "?"; a pair of surrogates is
    // converted whole, so a cut at the room's end takes all of it or none.
    EXPECT_EQ(codePage.toUserLocale(u"a\u4E00b", 61), "a?b");
    const std::string pair = codePage.toUserLocale(u"\U0001F600", 61);
    ASSERT_FALSE(pair.empty());
    EXPECT_EQ(pair.find_first_not_of('?'), std::string::npos);
    EXPECT_EQ(codePage.toUserLocale(std::u16string(60 - pair.size(), u'a') + u"\U0001F600", 61),
              std::string(60 - pair.size(), 'a') + pair);
    EXPECT_EQ(codePage.toUserLocale(std::u16string(61 - pair.size(), u'a') + u"\U0001F600", 61),
              std::string(61 - pair.size(), 'a'));
}

}  // namespace
}  // namespace wren::wine_test
