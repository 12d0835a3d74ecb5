// The watermark list and its dialog: loading, the selection, New, Edit,
// Delete and the exact Cancel restore, the copy into the settings record,
// and the printer fonts a watermark can name.
#include <gtest/gtest.h>

#include "watermark_fixture.h"
#include "ui/watermark/watermark_codec.h"
#include "ui/watermark/watermark_store.h"

namespace wren::test {
namespace {

constexpr const char* kTwoWatermarks =
    "[Watermark]\n"
    "WTMK001=48,0,30,0,0,255,DRAFT,Times-Roman,400,0,0,3,0,0,0,0\n"
    "WTMK002=72,1,45,5,-5,16711680,COPY,Helvetica-Bold,700,0,0,6,2,1,1,0\n";

class WatermarkListDialogTest : public ::testing::Test, public WatermarkFixture {
protected:
    std::unique_ptr<FakeDialogView> view = ListView();
    std::unique_ptr<WatermarkListDialog> dialog;

    void open(std::uint32_t settingsIndex = 0) {
        record.watermarkIndex = settingsIndex;
        view = ListView();
        dialog = std::make_unique<WatermarkListDialog>(env, *view, record);
        dialog->initialize();
    }
    void select(int position) {
        view->listSelect(wm::kEntryList, position);
        dialog->command(wm::kEntryList, 1);
    }
    void click(int id) { dialog->command(id, 0); }
    std::vector<std::u16string> listed() const {
        std::vector<std::u16string> out;
        for (const auto& item : view->at(wm::kEntryList).items) out.push_back(item.text);
        return out;
    }
    // What the user sees and what the store would get, in one comparable text.
    std::u16string snapshot() const {
        std::u16string s = u"sel=" + FakeDialogView::decimal(list.selection);
        for (const WatermarkRecord& r : list.entries) s += u"|" + FormatWatermarkValue(r);
        return s;
    }
    // The editor types a text and confirms.
    void editorTypes(std::u16string text) {
        editorScript = [text](FakeDialogView& v, WatermarkEditor& e) {
            Type(v, e, wm::kTextEdit, text);
            e.command(1, 0);
        };
    }
};

TEST_F(WatermarkListDialogTest, OpeningShowsNoneFirstAndTheStoredWatermarks) {
    setIni(kTwoWatermarks);
    open(2);
    EXPECT_EQ(listed(), (std::vector<std::u16string>{u"None", u"DRAFT", u"COPY"}));
    EXPECT_EQ(view->at(wm::kEntryList).selection, 2);
    EXPECT_TRUE(view->at(wm::kFirstPageOnlyBox).checked);
    EXPECT_TRUE(view->at(wm::kBackgroundBox).checked);
    EXPECT_TRUE(view->at(wm::kEditButton).enabled);
    EXPECT_TRUE(view->at(wm::kDeleteButton).enabled);
    EXPECT_EQ(list.working.textValue(), u"COPY");
}

TEST_F(WatermarkListDialogTest, ASelectionBeyondTheListSelectsNone) {
    setIni(kTwoWatermarks);
    open(5);
    EXPECT_EQ(list.selection, 0u);
    EXPECT_EQ(view->at(wm::kEntryList).selection, 0);
    EXPECT_FALSE(view->at(wm::kEditButton).enabled);
    EXPECT_FALSE(view->at(wm::kDeleteButton).enabled);
    // "None" keeps its name in the list, but the preview shows no text.
    EXPECT_EQ(list.entries[0].textValue(), u"None");
    EXPECT_EQ(list.working.textValue(), u"");
    click(1);
    EXPECT_EQ(record.watermarkIndex, 0u);
}

TEST_F(WatermarkListDialogTest, AMissingSectionGivesOnlyNoneWithItsDefaults) {
    open();
    ASSERT_EQ(list.count(), 0);
    const WatermarkRecord& none = list.entries[0];
    EXPECT_EQ(FormatWatermarkValue(none), u"72,0,45,0,0,12632256,None,HeiseiMin-W3-90ms-RKSJ-H,0,0,0,3,0,0,0,0");
}

TEST_F(WatermarkListDialogTest, NoneStartsOnTheDefaultJapaneseFontInTheJapaneseLocale) {
    env.threadLocale = kJapaneseLocale;
    open();
    EXPECT_EQ(list.entries[0].fontIndex, 2);  // "DefaultNo" 3, 0-based
}

TEST_F(WatermarkListDialogTest, SelectingAnEntryLoadsTheWorkingCopyAndMarksThePage) {
    setIni(kTwoWatermarks);
    open();
    select(1);
    EXPECT_EQ(list.working.textValue(), u"DRAFT");
    EXPECT_TRUE(view->at(wm::kEditButton).enabled);
    EXPECT_EQ(view->pageChanges, 1);
    view->listSelect(wm::kEntryList, -1);  // no selection: "None"
    dialog->command(wm::kEntryList, 1);
    EXPECT_EQ(list.selection, 0u);
    EXPECT_FALSE(view->at(wm::kDeleteButton).enabled);
}

TEST_F(WatermarkListDialogTest, NewStartsFromNoneWithAnEmptyTextAndAppendsOnOk) {
    setIni(kTwoWatermarks);
    open(1);
    list.entries[0].firstPageOnly = 1;  // the "None" entry's box, checked before
    editorScript = [this](FakeDialogView& v, WatermarkEditor& e) {
        EXPECT_EQ(v.at(wm::kTextEdit).text, u"");
        EXPECT_FALSE(v.at(1).enabled);  // nothing to confirm yet
        EXPECT_EQ(list.working.size, 72);
        EXPECT_EQ(list.working.firstPageOnly, 1);
        Type(v, e, wm::kTextEdit, u"NEW");
        e.command(1, 0);
    };
    click(wm::kNewButton);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.entries[3].textValue(), u"NEW");
    EXPECT_EQ(list.entries[3].firstPageOnly, 1);
    EXPECT_EQ(list.selection, 3u);
    EXPECT_EQ(listed().back(), u"NEW");
    EXPECT_TRUE(view->at(wm::kEditButton).enabled);
    EXPECT_EQ(view->pageChanges, 1);
}

TEST_F(WatermarkListDialogTest, NewCancelledRestoresThePreviousSelection) {
    setIni(kTwoWatermarks);
    open(2);
    click(wm::kNewButton);  // the editor cancels
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.selection, 2u);
    EXPECT_EQ(list.working.textValue(), u"COPY");
    EXPECT_EQ(view->pageChanges, 0);
}

