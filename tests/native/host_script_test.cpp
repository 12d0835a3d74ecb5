#include <gtest/gtest.h>

#include "script_parser.h"

namespace wren::host {
namespace {

TEST(ScriptParser, ReadsEveryAction) {
    ScriptError error;
    auto script = parseScript("# open the job options\n"
                              "page Job Options\n"
                              "select 1001 2   # store for re-print\n"
                              "select 0x3E9 \"Secure Print\"\n"
                              "check 1010 on\n"
                              "type 1002 12a4\n"
                              "set-text 1003 \"  two  words # not a comment \"\n"
                              "expect-text 1002 \"say \\\"hi\\\" \\\\\\r\\n\"\n"
                              "expect-checked 1010 off\nexpect-enabled 7 on\n"
                              "expect-dialog Advanced\nexpect-message \"Enter the PIN.\"\nexpect-no-message\n"
                              "click 1\nscreenshot job-options_1.png\nwait 250\nok\ncancel\napply\n",
                              error);
    ASSERT_TRUE(script) << error.message;
    ASSERT_EQ(script->size(), 18u);
    const auto& a = *script;
    EXPECT_EQ(a[0].verb, ScriptVerb::Page);
    EXPECT_EQ(a[0].text, u"Job Options");
    EXPECT_EQ(a[0].line, 2u);
    EXPECT_EQ(a[1].verb, ScriptVerb::Select);
    EXPECT_EQ(a[1].control, 1001);
    EXPECT_EQ(a[1].position, 2);
    EXPECT_EQ(a[2].control, 1001);
    EXPECT_FALSE(a[2].position);
    EXPECT_EQ(a[2].text, u"Secure Print");
    EXPECT_TRUE(a[3].on);
    EXPECT_EQ(a[4].text, u"12a4");
    EXPECT_EQ(a[5].text, u"  two  words # not a comment ");
    EXPECT_EQ(a[6].text, u"say \"hi\" \\\r\n");
    EXPECT_FALSE(a[7].on);
    EXPECT_EQ(a[9].text, u"Advanced");
    EXPECT_EQ(a[10].text, u"Enter the PIN.");
    EXPECT_EQ(a[13].text, u"job-options_1.png");
    EXPECT_EQ(a[14].position, 250);
    EXPECT_EQ(a[17].verb, ScriptVerb::Apply);
    EXPECT_EQ(scriptQuoted(u"a \"b\"\r\n\\"), "\"a \\\"b\\\"\\r\\n\\\\\"");
    EXPECT_EQ(scriptFailure(a[1], "no such control"), "script line 3: select 1001 2: no such control");
}

TEST(ScriptParser, MistakesNameTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"ok\nfrobnicate 3\n", "script line 2: unknown action frobnicate"},
        {"click\n", "click needs a control id"},
        {"click 70000\n", "click needs a control id"},
        {"click 12 13\n", "takes only a control id"},
        {"check 5 maybe\n", "needs on or off"},
        {"expect-text 5 unquoted\n", "needs a text after the id"},
        {"expect-message \"open\n", "needs a quoted text"},
        {"expect-message \"a\" b\n", "needs a quoted text"},
        {"set-text 5 \"bad \\q escape\"\n", "needs a text"},
        {"select 5 two\n", "needs a position or a quoted text"},
        {"screenshot ../evil\n", "needs a file name"},
        {"screenshot a/b\n", "needs a file name"},
        {"wait 999999\n", "needs milliseconds"},
        {"ok now\n", "takes no arguments"},
        {"page\n", "needs a title"},
        {"select-row 1057\n", "needs a row number"},
        {"select-row 1057 \"O1\"\n", "needs a row number"},
    };
    for (const auto& [text, message] : cases) {
        ScriptError error;
        EXPECT_FALSE(parseScript(text, error)) << text;
        EXPECT_NE(error.message.find(message), std::string::npos) << text << " -> " << error.message;
    }
}

TEST(ScriptParser, SelectRowTakesTheListAndTheRow) {
    ScriptError error;
    auto script = parseScript("select-row 1057 3\n", error);
    ASSERT_TRUE(script) << error.message;
    EXPECT_EQ((*script)[0].verb, ScriptVerb::SelectRow);
    EXPECT_EQ((*script)[0].control, 1057);
    EXPECT_EQ((*script)[0].position, 3);
}

}  // namespace
}  // namespace wren::host
