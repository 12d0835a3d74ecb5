// The watermark editor and its font dialog, driven through fake views: the
// controls shown from the working copy, the edits' filtering and clamping,
// the scroll bars, the position, the colour chooser and the font choice.
#include <gtest/gtest.h>

#include "watermark_fixture.h"

namespace wren::test {
namespace {

class WatermarkEditorTest : public ::testing::Test, public WatermarkFixture {
protected:
    std::unique_ptr<FakeDialogView> view = EditorView();
    std::unique_ptr<WatermarkEditor> editor;

    void SetUp() override {
        setIni("[Watermark]\nWTMK001=48,1,30,10,-20,255,DRAFT,Helvetica,700,1,0,2,1,0,0,0\n");
        record.watermarkIndex = 1;
        LoadWatermarkList(env, 1);
        OpenWatermarkList(list);
        list.editedSlot = 1;
        editor = std::make_unique<WatermarkEditor>(env, *view);
        editor->initialize();
    }
    const FakeControl& at(int id) { return view->at(id); }
};

TEST_F(WatermarkEditorTest, OpeningShowsTheEditedEntry) {
    EXPECT_EQ(at(wm::kTextEdit).text, u"DRAFT");
    EXPECT_EQ(at(wm::kTextEdit).textLimit, 128);
    EXPECT_EQ(at(wm::kSizeEdit).text, u"48");
    EXPECT_EQ(at(wm::kSizeScroll).scrollPos, 48);
    EXPECT_EQ(at(wm::kSizeScroll).scrollMin, 1);
    EXPECT_EQ(at(wm::kSizeScroll).scrollMax, 600);
    EXPECT_EQ(at(wm::kAngleScroll).scrollPos, 30);
    EXPECT_EQ(at(wm::kAngleScroll).scrollMin, -180);
    EXPECT_EQ(at(wm::kOffsetXEdit).text, u"10");
    EXPECT_EQ(at(wm::kOffsetYEdit).text, u"-20");
    EXPECT_EQ(at(wm::kOffsetXUpDown).upLower, -1000);
    EXPECT_EQ(at(wm::kOffsetXEdit).textLimit, 5);
    EXPECT_EQ(at(wm::kPositionList).items.size(), 7u);
    EXPECT_EQ(at(wm::kPositionList).selection, 2);
    EXPECT_TRUE(at(wm::kBorderNone + 1).checked);
    EXPECT_FALSE(at(wm::kBorderNone).checked);
    EXPECT_TRUE(at(1).enabled);
    // The input method is off for the numbers, and outside Japanese for the text.
    EXPECT_TRUE(at(wm::kSizeEdit).inputMethodDetached);
    EXPECT_TRUE(at(wm::kOffsetYEdit).inputMethodDetached);
    EXPECT_TRUE(at(wm::kTextEdit).inputMethodDetached);
    // Showing the entry read nothing back into it.
    EXPECT_EQ(list.working.offsetX, 10);
}

TEST_F(WatermarkEditorTest, AnEmptyTextCannotBeConfirmed) {
    Type(*view, *editor, wm::kTextEdit, u"");
    EXPECT_FALSE(at(1).enabled);
    Type(*view, *editor, wm::kTextEdit, u"X");
    EXPECT_TRUE(at(1).enabled);
    EXPECT_EQ(list.working.textValue(), u"X");
}

TEST_F(WatermarkEditorTest, SizeAndAngleEditsAreValidatedAndMoveTheirScrollBars) {
    Type(*view, *editor, wm::kSizeEdit, u"700");
    EXPECT_EQ(at(wm::kSizeEdit).text, u"600");
    EXPECT_EQ(list.working.size, 600);
    EXPECT_EQ(at(wm::kSizeScroll).scrollPos, 600);

    Type(*view, *editor, wm::kAngleEdit, u"-200");
    EXPECT_EQ(at(wm::kAngleEdit).text, u"-180");
    EXPECT_EQ(list.working.angle, -180);
    EXPECT_EQ(at(wm::kAngleScroll).scrollPos, -180);

    // An empty edit keeps the stored value until focus leaves it.
    Type(*view, *editor, wm::kSizeEdit, u"");
    EXPECT_EQ(list.working.size, 48);
    editor->command(wm::kSizeEdit, kEditKillFocus);
    EXPECT_EQ(at(wm::kSizeEdit).text, u"72");
}

TEST_F(WatermarkEditorTest, ScrollBarsStepClampAndSetTheirEdits) {
    struct Step {
        int bar, code, thumb, value;
    } steps[] = {
        {wm::kSizeScroll, wm::kScrollLineRight, 0, 49},  {wm::kSizeScroll, wm::kScrollPageLeft, 0, 39},
        {wm::kSizeScroll, wm::kScrollThumbTrack, 5, 5},  {wm::kSizeScroll, wm::kScrollPageLeft, 0, 1},
        {wm::kSizeScroll, wm::kScrollLineLeft, 0, 1},    {wm::kSizeScroll, wm::kScrollThumbPosition, 650, 600},
        {wm::kAngleScroll, wm::kScrollPageRight, 0, 40}, {wm::kAngleScroll, wm::kScrollThumbTrack, -175, -175},
        {wm::kAngleScroll, wm::kScrollPageLeft, 0, -180}, {wm::kAngleScroll, wm::kScrollEnd, 0, -180},
    };
    for (const Step& s : steps) {
        editor->scroll(s.bar, s.code, s.thumb);
        const bool size = s.bar == wm::kSizeScroll;
        EXPECT_EQ(size ? list.working.size : list.working.angle, s.value);
        EXPECT_EQ(at(size ? wm::kSizeEdit : wm::kAngleEdit).text, FakeDialogView::decimal(s.value));
        EXPECT_EQ(at(s.bar).scrollPos, s.value);
    }
}

TEST_F(WatermarkEditorTest, OffsetsKeepDigitsAndALeadingMinusAndAreClamped) {
    struct Case {
        const char16_t* typed;
        std::int32_t offset;
        const char16_t* shown;
    } cases[] = {
        {u"25", 25, u"25"},     {u"-", 0, u"-"},        {u"-7", -7, u"-7"},   {u"1a2", 12, u"12"},
        {u"5-", 5, u"5"},       {u"9999", 1000, u"1000"}, {u"-5000", -1000, u"-1000"}, {u"", 0, u""},
    };
    for (const Case& c : cases) {
        Type(*view, *editor, wm::kOffsetXEdit, c.typed);
        EXPECT_EQ(list.working.offsetX, c.offset) << std::string(c.typed, c.typed + 1);
        EXPECT_EQ(at(wm::kOffsetXEdit).text, c.shown);
    }
    Type(*view, *editor, wm::kOffsetYEdit, u"x3y");
    EXPECT_EQ(list.working.offsetY, 3);
    EXPECT_EQ(at(wm::kOffsetYEdit).caret, 1);  // after the kept digit
}

TEST_F(WatermarkEditorTest, ChoosingAPositionResetsTheAdjustment) {
    view->listSelect(wm::kPositionList, 6);
    editor->command(wm::kPositionList, 1);
    EXPECT_EQ(list.working.position, 6);
    EXPECT_EQ(list.working.offsetX, 0);
    EXPECT_EQ(list.working.offsetY, 0);
    EXPECT_EQ(at(wm::kOffsetXEdit).text, u"0");
    EXPECT_EQ(at(wm::kOffsetYEdit).text, u"0");
}

TEST_F(WatermarkEditorTest, BorderButtonsSetTheBorder) {
    editor->command(wm::kBorderDoubleFrame, 0);
    EXPECT_EQ(list.working.border, 3);
    editor->command(wm::kBorderNone, 0);
    EXPECT_EQ(list.working.border, 0);
}

TEST_F(WatermarkEditorTest, TheColourChooserOpensOnTheColourWithTheCustomColours) {
    setIni("[Custom Color]\nColor0=1,2,3\n");
    view->colourAnswer = 0x00123456;
    view->customEdit = [](std::array<std::uint32_t, 16>& c) { c[15] = 0x00ABCDEF; };
    editor->command(wm::kColourButton, 0);
    ASSERT_EQ(view->colourCalls.size(), 1u);
    EXPECT_EQ(view->colourCalls[0].initial, 255u);
    EXPECT_EQ(view->colourCalls[0].custom[0], 0x030201u);
    EXPECT_EQ(list.working.color, 0x00123456u);
    EXPECT_EQ(profile.readString(kWmIni, u"Custom Color", u"Color15", 64, {}), u"239,205,171");

    // Cancelled: the colour stays, the custom colours are still written.
    view->colourAnswer.reset();
    view->customEdit = [](std::array<std::uint32_t, 16>& c) { c[1] = 0x000000FF; };
    editor->command(wm::kColourButton, 0);
    EXPECT_EQ(list.working.color, 0x00123456u);
    EXPECT_EQ(profile.readString(kWmIni, u"Custom Color", u"Color1", 64, {}), u"255,0,0");
}

TEST_F(WatermarkEditorTest, OkDerivesTheFontNameAndStyleCode) {
    editor->command(1, 0);
    EXPECT_EQ(view->endResult, 1);
    // Entry 2, bold italic.
    EXPECT_EQ(list.working.fontNameValue(), u"Helvetica-BoldOblique");
    EXPECT_EQ(list.working.styleCode, 5);
}

TEST_F(WatermarkEditorTest, CancelReturnsTwo) {
    editor->command(2, 0);
    EXPECT_EQ(view->endResult, 2);
}

TEST_F(WatermarkEditorTest, TheFontDialogShowsAndReturnsItsFourValues) {
    fontScript = [](FakeDialogView& v, WatermarkFontDialog& d) {
        EXPECT_EQ(v.at(wm::kFontList).items.size(), 2u);  // the Western fonts only
        EXPECT_EQ(v.at(wm::kFontList).selection, 1);
        EXPECT_EQ(v.at(wm::kFontEdit).text, u"Helvetica");
        EXPECT_EQ(v.at(wm::kStyleList).selection, 3);
        EXPECT_EQ(v.at(wm::kStyleEdit).text, u"Bold Italic");
        EXPECT_EQ(v.at(wm::kSizeList).selection, 14);  // 48
        EXPECT_EQ(v.at(wm::kFontSizeEdit).text, u"48");
        EXPECT_EQ(v.at(wm::kFontEdit).textLimit, 30);
        v.listSelect(wm::kFontList, 0);
        d.command(wm::kFontList, 1);
        EXPECT_EQ(v.at(wm::kFontEdit).text, u"Times-Roman");
        v.listSelect(wm::kStyleList, 1);
        d.command(wm::kStyleList, 1);
        v.listSelect(wm::kSizeList, 15);
        d.command(wm::kSizeList, 1);
        EXPECT_EQ(v.at(wm::kFontSizeEdit).text, u"72");
        d.command(1, 0);
    };
    editor->command(wm::kFontButton, 0);
    EXPECT_EQ(list.working.fontIndex, 0);
    EXPECT_EQ(list.working.weight, 400);
    EXPECT_EQ(list.working.italic, 1);
    EXPECT_EQ(list.working.size, 72);
    EXPECT_EQ(at(wm::kSizeScroll).scrollPos, 72);
    EXPECT_EQ(at(wm::kSizeEdit).text, u"72");
    editor->command(1, 0);
    EXPECT_EQ(list.working.fontNameValue(), u"Times-Italic");
}

TEST_F(WatermarkEditorTest, TheFontDialogClampsTypedSizes) {
    fontScript = [](FakeDialogView& v, WatermarkFontDialog& d) {
        Type(v, d, wm::kFontSizeEdit, u"12");
        EXPECT_EQ(d.size(), 12);
        EXPECT_EQ(v.at(wm::kSizeList).selection, 4);
        Type(v, d, wm::kFontSizeEdit, u"601");
        EXPECT_EQ(d.size(), 600);
        EXPECT_EQ(v.at(wm::kFontSizeEdit).text, u"600");
        EXPECT_EQ(v.at(wm::kSizeList).selection, -1);
        Type(v, d, wm::kFontSizeEdit, u"");
        EXPECT_EQ(d.size(), 0);
        d.command(1, 0);
    };
    editor->command(wm::kFontButton, 0);
    // The empty size came back as 0; the scroll bar's lower bound makes it 1.
    EXPECT_EQ(list.working.size, 1);
    EXPECT_EQ(at(wm::kSizeEdit).text, u"1");
}

TEST_F(WatermarkEditorTest, TheFontDialogsCancelChangesNothing) {
    fontScript = [](FakeDialogView& v, WatermarkFontDialog& d) {
        v.listSelect(wm::kSizeList, 0);
        d.command(wm::kSizeList, 1);
        d.command(2, 0);
        EXPECT_EQ(v.endResult, 2);
    };
    editor->command(wm::kFontButton, 0);
    EXPECT_EQ(list.working.size, 48);
}

TEST(FontDialogSize, TypedTexts) {
    struct Case {
        const char16_t* text;
        std::int32_t size;
    } cases[] = {{u"8", 8}, {u"600", 600}, {u"601", 600}, {u"99999", 600}, {u"", 0}, {u"1x", 0}, {u"-5", 1}, {u"0", 0}};
    for (const Case& c : cases) EXPECT_EQ(FontDialogSize(c.text), c.size);
}

}  // namespace
}  // namespace wren::test
