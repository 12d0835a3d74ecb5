// The Colour page: modes and the buttons they enable, custom gamma, the
// swatch program, Default, the permission rule, and what leaving stores.
#include "colour_fixture.h"

namespace wren::test {
namespace {

using ui::Feature;

class ColourPageTest : public ColourFixture {};

TEST_F(ColourPageTest, EachModeEnablesOnlyItsOwnDetailsAndGreyscaleLocksTonerSave) {
    struct Row {
        int mode;
        bool halvane, quillon, toner;
    };
    const Row rows[] = {{0, false, false, true}, {1, true, false, true}, {2, false, true, true},
                        {3, false, false, true}, {4, false, false, false}};
    open();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        click(IDC_CL_MODE_FIRST + row.mode);
        EXPECT_EQ(sel(Feature::ZEControl), row.mode);
        for (int r = 0; r < 5; ++r) EXPECT_EQ(view.checked(IDC_CL_MODE_FIRST + r), r == row.mode);
        EXPECT_EQ(view.enabled(IDC_CL_HALVANE_OPTIONS), row.halvane);
        EXPECT_EQ(view.enabled(IDC_CL_QUILLON_OPTIONS), row.quillon);
        EXPECT_EQ(view.enabled(IDC_CL_TONER_SAVE), row.toner);
        EXPECT_TRUE(view.enabled(IDC_CL_ADVANCED));
    }
    EXPECT_EQ(view.pageChanges, 5);
}

TEST_F(ColourPageTest, PictureButtonsChooseTheirModeLikeTheRadios) {
    open();
    click(IDC_CL_PICTURE_FIRST + 2);
    EXPECT_EQ(sel(Feature::ZEControl), 2);
    EXPECT_TRUE(view.checked(IDC_CL_MODE_FIRST + 2));
    EXPECT_EQ(ui::ColourPage::pictureBitmap(IDC_CL_PICTURE_FIRST + 1), IDB_CL_HALVANE);
    EXPECT_EQ(ui::ColourPage::pictureBitmap(IDC_CL_PICTURE_FIRST + 4), IDB_CL_GREYSCALE);
}

TEST_F(ColourPageTest, GammaListOffersTheHalftoneSettingsAndFollowsTheSwitch) {
    record.gammaSettingId = 5;
    record.gammaOn = 1;
    open();
    const FakeControl& list = view.at(IDC_CL_GAMMA_LIST);
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[1].text, u"Vivid");
    EXPECT_EQ(list.selection, 1);
    EXPECT_TRUE(list.enabled);
    choose(IDC_CL_GAMMA_LIST, 0);
    EXPECT_EQ(page->customGamma(), 0x10003);
}

TEST_F(ColourPageTest, StoredGammaNoLongerOfferedFallsBackToTheFirstSwitchedOff) {
    record.gammaSettingId = 9;
    record.gammaOn = 1;
    open();
    EXPECT_EQ(view.at(IDC_CL_GAMMA_LIST).selection, 0);
    EXPECT_EQ(page->customGamma(), 3);
    EXPECT_FALSE(view.enabled(IDC_CL_GAMMA_LIST));
    page->leave();
    EXPECT_EQ(+record.gammaSettingId, 3);
    EXPECT_EQ(+record.gammaOn, 0);
}

TEST_F(ColourPageTest, WithoutGammaSettingsTheControlsGoAndTheIdentifierIsNone) {
    profile.addFile(u"C:\\drivers\\x64\\3\\wrengam.dat", "[PSGamma]\nSettingNum=0\n");
    record.gammaOn = 1;
    open();
    EXPECT_FALSE(view.exists(IDC_CL_GAMMA_LABEL));
    EXPECT_FALSE(view.exists(IDC_CL_GAMMA_LIST));
    EXPECT_EQ(page->customGamma(), 0xFFFF);
}

TEST_F(ColourPageTest, ActivationTakesTheGammaPairTheJobOptionsPageStored) {
    open();
    record.gammaSettingId = 5;
    record.gammaOn = 1;
    page->activate();
    EXPECT_EQ(view.at(IDC_CL_GAMMA_LIST).selection, 1);
    EXPECT_TRUE(view.enabled(IDC_CL_GAMMA_LIST));
}

TEST_F(ColourPageTest, SwatchButtonStartsTheInstalledProgramOrSaysToInstallIt) {
    open();
    click(IDC_CL_SWATCH);
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    EXPECT_EQ(view.messageBoxes[0].text, u"To use this feature, please install the Chromaboard.");
    EXPECT_EQ(view.messageBoxes[0].caption, u"Error");
    EXPECT_EQ(view.messageBoxes[0].flags, ui::kMessageWarning);
    EXPECT_TRUE(sheet.links.empty());

    registry.values[{u"SOFTWARE\\Wren\\Swatch", u"install"}] = u"C:\\Swatch";
    click(IDC_CL_SWATCH);
    ASSERT_EQ(sheet.links.size(), 1u);
    EXPECT_EQ(sheet.links[0], u"C:\\Swatch\\swatch.exe");
    EXPECT_EQ(view.messageBoxes.size(), 1u);
}

TEST_F(ColourPageTest, WithoutSwatchKeyTheButtonIsRemoved) {
    modelKeys = "";
    open();
    EXPECT_FALSE(view.exists(IDC_CL_SWATCH));
    click(IDC_LOGO);
    EXPECT_TRUE(sheet.links.empty());  // no "TabLinkName" either
}

