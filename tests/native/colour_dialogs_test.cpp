// The Colour page's detail dialogs: Halvane Details, Quillon Details and
// Advanced, over the sheet's working options.
#include "colour_fixture.h"
#include "ui/colour/colour_advanced_dialog.h"
#include "ui/colour/colour_data_files.h"
#include "ui/colour/halvane_dialog.h"
#include "ui/colour/quillon_dialog.h"

namespace wren::test {
namespace {

using ui::Feature;

class ColourDialogTest : public ColourFixture {
protected:
    FakeDialogView dialog;
    FakeTrackBar track;
    int pageMarks = 0;
    ui::ColourDetails details() {
        return ui::ColourDetails{context, tree, document.noPermission, [this] { ++pageMarks; }};
    }
    void clickIn(int id) {
        if (dialog.at(id).kind == ControlKind::Check) dialog.setChecked(id, !dialog.checked(id));
    }
};

// ---- Quillon Details --------------------------------------------------------

class QuillonTest : public ColourDialogTest {
protected:
    void SetUp() override {
        ColourDialogTest::SetUp();
        for (Feature f : {Feature::ZEColorICMS, Feature::ZECMYKProfile, Feature::ZERGBProfile,
                          Feature::ZECMYKInputProfile, Feature::ZECMYKLinkProfile, Feature::ZEOutProfile,
                          Feature::ZESimProfile, Feature::ZEColorRenderDict, Feature::ZEPreserveBlack,
                          Feature::ZEPureBlack, Feature::ZEColorMatch})
            slot(f, FakeItem::feature("k").withOptions({u"zero", u"one", u"two", u"three"}));
        dialog.addRange(IDC_QL_METHOD_FIRST, IDC_QL_METHOD_LAST, ControlKind::Radio);
        dialog.addRange(IDC_QL_GROUP_FIRST, IDC_QL_GROUP_LAST, ControlKind::Static);
        for (int id : {IDC_QL_RGB, IDC_QL_OUTPUT, IDC_QL_INTENT, IDC_QL_BLACK, IDC_QL_CMYK_INPUT, IDC_QL_CMYK_LINK,
                       IDC_QL_SIMULATION})
            dialog.add(id, ControlKind::Combo);
        for (int id : {IDC_QL_PURE_BLACK, IDC_QL_PRESERVE_BLACK}) dialog.add(id, ControlKind::Check);
        for (int id : {IDC_QL_USE_INPUT, IDC_QL_USE_LINK}) dialog.add(id, ControlKind::Radio);
        dialog.add(IDC_QL_SIM_LABEL, ControlKind::Static);
        dialog.addRange(IDC_QL_PICTURE_INPUT, IDC_QL_PICTURE_LINK, ControlKind::Picture);
        dialog.add(IDC_DEFAULT, ControlKind::Button);
    }
    std::unique_ptr<ui::QuillonDialog> q;
    ui::QuillonDialog& openQuillon() {
        q = std::make_unique<ui::QuillonDialog>(dialog, track, details());
        q->initialize();
        return *q;
    }
    bool visible(int id) { return dialog.at(id).visible; }
};

TEST_F(QuillonTest, MethodAndProfileKindDecideWhatIsShownAndEnabled) {
    struct Row {
        int method, kind;
        bool group, cmyk, simulation, picInput, picRgb, picSim, picLink, preserve, input, link;
    };
    const Row rows[] = {
        {0, 0, true, true, false, true, true, false, false, true, true, false},
        {0, 1, true, true, false, true, false, false, true, false, false, true},
        {1, 0, true, false, true, false, true, true, false, true, true, false},
        {1, 1, true, false, true, false, true, true, false, true, true, false},
        {2, 0, false, false, false, false, false, false, false, true, true, false},
        {3, 1, false, false, false, false, false, false, false, true, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "method " << r.method << " kind " << r.kind);
        sel(Feature::ZEColorICMS) = r.method;
        sel(Feature::ZECMYKProfile) = r.kind;
        openQuillon();
        EXPECT_EQ(visible(IDC_QL_RGB), r.group);
        EXPECT_EQ(visible(IDC_QL_PRECISION), r.group);
        EXPECT_EQ(visible(IDC_QL_USE_LINK), r.cmyk);
        EXPECT_EQ(visible(IDC_QL_SIMULATION), r.simulation);
        EXPECT_EQ(visible(IDC_QL_PICTURE_INPUT), r.picInput);
        EXPECT_EQ(visible(IDC_QL_PICTURE_RGB), r.picRgb);
        EXPECT_EQ(visible(IDC_QL_PICTURE_SIM), r.picSim);
        EXPECT_EQ(visible(IDC_QL_PICTURE_LINK), r.picLink);
        EXPECT_EQ(dialog.enabled(IDC_QL_PRESERVE_BLACK), r.preserve);
        EXPECT_EQ(dialog.enabled(IDC_QL_CMYK_INPUT), r.input);
        EXPECT_EQ(dialog.enabled(IDC_QL_CMYK_LINK), r.link);
        EXPECT_TRUE(dialog.checked(IDC_QL_METHOD_FIRST + r.method));
    }
}

TEST_F(QuillonTest, SwitchingProfileKindSwapsTheListsAndPreserveBlackFollowsTheInput) {
    openQuillon();
    EXPECT_TRUE(dialog.enabled(IDC_QL_CMYK_INPUT));
    q->command(IDC_QL_USE_LINK, ui::kClicked);
    EXPECT_EQ(q->working(Feature::ZECMYKProfile), 1);
    EXPECT_FALSE(dialog.enabled(IDC_QL_CMYK_INPUT));
    EXPECT_TRUE(dialog.enabled(IDC_QL_CMYK_LINK));
    EXPECT_FALSE(dialog.enabled(IDC_QL_PRESERVE_BLACK));
    EXPECT_TRUE(dialog.checked(IDC_QL_USE_LINK));
    q->command(IDC_QL_USE_INPUT, ui::kClicked);
    EXPECT_TRUE(dialog.enabled(IDC_QL_PRESERVE_BLACK));
    EXPECT_FALSE(dialog.enabled(IDC_QL_CMYK_LINK));
}

TEST_F(QuillonTest, RenderingIntentNeedsAnOutputProfile) {
    openQuillon();
    EXPECT_FALSE(dialog.enabled(IDC_QL_INTENT));
    dialog.listSelect(IDC_QL_OUTPUT, 2);
    q->command(IDC_QL_OUTPUT, ui::kSelectionChanged);
    EXPECT_TRUE(dialog.enabled(IDC_QL_INTENT));
    EXPECT_TRUE(dialog.enabled(IDC_QL_INTENT_LABEL));
}

TEST_F(QuillonTest, ChecksAreOnForOptionZeroAndTheTrackBarShowsThePrecision) {
    sel(Feature::ZEPureBlack) = 1;
    sel(Feature::ZEColorMatch) = 1;
    openQuillon();
    EXPECT_TRUE(dialog.checked(IDC_QL_PRESERVE_BLACK));
    EXPECT_FALSE(dialog.checked(IDC_QL_PURE_BLACK));
    EXPECT_EQ(track.minimum, 0);
    EXPECT_EQ(track.maximum, 2);
    EXPECT_EQ(track.position, 1);
    dialog.setChecked(IDC_QL_PRESERVE_BLACK, false);
    q->command(IDC_QL_PRESERVE_BLACK, ui::kClicked);
    EXPECT_EQ(q->working(Feature::ZEPreserveBlack), 1);
}

TEST_F(QuillonTest, DefaultSetsQualityPrecisionAndZeroesTheRest) {
    sel(Feature::ZEColorICMS) = 1;
    sel(Feature::ZERGBProfile) = 3;
    openQuillon();
    q->command(IDC_DEFAULT, ui::kClicked);
    EXPECT_EQ(q->working(Feature::ZEColorMatch), 2);
    EXPECT_EQ(q->working(Feature::ZEColorICMS), 0);
    EXPECT_EQ(q->working(Feature::ZERGBProfile), 0);
    EXPECT_EQ(track.position, 2);
    EXPECT_EQ(sel(Feature::ZERGBProfile), 3);  // nothing taken over yet
}

TEST_F(QuillonTest, OkTakesOverEveryCopyAndCancelNothing) {
    openQuillon();
    q->command(IDC_QL_METHOD_FIRST + 1, ui::kClicked);
    dialog.listSelect(IDC_QL_SIMULATION, 3);
    q->command(IDC_QL_SIMULATION, ui::kSelectionChanged);
    q->trackMoved(0);
    q->command(ui::kIdCancel, ui::kClicked);
    EXPECT_EQ(dialog.endResult, 0);
    EXPECT_EQ(sel(Feature::ZEColorICMS), 0);
    EXPECT_EQ(pageMarks, 0);

    q->command(ui::kIdOk, ui::kClicked);
    EXPECT_EQ(dialog.endResult, 1);
    EXPECT_EQ(sel(Feature::ZEColorICMS), 1);
    EXPECT_EQ(sel(Feature::ZESimProfile), 3);
    EXPECT_EQ(sel(Feature::ZEColorMatch), 0);
    EXPECT_EQ(pageMarks, 1);
}

TEST_F(QuillonTest, ListsHoldTheFeatureOptionsAndStayEmptyWithoutTheFeature) {
    context[Feature::ZESimProfile].index = ui::kAbsentItem;
    openQuillon();
    EXPECT_EQ(dialog.at(IDC_QL_RGB).items.size(), 4u);
    EXPECT_EQ(dialog.at(IDC_QL_RGB).items[2].text, u"two");
    EXPECT_TRUE(dialog.at(IDC_QL_SIMULATION).items.empty());
}

TEST_F(QuillonTest, DefaultButtonFollowsThePermission) {
    document.noPermission = true;
    openQuillon();
    EXPECT_FALSE(dialog.enabled(IDC_DEFAULT));
}

// ---- Halvane Details --------------------------------------------------------

class HalvaneTest : public ColourDialogTest {
protected:
    void SetUp() override {
        ColourDialogTest::SetUp();
        slot(Feature::ZETargetColor, FakeItem::feature("ZETargetColor").withOptions({u"None", u"Euro", u"US"}));
        slot(Feature::ZEBlackSubstitution, FakeItem::feature("ZEBlackSubstitution", 2).withOptions({u"a", u"b", u"c"}));
        slot(Feature::ZEColorRenderStyle, FakeItem::feature("ZEColorRenderStyle").withOptions({u"Photo", u"Text"}));
        dialog.add(IDC_HV_SIMULATION, ControlKind::Combo);
        dialog.add(IDC_HV_PICTURE, ControlKind::Picture);
        dialog.add(IDC_HV_BLACK_GROUP, ControlKind::Static);
        dialog.addRange(IDC_HV_BLACK_FIRST, IDC_HV_BLACK_LAST, ControlKind::Radio);
        dialog.add(IDC_HV_SETTINGS_FIRST, ControlKind::Static);
        dialog.add(IDC_HV_STYLE, ControlKind::Combo);
        dialog.add(IDC_HV_TINTMEND, ControlKind::Check);
        dialog.add(IDC_HV_TINTMEND_LIST, ControlKind::Combo);
        dialog.add(IDC_DEFAULT, ControlKind::Button);
    }
    std::uint32_t ccm = 0;
    std::unique_ptr<ui::HalvaneDialog> h;
    ui::HalvaneDialog& openHalvane(bool capability = true) {
        h = std::make_unique<ui::HalvaneDialog>(
            dialog, details(), ui::ReadCorrectionSettings(profile, u"C:\\drivers\\x64\\3\\wrenccm.dat"), capability,
            ccm);
        h->initialize();
        return *h;
    }
};

TEST_F(HalvaneTest, CorrectionListHoldsColorThenGammaSettingsWithTheirItemData) {
    openHalvane();
    const auto& items = dialog.at(IDC_HV_TINTMEND_LIST).items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, u"Photo");
    EXPECT_EQ(items[0].data, 1);
    EXPECT_EQ(items[2].text, u"Bright");
    EXPECT_EQ(items[2].data, 256 + 4);
    EXPECT_TRUE(dialog.checked(IDC_HV_BLACK_FIRST + 2));
    EXPECT_EQ(dialog.at(IDC_HV_SIMULATION).items.size(), 3u);
}

TEST_F(HalvaneTest, TintmendSwitchEnablesItsListInsteadOfTheColourSettings) {
    ccm = 2;
    openHalvane();
    EXPECT_EQ(dialog.at(IDC_HV_TINTMEND_LIST).selection, 1);
    EXPECT_TRUE(dialog.enabled(IDC_HV_STYLE));
    EXPECT_FALSE(dialog.enabled(IDC_HV_TINTMEND_LIST));
    EXPECT_FALSE(dialog.checked(IDC_HV_TINTMEND));

    dialog.setChecked(IDC_HV_TINTMEND, true);
    h->command(IDC_HV_TINTMEND, ui::kClicked);
    EXPECT_EQ(h->workingCcm(), 0x10002u);
    EXPECT_FALSE(dialog.enabled(IDC_HV_STYLE));
    EXPECT_TRUE(dialog.enabled(IDC_HV_TINTMEND_LIST));
    dialog.listSelect(IDC_HV_TINTMEND_LIST, 2);
    h->command(IDC_HV_TINTMEND_LIST, ui::kSelectionChanged);
    EXPECT_EQ(h->workingCcm(), 0x10104u);
    dialog.setChecked(IDC_HV_TINTMEND, false);
    h->command(IDC_HV_TINTMEND, ui::kClicked);
    EXPECT_EQ(h->workingCcm(), 0x104u);
    EXPECT_EQ(ccm, 2u);  // the page's value waits for OK
}

TEST_F(HalvaneTest, UnknownChoiceTakesTheFirstEntryAndEmptyListMarksNone) {
    ccm = 0x10077;
    openHalvane();
    EXPECT_EQ(h->workingCcm(), 1u);
    profile.addFile(u"C:\\drivers\\x64\\3\\wrenccm.dat", "");
    ccm = 0x10077;
    openHalvane();
    EXPECT_EQ(h->workingCcm(), 0x1FFFFu);
    EXPECT_FALSE(dialog.enabled(IDC_HV_TINTMEND));
    EXPECT_TRUE(dialog.exists(IDC_HV_TINTMEND));
}

TEST_F(HalvaneTest, WithoutSettingsOrCapabilityFileTheTintmendControlsGo) {
    profile.addFile(u"C:\\drivers\\x64\\3\\wrenccm.dat", "");
    openHalvane(false);
    EXPECT_FALSE(dialog.exists(IDC_HV_TINTMEND));
    EXPECT_FALSE(dialog.exists(IDC_HV_TINTMEND_LIST));
    EXPECT_TRUE(dialog.exists(IDC_HV_STYLE));
}

TEST_F(HalvaneTest, WithoutColourRenderStyleTheWholeSettingsGroupGoes) {
    context[Feature::ZEColorRenderStyle].index = ui::kAbsentItem;
    openHalvane();
    for (int id : {IDC_HV_SETTINGS_FIRST, IDC_HV_STYLE, IDC_HV_TINTMEND, IDC_HV_TINTMEND_LIST})
        EXPECT_FALSE(dialog.exists(id)) << id;
}

TEST_F(HalvaneTest, PictureFollowsGreyscale) {
    openHalvane();
    EXPECT_EQ(h->pictureBitmap(), IDB_HV_COLOUR);
    sel(Feature::ZEControl) = 4;
    EXPECT_EQ(h->pictureBitmap(), IDB_HV_GREYSCALE);
}

TEST_F(HalvaneTest, OkTakesOverTheFourValuesDefaultZeroesThem) {
    ccm = 0x10002;
    openHalvane();
    dialog.listSelect(IDC_HV_SIMULATION, 2);
    h->command(IDC_HV_SIMULATION, ui::kSelectionChanged);
    h->command(IDC_HV_BLACK_FIRST, ui::kClicked);
    h->command(ui::kIdOk, ui::kClicked);
    EXPECT_EQ(dialog.endResult, 1);
    EXPECT_EQ(sel(Feature::ZETargetColor), 2);
    EXPECT_EQ(sel(Feature::ZEBlackSubstitution), 0);
    EXPECT_EQ(ccm, 0x10002u);

    openHalvane();
    h->command(IDC_DEFAULT, ui::kClicked);
    EXPECT_EQ(h->workingCcm(), 1u);  // zero is no entry: the first is taken
    h->command(ui::kIdCancel, ui::kClicked);
    EXPECT_EQ(dialog.endResult, 0);
    EXPECT_EQ(ccm, 0x10002u);
}

// ---- Advanced -----------------------------------------------------------------

class ColourAdvancedTest : public ColourDialogTest {
protected:
    void SetUp() override {
        ColourDialogTest::SetUp();
        slot(Feature::ZEAlwaysPrnHT, FakeItem::feature("ZEAlwaysPrnHT"));
        slot(Feature::ZEOverPrint, FakeItem::feature("ZEOverPrint", 1));
        slot(Feature::ZEScreenObo, FakeItem::feature("ZEScreenObo", 1));
        slot(Feature::ZESeparationorder, FakeItem::feature("ZESeparationorder", 1).withOptions({u"All", u"C", u"M"}));
        for (int id : {IDC_CA_HALFTONE, IDC_CA_OVERPRINT, IDC_CA_GRAY_HALFTONES}) dialog.add(id, ControlKind::Check);
        dialog.add(IDC_CA_SEPARATIONS_LABEL, ControlKind::Static);
        dialog.add(IDC_CA_SEPARATIONS, ControlKind::Combo);
        dialog.add(IDC_DEFAULT, ControlKind::Button);
    }
    std::unique_ptr<ui::ColourAdvancedDialog> a;
    void openAdvanced() {
        a = std::make_unique<ui::ColourAdvancedDialog>(dialog, details());
        a->initialize();
    }
};

TEST_F(ColourAdvancedTest, BoxesShowTheirOptionsAndOkWritesTheOtherOfEachPair) {
    openAdvanced();
    EXPECT_TRUE(dialog.checked(IDC_CA_HALFTONE));
    EXPECT_TRUE(dialog.checked(IDC_CA_OVERPRINT));
    EXPECT_FALSE(dialog.checked(IDC_CA_GRAY_HALFTONES));
    EXPECT_EQ(dialog.at(IDC_CA_SEPARATIONS).selection, 1);
    dialog.setChecked(IDC_CA_HALFTONE, false);
    dialog.setChecked(IDC_CA_OVERPRINT, false);
    dialog.setChecked(IDC_CA_GRAY_HALFTONES, true);
    dialog.listSelect(IDC_CA_SEPARATIONS, 2);
    a->command(ui::kIdOk, ui::kClicked);
    EXPECT_EQ(sel(Feature::ZEAlwaysPrnHT), 1);
    EXPECT_EQ(sel(Feature::ZEOverPrint), 0);
    EXPECT_EQ(sel(Feature::ZEScreenObo), 0);
    EXPECT_EQ(sel(Feature::ZESeparationorder), 2);
    EXPECT_EQ(dialog.endResult, 1);
}

TEST_F(ColourAdvancedTest, DefaultChangesOnlyTheBoxesUntilOk) {
    openAdvanced();
    a->command(IDC_DEFAULT, ui::kClicked);
    EXPECT_TRUE(dialog.checked(IDC_CA_HALFTONE));
    EXPECT_FALSE(dialog.checked(IDC_CA_OVERPRINT));
    EXPECT_TRUE(dialog.checked(IDC_CA_GRAY_HALFTONES));
    EXPECT_EQ(dialog.at(IDC_CA_SEPARATIONS).selection, 0);
    EXPECT_EQ(sel(Feature::ZEOverPrint), 1);
    a->command(ui::kIdCancel, ui::kClicked);
    EXPECT_EQ(sel(Feature::ZEOverPrint), 1);
    EXPECT_EQ(dialog.endResult, 0);
}

TEST_F(ColourAdvancedTest, GreyscaleDisablesSeparationsAndMissingFeaturesHideTheirBoxes) {
    sel(Feature::ZEControl) = 4;
    context[Feature::ZEOverPrint].index = ui::kAbsentItem;
    slot(Feature::ZEResolution, FakeItem::feature("ZEResolution", 0));
    openAdvanced();
    EXPECT_FALSE(dialog.enabled(IDC_CA_SEPARATIONS));
    EXPECT_FALSE(dialog.enabled(IDC_CA_SEPARATIONS_LABEL));
    EXPECT_FALSE(dialog.at(IDC_CA_OVERPRINT).visible);
    EXPECT_FALSE(dialog.enabled(IDC_CA_HALFTONE));
    a->command(ui::kIdOk, ui::kClicked);
    EXPECT_EQ(sel(Feature::ZEOverPrint), 1);  // a missing feature keeps what it had
}

}  // namespace
}  // namespace wren::test