TEST_F(WatermarkListDialogTest, TheSeventeenthWatermarkIsRefused) {
    std::string ini = "[Watermark]\n";
    for (int i = 1; i <= 16; ++i) ini += "WTMK00" + std::to_string(i) + "=72,0,45,0,0,0,W" + std::to_string(i) + ",F\n";
    setIni(ini);
    open();
    const std::u16string before = snapshot();
    click(wm::kNewButton);
    ASSERT_EQ(view->messageBoxes.size(), 1u);
    EXPECT_EQ(view->messageBoxes[0].text, u"A maximum number of 16 watermarks can be saved.");
    EXPECT_EQ(view->messageBoxes[0].caption, u"Warning");
    EXPECT_EQ(view->messageBoxes[0].flags, kMessageWarning);
    EXPECT_TRUE(dialogsRun.empty());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(WatermarkListDialogTest, EditReplacesTheEntryOnOkAndReloadsOnCancel) {
    setIni(kTwoWatermarks);
    open(1);
    editorScript = [](FakeDialogView& v, WatermarkEditor& e) {
        Type(v, e, wm::kTextEdit, u"CHANGED");
        e.command(2, 0);
    };
    click(wm::kEditButton);
    EXPECT_EQ(list.entries[1].textValue(), u"DRAFT");
    EXPECT_EQ(list.working.textValue(), u"DRAFT");
    editorTypes(u"FINAL");
    click(wm::kEditButton);
    EXPECT_EQ(list.entries[1].textValue(), u"FINAL");
    EXPECT_EQ(listed()[1], u"FINAL");
    EXPECT_EQ(view->pageChanges, 1);
}

TEST_F(WatermarkListDialogTest, DeleteMovesTheRestUpAndSelectsNone) {
    setIni(kTwoWatermarks);
    open(1);
    click(wm::kDeleteButton);
    EXPECT_EQ(listed(), (std::vector<std::u16string>{u"None", u"COPY"}));
    EXPECT_EQ(list.selection, 0u);
    EXPECT_EQ(list.working.textValue(), u"");
    EXPECT_FALSE(view->at(wm::kEditButton).enabled);
    EXPECT_FALSE(view->at(wm::kDeleteButton).enabled);
    EXPECT_EQ(view->focused, wm::kNewButton);
    click(wm::kDeleteButton);  // nothing left to delete on "None"
    EXPECT_EQ(list.count(), 1);
}

TEST_F(WatermarkListDialogTest, CancelRestoresEverythingAfterNewEditDeleteAndTheBoxes) {
    setIni(kTwoWatermarks);
    open(2);
    const std::u16string before = snapshot();
    editorTypes(u"ADDED");
    click(wm::kNewButton);
    select(1);
    editorTypes(u"EDITED");
    click(wm::kEditButton);
    select(2);
    click(wm::kDeleteButton);
    view->setChecked(wm::kFirstPageOnlyBox, true);  // now on "None"
    click(wm::kFirstPageOnlyBox);
    view->setChecked(wm::kBackgroundBox, true);
    click(wm::kBackgroundBox);
    ASSERT_NE(snapshot(), before);
    click(2);
    EXPECT_EQ(view->endResult, 0);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(list.working.textValue(), u"COPY");

    // The next opening shows the restored list.
    open(record.watermarkIndex);
    EXPECT_EQ(listed(), (std::vector<std::u16string>{u"None", u"DRAFT", u"COPY"}));
}

TEST_F(WatermarkListDialogTest, CancelKeepsWhatAnEarlierOkConfirmed) {
    setIni(kTwoWatermarks);
    open();
    view->setChecked(wm::kFirstPageOnlyBox, true);
    click(wm::kFirstPageOnlyBox);
    click(wm::kDeleteButton);  // ignored on "None"
    select(2);
    click(wm::kDeleteButton);
    click(1);
    EXPECT_EQ(view->endResult, 1);
    const std::u16string confirmed = snapshot();
    open(record.watermarkIndex);
    view->setChecked(wm::kFirstPageOnlyBox, false);
    click(wm::kFirstPageOnlyBox);
    editorTypes(u"MORE");
    click(wm::kNewButton);
    click(2);
    EXPECT_EQ(snapshot(), confirmed);
    EXPECT_EQ(list.entries[0].firstPageOnly, 1);
}

TEST_F(WatermarkListDialogTest, OkCopiesTheChosenEntryIntoTheSettingsRecord) {
    setIni(kTwoWatermarks);
    open(2);
    click(1);
    EXPECT_EQ(record.watermarkIndex, 2u);
    EXPECT_EQ(record.wmSize, 72);
    EXPECT_EQ(record.wmFontIndex, 1);
    EXPECT_EQ(record.wmAngle, 45);
    EXPECT_EQ(record.wmOffsetX, 5);
    EXPECT_EQ(record.wmOffsetY, -5);
    EXPECT_EQ(record.wmColor, 0xFF0000u);
    EXPECT_EQ(readField(record.wmText), u"COPY");
    EXPECT_EQ(readField(record.wmFontName), u"Helvetica-Bold");
    EXPECT_EQ(record.wmWeight, 700);
    EXPECT_EQ(record.wmPosition, 6);
    EXPECT_EQ(record.wmBorder, 2);
    EXPECT_EQ(record.wmInBackground, 1);
    EXPECT_EQ(record.wmFirstPageOnly, 1);
    EXPECT_EQ(readField(record.wmColorText), "0.00 0.00 1.00");
    EXPECT_TRUE(list.backups.empty());
}

TEST_F(WatermarkListDialogTest, ApplyWritesTheStoreAndTheNextOpeningReadsItAgain) {
    setIni(kTwoWatermarks);
    open(1);
    click(wm::kDeleteButton);
    click(1);
    ASSERT_TRUE(CommitWatermarkEdits(list, profile));
    EXPECT_FALSE(list.loaded);
    EXPECT_EQ(profile.keyNames(kWmIni, kWatermarkSection, 512), (std::vector<std::u16string>{u"WTMK001"}));
    open(0);
    EXPECT_EQ(listed(), (std::vector<std::u16string>{u"None", u"COPY"}));
    // A reset drops what was changed since.
    click(wm::kNewButton);
    DropWatermarkEdits(list);
    EXPECT_FALSE(list.loaded);
    EXPECT_TRUE(CommitWatermarkEdits(list, profile));  // nothing loaded: nothing written
    EXPECT_EQ(LoadWatermarkStore(profile, kWmIni).size(), 1u);
}

TEST(WatermarkColourText, TwoDecimalsPerComponent) {
    EXPECT_EQ(WatermarkColourText(kLightGrey), "0.75 0.75 0.75");
    EXPECT_EQ(WatermarkColourText(0x00000000), "0.00 0.00 0.00");
    EXPECT_EQ(WatermarkColourText(0x00FFFFFF), "1.00 1.00 1.00");
    EXPECT_EQ(WatermarkColourText(0x00800001), "0.00 0.00 0.50");
    // Every component as printf would round it.
    for (unsigned c = 0; c < 256; ++c) {
        char expected[8];
        std::snprintf(expected, sizeof expected, "%1.2f", c / 255.0);
        EXPECT_EQ(WatermarkColourText(c).substr(0, 4), expected) << c;
    }
}

TEST(WatermarkFonts, NameAndStyleCodeFromTheFontEntry) {
    const PrinterFontEntry western = ParsePrinterFontEntry(u"Times-Roman,Times-Italic,Times-Bold,Times-BoldItalic,Times New Roman");
    const PrinterFontEntry japanese =
        ParsePrinterFontEntry(u"\u660E\u671D,MS Mincho,Ryumin-Light-90ms-RKSJ-H,\u65E5\u672C\u8A9E");
    struct Case {
        const PrinterFontEntry* entry;
        std::int32_t weight;
        bool italic;
        const char16_t* name;
        std::uint16_t code;
    } cases[] = {
        {&western, 400, false, u"Times-Roman", 0},     {&western, 400, true, u"Times-Italic", 5},
        {&western, 700, false, u"Times-Bold", 0},      {&western, 700, true, u"Times-BoldItalic", 5},
        {&western, 0, false, u"Times-Roman", 0},       {&japanese, 400, false, u"Ryumin-Light-90ms-RKSJ-H", 0},
        {&japanese, 400, true, u"Ryumin-Light-90ms-RKSJ-H", 1}, {&japanese, 700, false, u"Ryumin-Light-90ms-RKSJ-H", 2},
        {&japanese, 700, true, u"Ryumin-Light-90ms-RKSJ-H", 3},
    };
    for (const Case& c : cases) {
        const PrinterFontChoice choice = ChoosePrinterFont(*c.entry, c.weight, c.italic);
        EXPECT_EQ(choice.fontName, c.name);
        EXPECT_EQ(choice.styleCode, c.code);
    }
    EXPECT_EQ(western.screenFace(), u"Times New Roman");
    EXPECT_EQ(japanese.screenFace(), u"MS Mincho");
    EXPECT_TRUE(japanese.japanese());
    EXPECT_FALSE(western.japanese());
}

TEST(WatermarkFonts, LongTokensAreCutAndAMissingEntryGivesAnEmptyName) {
    const std::u16string longName(80, u'N');
    const PrinterFontChoice choice = ChoosePrinterFont(ParsePrinterFontEntry(longName + u",b,c,d,e"), 400, false);
    EXPECT_EQ(choice.fontName, std::u16string(kWatermarkFontNameChars, u'N'));
    EXPECT_EQ(ParsePrinterFontEntry(longName).tokens[0].size(), kFontTokenChars);

    FakeProfile profile;
    WatermarkRecord r;
    r.setFontName(u"Old");
    r.fontIndex = 3;
    DeriveFontNameAndStyle(r, WatermarkFontFile(profile, kWmFontFile));
    EXPECT_EQ(r.fontNameValue(), u"");
}

TEST(WatermarkFonts, DefaultNoEndsTheListOutsideTheJapaneseLocale) {
    FakeProfile profile;
    profile.addFile(kWmFontFile,
                    "[PrinterFont]\nDefaultNo=5\n1=A,a,b,c,x\n2=B,a,b,c,x\n3=C,a,b,c,x\n4=D,a,b,c,x\n"
                    "5=J1,face,PS,\xE6\x97\xA5\xE6\x9C\xAC\n6=J2,face,PS,\xE6\x97\xA5\xE6\x9C\xAC\n8=gap\n");
    const WatermarkFontFile fonts(profile, kWmFontFile);
    EXPECT_EQ(fonts.fonts(1033).size(), 4u);
    EXPECT_EQ(fonts.fonts(kJapaneseLocale).size(), 6u);  // up to the first missing number
    EXPECT_EQ(fonts.defaultFontIndex(1033), 0);
    EXPECT_EQ(fonts.defaultFontIndex(kJapaneseLocale), 4);
    EXPECT_TRUE(WatermarkFontFile(profile, u"").fonts(1033).empty());
}

}  // namespace
}  // namespace wren::test