TEST_F(ColourPageTest, LogoOpensTheModelsLink) {
    open();
    click(IDC_LOGO);
    ASSERT_EQ(sheet.links.size(), 1u);
    EXPECT_EQ(sheet.links[0], u"https://x.invalid");
}

TEST_F(ColourPageTest, DefaultResetsModeGammaBlackFinishesAndCartridge) {
    record.gammaSettingId = 5;
    record.gammaOn = 1;
    record.cartridgeOff = 7;
    sel(Feature::ZEControl) = 2;
    open();
    click(IDC_DEFAULT);
    EXPECT_EQ(sel(Feature::ZEControl), 0);
    EXPECT_EQ(sel(Feature::ZEBlackSubGra), 0);
    EXPECT_EQ(sel(Feature::ZEBlackFinishSubGra), 0);
    page->leave();
    EXPECT_EQ(+record.gammaOn, 0);
    EXPECT_EQ(+record.cartridgeOff, 0);
    EXPECT_EQ(view.pageChanges, 1);
}

TEST_F(ColourPageTest, WithoutPermissionEverythingButTheLogoStaysDisabledAfterAModeChange) {
    document.noPermission = true;
    open();
    for (int id : {IDC_CL_MODE_FIRST, IDC_CL_QUILLON_OPTIONS, IDC_CL_ADVANCED, IDC_CL_TONER_SAVE, IDC_CL_GAMMA_LIST,
                   IDC_CL_SWATCH, IDC_DEFAULT})
        EXPECT_FALSE(view.enabled(id)) << id;
    EXPECT_TRUE(view.enabled(IDC_LOGO));
    page->command(IDC_CL_MODE_FIRST + 2, ui::kClicked);
    EXPECT_FALSE(view.enabled(IDC_CL_QUILLON_OPTIONS));
    EXPECT_FALSE(view.enabled(IDC_CL_TONER_SAVE));
    EXPECT_TRUE(view.enabled(IDC_LOGO));
}

TEST_F(ColourPageTest, DetailDialogsOpenByTemplateAndOnlyOkMarksThePage) {
    sel(Feature::ZEControl) = 1;
    open();
    sheet.dialogAnswers[IDD_HALVANE] = [] { return 0; };
    sheet.dialogAnswers[IDD_COLOUR_ADVANCED] = [] { return 1; };
    click(IDC_CL_HALVANE_OPTIONS);
    EXPECT_EQ(view.pageChanges, 0);
    click(IDC_CL_ADVANCED);
    EXPECT_EQ(view.pageChanges, 1);
    click(IDC_CL_QUILLON_OPTIONS);
    EXPECT_EQ(sheet.dialogs, (std::vector<int>{IDD_HALVANE, IDD_COLOUR_ADVANCED, IDD_QUILLON}));
}

TEST_F(ColourPageTest, ADetailDialogClosedWithOkIsStoredAtOnce) {
    sel(Feature::ZEControl) = 1;
    open();
    sheet.dialogAnswers[IDD_HALVANE] = [this] {
        page->ccmSetting() = 0x10002;  // "Tintmend Settings" on, setting 2
        sel(Feature::ZEControl) = 2;
        return 1;
    };
    click(IDC_CL_HALVANE_OPTIONS);
    EXPECT_EQ(tree[context[Feature::ZEControl].index].sel, 2);
    EXPECT_EQ(+record.ccmSetting, 0x10002u);
    EXPECT_EQ(+record.ccmTableNtCount, 2);
    EXPECT_EQ(sheet.revisits, 0);  // the page is still shown
}

TEST_F(ColourPageTest, LeavingWritesBackThenStoresTheChoiceWithItsTablesThenRevisits) {
    record.ccmSetting = 0x10002;  // "Tintmend Settings" on, setting 2 of "Color"
    open();
    click(IDC_CL_MODE_FIRST + 1);
    page->leave();
    EXPECT_EQ(tree[context[Feature::ZEControl].index].sel, 1);
    EXPECT_EQ(+record.ccmSetting, 0x10002u);
    ASSERT_EQ(+record.ccmTableNtCount, 2);
    EXPECT_EQ(+record.ccmTableNt[0], 0x0A);
    EXPECT_EQ(+record.ccmTableNt[1], 0x1B);
    ASSERT_EQ(+record.ccmTableNvCount, 1);
    EXPECT_EQ(+record.ccmTableNv[0], 0xFF);
    EXPECT_EQ(sheet.revisits, 1);
    page->apply();
    EXPECT_EQ(sheet.applied, 1);
}

TEST_F(ColourPageTest, GammaSectionChoiceReadsThatSectionsTables) {
    record.ccmSetting = 0x10104;
    open();
    page->storeColourSettings();
    ASSERT_EQ(+record.ccmTableNtCount, 4);
    EXPECT_EQ(+record.ccmTableNt[3], 0x04);
    EXPECT_EQ(+record.ccmTableNvCount, 0);
}

TEST_F(ColourPageTest, SwitchedOffChoiceLeavesTheTablesAlone) {
    record.ccmSetting = 0x0002;
    record.ccmTableNtCount = 1;
    record.ccmTableNt[0] = 0x77;
    open();
    page->leave();
    EXPECT_EQ(+record.ccmTableNtCount, 1);
    EXPECT_EQ(+record.ccmTableNt[0], 0x77);
}

}  // namespace
}  // namespace wren::test
