#include "ui/pages/advanced_dialog.h"

#include "common/settings/compression.h"
#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

// Each box and the option of its item that checks it; unchecked gives the
// other option of the pair.
struct BoxRule {
    int control;
    Feature feature;
    std::int32_t checkedOption;
    std::int32_t uncheckedOption;
};
constexpr BoxRule kBoxes[] = {
    {IDC_ADV_MIRROR, Feature::MirrorOutput, 0, 1},
    {IDC_ADV_NEGATIVE, Feature::NegativeOutput, 0, 1},
    {IDC_ADV_JOB_SPOOL, Feature::ZEHDDSpool, 1, 0},
    {IDC_ADV_MAINTENANCE, Feature::ZEDrumClean, 1, 0},
    {IDC_ADV_FINE_LINES, Feature::ZEHairLine, 0, 1},
};

constexpr int kCompressionNames[] = {IDS_COMPRESSION_NONE, IDS_COMPRESSION_FAST, IDS_COMPRESSION_NORMAL,
                                     IDS_COMPRESSION_BEST};

}  // namespace

AdvancedDialog::AdvancedDialog(DialogView& view, SheetContext& context, PrivateRecord& record,
                               const UiStrings& strings, bool hardDisk, int compressionModel)
    : ModalController(view, 0), view_(view), ctx_(context), record_(record), strings_(strings), hardDisk_(hardDisk),
      compressionModel_(compressionModel), compression_(record.compressionLevel) {}

int AdvancedDialog::specialPictureId() const {
    const bool mirror = view_.checked(IDC_ADV_MIRROR), negative = view_.checked(IDC_ADV_NEGATIVE);
    if (negative) return mirror ? IDI_SPECIAL_BOTH : IDI_SPECIAL_NEGATIVE;
    return mirror ? IDI_SPECIAL_MIRROR : IDI_SPECIAL_NONE;
}

void AdvancedDialog::initialize() {
    for (const BoxRule& box : kBoxes) {
        if (!ctx_.has(box.feature)) {
            view_.destroy(box.control);
            continue;
        }
        view_.setChecked(box.control, ctx_[box.feature].sel == box.checkedOption);
    }
    if (ctx_.has(Feature::ZEHDDSpool) && !hardDisk_) {
        // Spooling to the printer's disk needs one.
        ctx_[Feature::ZEHDDSpool].sel = 0;
        view_.setChecked(IDC_ADV_JOB_SPOOL, false);
        view_.enable(IDC_ADV_JOB_SPOOL, false);
    }
    if (view_.exists(IDC_ADV_COMPRESSION)) {
        view_.listClear(IDC_ADV_COMPRESSION);
        for (int i = 0; i < 4; ++i) view_.listAdd(IDC_ADV_COMPRESSION, strings_.load(kCompressionNames[i]), i);
        view_.listSelect(IDC_ADV_COMPRESSION, compression_ < 4 ? compression_ : 0);
        if (ctx_.compressionChoice == 0) view_.show(IDC_ADV_COMPRESSION, false);
    }
    view_.setIcon(IDC_ADV_PICTURE, specialPictureId());
}

void AdvancedDialog::command(int id, int notification) {
    if (closingButton(id, notification)) return;
    switch (id) {
    case IDC_ADV_MIRROR:
    case IDC_ADV_NEGATIVE:
        if (notification == kClicked) view_.setIcon(IDC_ADV_PICTURE, specialPictureId());
        return;
    case IDC_ADV_COMPRESSION:
        if (notification == kSelectionChanged && view_.listSelection(id) >= 0)
            compression_ = static_cast<std::uint16_t>(view_.listSelection(id));
        return;
    default:
        return;
    }
}

void AdvancedDialog::restoreDefaults() {
    view_.setChecked(IDC_ADV_MIRROR, false);
    view_.setChecked(IDC_ADV_NEGATIVE, false);
    view_.setChecked(IDC_ADV_JOB_SPOOL, false);
    if (!hardDisk_) view_.enable(IDC_ADV_JOB_SPOOL, false);
    view_.setChecked(IDC_ADV_MAINTENANCE, false);
    view_.setChecked(IDC_ADV_FINE_LINES, true);
    compression_ = compressionLevelFor(compressionModel_);
    if (view_.exists(IDC_ADV_COMPRESSION)) view_.listSelect(IDC_ADV_COMPRESSION, compression_);
    view_.setIcon(IDC_ADV_PICTURE, specialPictureId());
}

void AdvancedDialog::confirm() {
    for (const BoxRule& box : kBoxes)
        if (ctx_.has(box.feature))
            ctx_[box.feature].sel = view_.checked(box.control) ? box.checkedOption : box.uncheckedOption;
    record_.compressionLevel = compression_;
    view_.endDialog(1);
}

}  // namespace wren::ui
