#include "job_options_fixture.h"

namespace wren::test {
namespace {

using ui::Feature;
using ui::JobType;

TEST_F(JobOptionsFixture, OpensWithTheTreeSelectionsAndTheFeatureLists) {
    open();
    EXPECT_TRUE(view.checked(IDC_QUALITY_NORMAL));
    EXPECT_FALSE(view.checked(IDC_QUALITY_FINE));
    EXPECT_EQ(view.listCount(IDC_TONER_LIST), 2);
    EXPECT_EQ(view.listSelection(IDC_TONER_LIST), 1);
    EXPECT_TRUE(view.checked(IDC_JOBTYPE_NORMAL));
    EXPECT_FALSE(view.enabled(IDC_JOBTYPE_SETTING));
    // The copies limit is raised for every printer; the scale range shows the item's bounds.
    EXPECT_EQ(tree[context[Feature::Copies].index].upper, 999);
    EXPECT_EQ(view.at(IDC_COPIES_EDIT).textLimit, 3);
    EXPECT_EQ(view.text(IDC_SCALE_RANGE, 100), u"( 25-400 % )");
    EXPECT_EQ(view.text(IDC_SCALE_EDIT, 100), u"100");
    EXPECT_EQ(view.listCount(IDC_GAMMA_LIST), 2);
    EXPECT_FALSE(view.exists(IDC_WATERMARK_BUTTON) && view.enabled(IDC_WATERMARK_BUTTON));
    EXPECT_TRUE(view.enabled(IDC_ADVANCED_BUTTON));
    EXPECT_TRUE(state.pluginChanged);
}

TEST_F(JobOptionsFixture, MissingFeaturesAndLibrariesDestroyTheirControls) {
    for (Feature f : {Feature::ZEOutputMode, Feature::ZEJob_Type, Feature::Copies}) context[f].index = ui::kAbsentItem;
    modelKeys = "";
    profile.addFile(u"C:\\drivers\\x64\\3\\wrengam.dat", "[PSGamma]\nSettingNum=0\n");
    open();
    for (int id : {IDC_TONER_LABEL, IDC_TONER_LIST, IDC_JOBTYPE_NORMAL, IDC_JOBTYPE_SETTING, IDC_COPIES_EDIT,
                   IDC_COPIES_UPDOWN, IDC_USER_AUTH_BUTTON, IDC_GAMMA_CHECK, IDC_GAMMA_LIST})
        EXPECT_FALSE(view.exists(id)) << id;
    EXPECT_TRUE(view.exists(IDC_SCALE_EDIT));
}

TEST_F(JobOptionsFixture, SecurePrintForcesOneCopyAndWarnsOnceUntilNormal) {
    open();
    sel(Feature::Copies) = 5;
    sheet.dialogAnswers[ui::kJobPinDialog] = [] { return 1; };
    click(IDC_JOBTYPE_SECURE);
    EXPECT_EQ(messagesWith(u"copies become one"), 1u);
    EXPECT_EQ(view.messageBoxes.back().caption, u"Warning");
    EXPECT_EQ(view.messageBoxes.back().flags, ui::kMessageWarning);
    EXPECT_EQ(sel(Feature::Copies), 1);
    EXPECT_EQ(sel(Feature::ZEJob_Type), 1);
    EXPECT_FALSE(view.enabled(IDC_COPIES_EDIT));
    EXPECT_FALSE(view.enabled(IDC_COLLATE));
    EXPECT_TRUE(view.enabled(IDC_JOBTYPE_SETTING));

    sel(Feature::Copies) = 3;
    click(IDC_JOBTYPE_STORE);
    EXPECT_EQ(messagesWith(u"copies become one"), 1u);  // not armed again yet
    click(IDC_JOBTYPE_NORMAL);
    EXPECT_TRUE(view.enabled(IDC_COPIES_EDIT));
    sel(Feature::Copies) = 2;
    click(IDC_JOBTYPE_SECURE);
    EXPECT_EQ(messagesWith(u"copies become one"), 2u);
}

TEST_F(JobOptionsFixture, CancellingTheJobPinDialogReturnsToNormal) {
    open();
    click(IDC_JOBTYPE_SECURE);
    ASSERT_EQ(sheet.dialogs, std::vector<int>{ui::kJobPinDialog});
    EXPECT_EQ(sel(Feature::ZEJob_Type), 0);
    EXPECT_TRUE(view.checked(IDC_JOBTYPE_NORMAL));
    EXPECT_FALSE(view.checked(IDC_JOBTYPE_SECURE));
    EXPECT_EQ(view.focused, IDC_JOBTYPE_NORMAL);
    EXPECT_TRUE(state.jobTypeDialogIdle);
}

TEST_F(JobOptionsFixture, AStoredPinWithANameKeepsTheChoiceWithoutTheDialog) {
    record.password[0] = u'1';
    record.askAtPrint = 1;
    open();
    click(IDC_JOBTYPE_STORE);
    EXPECT_TRUE(sheet.dialogs.empty());
    EXPECT_EQ(sel(Feature::ZEJob_Type), 2);
    EXPECT_GT(view.pageChanges, 0);
}

TEST_F(JobOptionsFixture, ClicksWhileADialogIsOpenOpenNothing) {
    open();
    sheet.dialogAnswers[ui::kJobPinDialog] = [this] {
        click(IDC_JOBTYPE_STORE);  // a click that arrives while the dialog runs
        return 0;
    };
    click(IDC_JOBTYPE_SECURE);
    EXPECT_EQ(sheet.dialogs.size(), 1u);
    EXPECT_EQ(sel(Feature::ZEJob_Type), 0);
}

TEST_F(JobOptionsFixture, WithoutAHardDiskTheJobTypeReturnsToNormal) {
    settings.features["ZEHDD"] = "False";
    sel(Feature::ZEJob_Type) = 2;
    open();
    EXPECT_EQ(sel(Feature::ZEJob_Type), 0);
    sel(Feature::ZEJob_Type) = 1;
    page->refresh();
    EXPECT_EQ(sel(Feature::ZEJob_Type), 0);
    EXPECT_TRUE(view.checked(IDC_JOBTYPE_NORMAL));
}

TEST_F(JobOptionsFixture, JobLimitationLocksEncryptedSecurePrint) {
    settings.features["ZEJobLimit"] = "True";
    open();
    EXPECT_EQ(sel(Feature::ZEJob_Type), 3);
    EXPECT_EQ(record.cryptOption, 1u);  // nothing stored: the password is asked at print time
    for (int id = IDC_JOBTYPE_NORMAL; id <= IDC_JOBTYPE_ENCRYPTED; ++id) EXPECT_FALSE(view.enabled(id)) << id;
    EXPECT_TRUE(view.checked(IDC_JOBTYPE_ENCRYPTED));
}

TEST_F(JobOptionsFixture, JobLimitationNeedsTheHiddenStandardUi) {
    settings.features["ZEJobLimit"] = "True";
    context.standardUiAsked = false;
    open();
    EXPECT_EQ(sel(Feature::ZEJob_Type), 0);
    EXPECT_FALSE(view.exists(IDC_JOBTYPE_ENCRYPTED));
}

TEST_F(JobOptionsFixture, EncryptedSecurePrintAsksTheCipherLibraryAndStoresTheBlock) {
    open();
    sel(Feature::Copies) = 4;
    click(IDC_JOBTYPE_ENCRYPTED);
    EXPECT_EQ(cipher.dialogs, 1);
    EXPECT_EQ(cipher.lastMode, 1);  // version 6: mode 1
    EXPECT_EQ(cipher.offeredPassword, "");
    EXPECT_EQ(sel(Feature::ZEJob_Type), 3);
    EXPECT_EQ(sel(Feature::Copies), 1);
    EXPECT_EQ(record.cryptMode, 7u);
    ASSERT_EQ(record.cryptPasswordLength, 6u);
    EXPECT_EQ(record.cryptPassword[0], 's' ^ 0x5A);

    // The settings button offers the stored password in clear.
    click(IDC_JOBTYPE_SETTING);
    EXPECT_EQ(cipher.dialogs, 2);
    EXPECT_EQ(cipher.offeredPassword, "secret");
}

TEST_F(JobOptionsFixture, CancellingTheCipherDialogReturnsToNormal) {
    cipher.confirm = false;
    open();
    click(IDC_JOBTYPE_ENCRYPTED);
    EXPECT_EQ(cipher.dialogs, 1);
    EXPECT_EQ(sel(Feature::ZEJob_Type), 0);
    EXPECT_EQ(record.cryptPasswordLength, 0u);
}

TEST_F(JobOptionsFixture, AStoredPasswordThatDecryptsNeedsNoDialog) {
    const char stored[] = {'p' ^ 0x5A, 'w' ^ 0x5A};
    std::memcpy(record.cryptPassword, stored, 2);
    record.cryptPasswordLength = 2;
    open();
    click(IDC_JOBTYPE_ENCRYPTED);
    EXPECT_EQ(cipher.dialogs, 0);
    EXPECT_EQ(sel(Feature::ZEJob_Type), 3);

    cipher.decrypts = false;
    click(IDC_JOBTYPE_NORMAL);
    click(IDC_JOBTYPE_ENCRYPTED);
    EXPECT_EQ(cipher.dialogs, 1);
}

TEST_F(JobOptionsFixture, AnIcCardReaderRenamesEncryptedPrintAndFreesCopies) {
    modelKeys += "CARD_DLL=zeiccard.dll\n";
    loader.libraries[u"C:\\drivers\\x64\\3\\zeiccard.dll"] = {{"QueryCardDriver", exportOf(&fakeCardPresent)}};
    sel(Feature::ZEJob_Type) = 1;
    open();
    EXPECT_TRUE(context.icCardAvailable);
    EXPECT_EQ(view.text(IDC_JOBTYPE_ENCRYPTED, 100), u"IC Card Secure Print");
    EXPECT_EQ(sel(Feature::ZEJob_Type), 3);  // secure jobs become card jobs on a printer with a disk
    EXPECT_FALSE(view.enabled(IDC_JOBTYPE_SECURE));
    EXPECT_FALSE(view.enabled(IDC_JOBTYPE_STORE));
    EXPECT_TRUE(view.enabled(IDC_COPIES_EDIT));
    click(IDC_JOBTYPE_SETTING);
    EXPECT_EQ(cipher.lastMode, 2);
}

struct NumberCase {
    int edit;
    std::u16string typed;
    std::int32_t value;
    std::u16string shown;
};

TEST_F(JobOptionsFixture, NumberEditsKeepDigitsAndClampTheScale) {
    open();
    const NumberCase cases[] = {
        {IDC_SCALE_EDIT, u"12a5", 125, u"125"},
        {IDC_SCALE_EDIT, u"5000", 1000, u"1000"},
        {IDC_SCALE_EDIT, u"", 0, u""},
        {IDC_COPIES_EDIT, u"7x", 7, u"7"},
        {IDC_COPIES_EDIT, u"42", 42, u"42"},
    };
    for (const NumberCase& c : cases) {
        type(c.edit, c.typed);
        const Feature f = c.edit == IDC_SCALE_EDIT ? Feature::Scale : Feature::Copies;
        EXPECT_EQ(sel(f), c.value) << std::string(c.typed.begin(), c.typed.end());
        EXPECT_EQ(view.text(c.edit, 100), c.shown);
    }
    EXPECT_EQ(view.caret(IDC_COPIES_EDIT), 2);
}

TEST_F(JobOptionsFixture, FitToPageForcesScale100) {
    sel(Feature::Scale) = 150;
    open();
    click(IDC_FIT_CHECK);
    EXPECT_EQ(messagesWith(u"scale must be 100"), 1u);
    EXPECT_EQ(sel(Feature::Scale), 100);
    EXPECT_EQ(view.text(IDC_SCALE_EDIT, 100), u"100");
    EXPECT_FALSE(view.enabled(IDC_SCALE_EDIT));
    click(IDC_FIT_CHECK);
    EXPECT_TRUE(view.enabled(IDC_SCALE_EDIT));
    click(IDC_FIT_CHECK);
    EXPECT_EQ(messagesWith(u"scale must be 100"), 1u);  // the scale is 100 already
}

TEST_F(JobOptionsFixture, FitToPageListsTheVisiblePapersAndDefaultsToTheLocalePaper) {
    tree[context[Feature::FormName].index].options[2].flags = ui::kOptionHide;  // A5 hidden by the core driver
    record.outputPaperIndex = 100;
    document.paperSize = 11;
    open();
    ASSERT_EQ(view.listCount(IDC_FIT_LIST), 2);
    EXPECT_EQ(context.defaultFitPosition, 1);  // A4 outside the US and Brazil
    EXPECT_EQ(page->fitPosition(), 1);
    EXPECT_EQ(view.listData(IDC_FIT_LIST, view.listSelection(IDC_FIT_LIST)), 1);
    EXPECT_EQ(view.text(IDC_FIT_DOCUMENT_PAPER, 100), u"A5");
}

TEST_F(JobOptionsFixture, AStoredPaperPositionBeyondThePrinterListMeansTheDefault) {
    record.outputPaperIndex = 40;
    record.fitToPaper = 1;
    open();
    EXPECT_EQ(page->fitPosition(), 1);
    ASSERT_TRUE(page->leave());
    EXPECT_EQ(record.outputPaperIndex, 1u);
    EXPECT_EQ(record.outputPaperSize, 9u);
}

TEST_F(JobOptionsFixture, CustomPaperDisablesFitToPage) {
    document.paperSize = ui::kCustomPaperSize;
    open();
    EXPECT_FALSE(view.enabled(IDC_FIT_CHECK));
    EXPECT_FALSE(view.enabled(IDC_FIT_LIST));
}

TEST_F(JobOptionsFixture, CustomGammaFallsBackToTheFirstEntryWhenTheStoredOneIsGone) {
    record.gammaSettingId = 9;
    record.gammaOn = 1;
    open();
    EXPECT_EQ(view.listSelection(IDC_GAMMA_LIST), 0);
    EXPECT_EQ(page->customGamma(), 3);  // the first identifier, switched off
    EXPECT_FALSE(view.checked(IDC_GAMMA_CHECK));
    EXPECT_FALSE(view.enabled(IDC_GAMMA_LIST));

    click(IDC_GAMMA_CHECK);
    view.listSelect(IDC_GAMMA_LIST, 1);
    page->command(IDC_GAMMA_LIST, ui::kSelectionChanged);
    ASSERT_TRUE(page->leave());
    EXPECT_EQ(record.gammaSettingId, 5u);
    EXPECT_EQ(record.gammaOn, 1u);
}

// The Colour page stores the same pair while this page is away; coming
// back and leaving again must not put the old pair back.
TEST_F(JobOptionsFixture, ComingBackTakesTheGammaPairAnotherPageStored) {
    open();
    ASSERT_TRUE(page->leave());
    record.gammaSettingId = 5;
    record.gammaOn = 1;
    page->activate();
    EXPECT_EQ(view.listSelection(IDC_GAMMA_LIST), 1);
    EXPECT_TRUE(view.checked(IDC_GAMMA_CHECK));
    ASSERT_TRUE(page->leave());
    EXPECT_EQ(record.gammaSettingId, 5u);
    EXPECT_EQ(record.gammaOn, 1u);
}

TEST_F(JobOptionsFixture, LeavingRefusesCopiesOutsideTheBounds) {
    open();
    type(IDC_COPIES_EDIT, u"0");
    EXPECT_FALSE(page->leave());
    EXPECT_EQ(messagesWith(u"One or more of your settings are invalid."), 1u);
    EXPECT_EQ(view.messageBoxes.back().flags, ui::kMessageStop);
    EXPECT_EQ(view.focused, IDC_COPIES_EDIT);
    EXPECT_EQ(view.at(IDC_COPIES_EDIT).selectAllCount, 1);
    EXPECT_EQ(view.beeps, 1);
    EXPECT_TRUE(tree.updates.empty());
}

TEST_F(JobOptionsFixture, LeavingWritesTheSelectionsBackAndFillsTheRecord) {
    open();
    click(IDC_QUALITY_FINE);
    click(IDC_COLLATE);
    ASSERT_TRUE(page->leave());
    EXPECT_FALSE(tree.updates.empty());
    EXPECT_EQ(tree[context[Feature::PrintQuality].index].sel, 0);
    EXPECT_EQ(record.collateCopy, 1u);
    EXPECT_EQ(record.rotateSortCopy, 1u);
    EXPECT_EQ(record.fitToPaper, 0u);
    EXPECT_EQ(sheet.revisits, 1);
}

TEST_F(JobOptionsFixture, DefaultRestoresThePageButKeepsNameAndPin) {
    record.password[0] = u'9';
    sel(Feature::PrintQuality) = 0;
    sel(Feature::Scale) = 150;
    sel(Feature::ZEOutputMode) = 0;
    open();
    click(IDC_DEFAULT);
    EXPECT_EQ(sel(Feature::PrintQuality), 1);
    EXPECT_EQ(sel(Feature::Scale), 100);
    EXPECT_EQ(sel(Feature::ZEOutputMode), 1);
    EXPECT_TRUE(view.checked(IDC_QUALITY_NORMAL));
    EXPECT_EQ(record.password[0], u'9');
}

TEST_F(JobOptionsFixture, ApplyReportsSuccessToTheSheet) {
    open();
    page->apply();
    EXPECT_EQ(sheet.applied, 1);
    state.settingsWritable = true;
    context.overlaysChanged = true;
    page->apply();
    EXPECT_EQ(sheet.applied, 3);
}

TEST_F(JobOptionsFixture, TheLinkOpensOnlyWhenTheModelNamesOne) {
    open();
    EXPECT_FALSE(view.at(IDC_LINK_TEXT).visible);
    click(IDC_LOGO);
    EXPECT_TRUE(sheet.links.empty());

    modelKeys += "TabLinkName=https://www.example.invalid/wren\n";
    open();
    EXPECT_TRUE(view.at(IDC_LINK_TEXT).visible);
    EXPECT_EQ(view.text(IDC_LINK_TEXT, 100), u"https://www.example.invalid/wren");
    click(IDC_LINK_TEXT);
    EXPECT_EQ(sheet.links, std::vector<std::u16string>{u"https://www.example.invalid/wren"});
}

TEST_F(JobOptionsFixture, WithoutPermissionEveryControlIsDisabled) {
    document.noPermission = true;
    open();
    for (int id : {IDC_QUALITY_FINE, IDC_JOBTYPE_SECURE, IDC_COPIES_EDIT, IDC_FIT_CHECK, IDC_DEFAULT})
        EXPECT_FALSE(view.enabled(id)) << id;
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

using ui::Feature;

TEST_F(JobOptionsFixture, DefaultKeepsAJobLimitation) {
    settings.features["ZEJobLimit"] = "True";
    open();
    click(IDC_DEFAULT);
    EXPECT_EQ(sel(Feature::ZEJob_Type), 3);
    EXPECT_TRUE(view.checked(IDC_JOBTYPE_ENCRYPTED));
}

TEST_F(JobOptionsFixture, AStoredEncryptedTypeWithoutItsRadioBecomesNormal) {
    sel(Feature::ZEJob_Type) = 3;
    context.standardUiAsked = false;
    open();
    EXPECT_FALSE(view.exists(IDC_JOBTYPE_ENCRYPTED));
    EXPECT_EQ(sel(Feature::ZEJob_Type), 0);
    EXPECT_TRUE(view.checked(IDC_JOBTYPE_NORMAL));
    EXPECT_FALSE(view.enabled(IDC_JOBTYPE_SETTING));
}

TEST_F(JobOptionsFixture, AbsentCopiesAndScaleItemsRaiseNoWarnings) {
    context[Feature::Copies].index = ui::kAbsentItem;
    context[Feature::Scale].index = ui::kAbsentItem;
    record.password[0] = u'1';
    record.askAtPrint = 1;
    open();
    click(IDC_JOBTYPE_SECURE);
    click(IDC_FIT_CHECK);
    EXPECT_TRUE(view.messageBoxes.empty());
    EXPECT_TRUE(page->leave());
}

TEST_F(JobOptionsFixture, EachRefreshShowsTheDocumentAsItIsNow) {
    record.fitToPaper = 1;
    sel(Feature::Scale) = 150;
    document.paperSize = ui::kCustomPaperSize;
    open();
    // A custom size cannot be fitted: the box is off and the scale free.
    EXPECT_FALSE(view.enabled(IDC_FIT_CHECK));
    EXPECT_FALSE(view.checked(IDC_FIT_CHECK));
    EXPECT_TRUE(view.enabled(IDC_SCALE_EDIT));
    EXPECT_EQ(sel(Feature::Scale), 150);

    services->document.paperSize = 11;  // the user picked A5 on the core driver's page
    page->refresh();
    EXPECT_EQ(view.text(IDC_FIT_DOCUMENT_PAPER, 100), u"A5");
    EXPECT_TRUE(view.checked(IDC_FIT_CHECK));
    EXPECT_EQ(sel(Feature::Scale), 100);
    EXPECT_FALSE(view.enabled(IDC_SCALE_EDIT));
}

TEST_F(JobOptionsFixture, SettingsOfSecureJobsOpenTheJobPinDialogWithoutMarkingChanges) {
    record.password[0] = u'1';
    record.askAtPrint = 1;
    open();
    click(IDC_JOBTYPE_SECURE);
    const int changes = view.pageChanges;
    sheet.dialogAnswers[ui::kJobPinDialog] = [] { return 1; };
    click(IDC_JOBTYPE_SETTING);
    EXPECT_EQ(sheet.dialogs, std::vector<int>{ui::kJobPinDialog});
    EXPECT_EQ(view.pageChanges, changes);
}

TEST_F(JobOptionsFixture, TheOutputBinFollowsTheFinisher) {
    slot(Feature::OutputBin, FakeItem::feature("OutputBin", 2));
    open();
    EXPECT_EQ(sel(Feature::OutputBin), 0);  // no finisher: its bins are gone
    sel(Feature::OutputBin) = 1;
    settings.features["ZEFinisher"] = "True";
    open();
    EXPECT_EQ(sel(Feature::OutputBin), 0);  // a finisher takes the face-up bin
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

TEST_F(JobOptionsFixture, AGammaFileClaimingBillionsOfSettingsIsReadForThePossibleOnes) {
    profile.addFile(u"C:\\drivers\\x64\\3\\wrengam.dat",
                    "[PSGamma]\nSettingNum=2147483647\nSettingID0=3\nSettingName3=Soft\n");
    const int before = profile.reads;
    open();
    EXPECT_LT(profile.reads - before, 2000);
    EXPECT_GE(view.listCount(IDC_GAMMA_LIST), 1);
}

}  // namespace
}  // namespace wren::test
