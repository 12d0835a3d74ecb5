#include <gtest/gtest.h>

#include "fake_dialog_view.h"
#include "ui/pages/advanced_dialog.h"
#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

using test::ControlKind;

constexpr int kBoxes[] = {IDC_ADV_MIRROR, IDC_ADV_NEGATIVE, IDC_ADV_JOB_SPOOL, IDC_ADV_MAINTENANCE,
                          IDC_ADV_FINE_LINES};

class IconView : public test::FakeDialogView {
public:
    void setIcon(int id, int iconId) override { icons[id] = iconId; }
    std::map<int, int> icons;
};

struct AdvancedFixture : ::testing::Test {
    AdvancedFixture() {
        for (int id : kBoxes) view.add(id, ControlKind::Check);
        view.add(IDC_ADV_PICTURE, ControlKind::Picture);
        std::uint16_t index = 10;
        for (Feature f : {Feature::MirrorOutput, Feature::NegativeOutput, Feature::ZEHDDSpool, Feature::ZEDrumClean,
                          Feature::ZEHairLine})
            context[f].index = index++;
    }
    AdvancedDialog make(bool hardDisk = true, int compression = 0x0500) {
        return AdvancedDialog(view, context, record, strings, hardDisk, compression);
    }
    IconView view;
    test::FakeStrings strings;
    SheetContext context;
    PrivateRecord record{};
};

TEST_F(AdvancedFixture, BoxesShowTheWorkingOptionsEachByItsOwnRule) {
    context[Feature::MirrorOutput].sel = 0;    // on
    context[Feature::NegativeOutput].sel = 1;  // off
    context[Feature::ZEHDDSpool].sel = 1;      // on
    context[Feature::ZEDrumClean].sel = 0;     // off
    context[Feature::ZEHairLine].sel = 0;      // on
    AdvancedDialog dialog = make();
    dialog.initialize();
    EXPECT_TRUE(view.checked(IDC_ADV_MIRROR));
    EXPECT_FALSE(view.checked(IDC_ADV_NEGATIVE));
    EXPECT_TRUE(view.checked(IDC_ADV_JOB_SPOOL));
    EXPECT_FALSE(view.checked(IDC_ADV_MAINTENANCE));
    EXPECT_TRUE(view.checked(IDC_ADV_FINE_LINES));
    EXPECT_EQ(view.icons[IDC_ADV_PICTURE], IDI_SPECIAL_MIRROR);

    view.setChecked(IDC_ADV_NEGATIVE, true);
    dialog.command(IDC_ADV_NEGATIVE, kClicked);
    EXPECT_EQ(view.icons[IDC_ADV_PICTURE], IDI_SPECIAL_BOTH);
}

TEST_F(AdvancedFixture, OkStoresEveryBoxCancelNothing) {
    AdvancedDialog dialog = make();
    dialog.initialize();
    for (int id : kBoxes) view.setChecked(id, false);
    dialog.command(kIdCancel, kClicked);
    EXPECT_EQ(view.endResult, 0);
    EXPECT_EQ(context[Feature::MirrorOutput].sel, 0);

    dialog.command(kIdOk, kClicked);
    EXPECT_EQ(view.endResult, 1);
    EXPECT_EQ(context[Feature::MirrorOutput].sel, 1);
    EXPECT_EQ(context[Feature::NegativeOutput].sel, 1);
    EXPECT_EQ(context[Feature::ZEHDDSpool].sel, 0);
    EXPECT_EQ(context[Feature::ZEDrumClean].sel, 0);
    EXPECT_EQ(context[Feature::ZEHairLine].sel, 1);
}

TEST_F(AdvancedFixture, JobSpoolNeedsAHardDisk) {
    context[Feature::ZEHDDSpool].sel = 1;
    AdvancedDialog dialog = make(/*hardDisk=*/false);
    dialog.initialize();
    EXPECT_FALSE(view.checked(IDC_ADV_JOB_SPOOL));
    EXPECT_FALSE(view.enabled(IDC_ADV_JOB_SPOOL));
    EXPECT_EQ(context[Feature::ZEHDDSpool].sel, 0);
}

TEST_F(AdvancedFixture, MissingFeaturesLoseTheirBoxes) {
    context[Feature::ZEDrumClean].index = kAbsentItem;
    context[Feature::MirrorOutput].index = kAbsentItem;
    AdvancedDialog dialog = make();
    dialog.initialize();
    EXPECT_FALSE(view.exists(IDC_ADV_MAINTENANCE));
    EXPECT_FALSE(view.exists(IDC_ADV_MIRROR));
    dialog.command(kIdOk, kClicked);
    EXPECT_EQ(context[Feature::ZEDrumClean].sel, 0);
}

TEST_F(AdvancedFixture, DefaultRestoresTheBoxesAndTheModelCompression) {
    context[Feature::ZEHairLine].sel = 1;
    record.compressionLevel = 0;
    AdvancedDialog dialog = make(true, 0x0800);
    dialog.initialize();
    for (int id : kBoxes) view.setChecked(id, true);
    dialog.command(IDC_DEFAULT, kClicked);
    EXPECT_FALSE(view.checked(IDC_ADV_MIRROR));
    EXPECT_FALSE(view.checked(IDC_ADV_JOB_SPOOL));
    EXPECT_TRUE(view.checked(IDC_ADV_FINE_LINES));
    dialog.command(kIdOk, kClicked);
    EXPECT_EQ(record.compressionLevel, 3u);
    EXPECT_EQ(context[Feature::ZEHairLine].sel, 0);
}

}  // namespace
}  // namespace wren::ui
