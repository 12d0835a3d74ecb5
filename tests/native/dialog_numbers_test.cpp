#include <gtest/gtest.h>

#include <cstdint>

#include "fake_dialog_view.h"
#include "ui/dialogs/fixed_decimal.h"
#include "ui/dialogs/numeric_edit.h"

namespace wren::ui {
namespace {

TEST(FixedDecimal, Parses) {
    struct Case {
        std::u16string_view text;
        int decimals;
        bool ok;
        std::int32_t value;
    } cases[] = {
        {u"1.239", 2, true, 123},  // extra digits dropped
        {u"1.2", 2, true, 120},    // missing digits are 0
        {u"12", 2, true, 1200},
        {u".5", 1, true, 5},
        {u"", 2, true, 0},
        {u"7.", 0, true, 7},
        {u"1.2x", 2, false, 0},
        {u"1.2.3", 2, false, 0},
        {u"-1", 2, false, 0},  // unsigned
        {u"1.23x9", 1, false, 0},  // dropped digits still have to be digits
        {u" 1", 0, false, 0},
        {u"21474836.47", 2, true, 2147483647},
        {u"21474836.48", 2, false, 0},  // beyond 32 bits
        {u"99999999999999999999", 0, false, 0},
    };
    for (const Case& c : cases) {
        std::int32_t value = -77;
        EXPECT_EQ(ParseFixedDecimal(c.text, c.decimals, value), c.ok) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(value, c.ok ? c.value : -77) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(FixedDecimal, ParsesSigned) {
    struct Case {
        std::u16string_view text;
        bool ok;
        std::int32_t value;
    } cases[] = {
        {u"-0.05", true, -5}, {u"-1.5", true, -150}, {u"3", true, 300}, {u"-", true, 0},
        {u"--1", false, 0},   {u"1-", false, 0},     {u"+1", false, 0}, {u"-21474836.48", true, INT32_MIN},
    };
    for (const Case& c : cases) {
        std::int32_t value = -77;
        EXPECT_EQ(ParseSignedFixedDecimal(c.text, 2, value), c.ok) << std::string(c.text.begin(), c.text.end());
        if (c.ok) EXPECT_EQ(value, c.value);
    }
}

TEST(FixedDecimal, Formats) {
    struct Case {
        std::int32_t value;
        int decimals;
        std::u16string_view text;
    } cases[] = {
        {12345, 2, u"123.45"}, {5, 2, u"0.05"},     {-5, 2, u"-0.05"}, {0, 0, u"0"},        {0, 2, u"0"},
        {100, 2, u"1.00"},     {7, 0, u"7"},        {-120, 1, u"-12.0"}, {99999, 0, u"99999"},
        // Wider than five digits: every digit is written, none turned into punctuation.
        {123456, 2, u"1234.56"}, {INT32_MIN, 0, u"-2147483648"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFixedDecimal(c.value, c.decimals), c.text) << c.value;
}

TEST(FixedDecimal, RoundTrips) {
    for (std::int32_t v : {1, 9, 10, 99, 101, 12345, 99999}) {
        std::int32_t back = 0;
        ASSERT_TRUE(ParseSignedFixedDecimal(FormatFixedDecimal(v, 2), 2, back));
        EXPECT_EQ(back, v);
        ASSERT_TRUE(ParseSignedFixedDecimal(FormatFixedDecimal(-v, 3), 3, back));
        EXPECT_EQ(back, -v);
    }
}

constexpr int kEdit = 1514;

struct NumericEditTest : ::testing::Test {
    test::FakeDialogView view{kEdit};
    std::u16string lastGood;
    NumericEditRule copies{1, 1, 999, false};
    NumericEditRule angle{45, -180, 180, true};

    // The user types `c` at the caret: EN_UPDATE comes with the new text,
    // then EN_CHANGE.
    void type(char16_t c, const NumericEditRule& rule) {
        test::FakeControl& edit = view.at(kEdit);
        edit.text.insert(std::size_t(edit.caret), 1, c);
        ++edit.caret;
        ValidateNumericEdit(view, EditNotification::Updated, kEdit, rule, lastGood);
        ValidateNumericEdit(view, EditNotification::Changed, kEdit, rule, lastGood);
    }
    void start(std::u16string_view text, const NumericEditRule& rule) {
        view.setText(kEdit, text);
        ValidateNumericEdit(view, EditNotification::FocusGained, kEdit, rule, lastGood);
    }
};

TEST_F(NumericEditTest, AcceptsDigitsAndSavesLastGood) {
    start(u"1", copies);
    type(u'2', copies);
    type(u'0', copies);
    EXPECT_EQ(view.at(kEdit).text, u"120");
    EXPECT_EQ(lastGood, u"120");
    EXPECT_EQ(view.beeps, 0);
}

TEST_F(NumericEditTest, RefusesBadKeysWithBeepAndCaretBack) {
    struct Case {
        std::u16string_view start;
        int caret;
        char16_t key;
        const char* why;
    } cases[] = {
        {u"12", 2, u'a', "letter"},
        {u"12", 1, u'.', "point"},
        {u"12", 0, u'0', "leading zero of a longer text"},
        {u"12", 0, u'-', "sign without allowSign"},
    };
    for (const Case& c : cases) {
        start(c.start, copies);
        view.setCaret(kEdit, c.caret);
        const int beeps = view.beeps;
        type(c.key, copies);
        EXPECT_EQ(view.beeps, beeps + 1) << c.why;
        EXPECT_EQ(view.at(kEdit).text, c.start) << c.why;
        EXPECT_EQ(view.at(kEdit).caret, c.caret) << c.why;
        EXPECT_EQ(lastGood, c.start) << c.why;
    }
}

TEST_F(NumericEditTest, SignOnlyFirstAndOnlyWhenAllowed) {
    start(u"", angle);
    type(u'-', angle);
    type(u'9', angle);
    EXPECT_EQ(view.at(kEdit).text, u"-9");
    type(u'-', angle);  // not first
    EXPECT_EQ(view.at(kEdit).text, u"-9");
    EXPECT_EQ(view.beeps, 1);

    start(u"", angle);
    type(u'0', angle);  // a lone 0 is fine
    EXPECT_EQ(view.at(kEdit).text, u"0");
    EXPECT_EQ(view.beeps, 1);
}

TEST_F(NumericEditTest, ClampsToBounds) {
    start(u"99", copies);
    type(u'9', copies);
    EXPECT_EQ(view.at(kEdit).text, u"999");
    type(u'9', copies);
    EXPECT_EQ(view.at(kEdit).text, u"999");

    start(u"-18", angle);
    type(u'1', angle);
    EXPECT_EQ(view.at(kEdit).text, u"-180");
    EXPECT_EQ(view.beeps, 0);

    NumericEditRule scale{100, 20, 400, false};
    start(u"", scale);
    type(u'5', scale);
    EXPECT_EQ(view.at(kEdit).text, u"20");
}

TEST_F(NumericEditTest, PastedTextIsCheckedWhole) {
    start(u"12", copies);
    view.at(kEdit).text = u"1a25";  // pasted "a2" before the 5
    view.setCaret(kEdit, 3);
    ValidateNumericEdit(view, EditNotification::Updated, kEdit, copies, lastGood);
    EXPECT_EQ(view.at(kEdit).text, u"12");
    EXPECT_EQ(view.beeps, 1);

    // A huge paste is clamped, not overflowed.
    view.at(kEdit).text = u"99999999999999999999999";
    view.setCaret(kEdit, 23);
    ValidateNumericEdit(view, EditNotification::Updated, kEdit, copies, lastGood);
    EXPECT_EQ(view.at(kEdit).text, u"999");
}

TEST_F(NumericEditTest, LeavingAnEmptyFieldWritesTheDefault) {
    struct Case {
        std::u16string_view text;
        std::u16string_view after;
    } cases[] = {{u"", u"45"}, {u"-", u"45"}, {u"+", u"45"}, {u"-7", u"-7"}, {u"12", u"12"}};
    for (const Case& c : cases) {
        view.setText(kEdit, c.text);
        ValidateNumericEdit(view, EditNotification::FocusLost, kEdit, angle, lastGood);
        EXPECT_EQ(view.at(kEdit).text, c.after);
    }
}

TEST_F(NumericEditTest, LastGoodKeepsSixCharacters) {
    start(u"12345678", copies);
    EXPECT_EQ(lastGood, u"123456");
}

TEST(NumericEdit, NotificationCodes) {
    EXPECT_EQ(EditNotificationFromCode(0x0100), EditNotification::FocusGained);
    EXPECT_EQ(EditNotificationFromCode(0x0200), EditNotification::FocusLost);
    EXPECT_EQ(EditNotificationFromCode(0x0300), EditNotification::Changed);
    EXPECT_EQ(EditNotificationFromCode(0x0400), EditNotification::Updated);
    EXPECT_EQ(EditNotificationFromCode(0), EditNotification::Other);
}

}  // namespace
}  // namespace wren::ui
