#include "ui/colour/colour_advanced_dialog.h"

#include "ui/colour/colour_ids.h"
#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

// Each box, its feature and the option that checks it; unchecked gives the
// other option of the pair.
struct BoxRule {
    int box;
    Feature feature;
    std::int32_t checkedOption;
    std::int32_t uncheckedOption;
    bool defaultOn;
};
constexpr BoxRule kBoxes[] = {
    {IDC_CA_HALFTONE, Feature::ZEAlwaysPrnHT, 0, 1, true},
    {IDC_CA_OVERPRINT, Feature::ZEOverPrint, 1, 0, false},
    {IDC_CA_GRAY_HALFTONES, Feature::ZEScreenObo, 0, 1, true},
};

}  // namespace

ColourAdvancedDialog::ColourAdvancedDialog(DialogView& view, ColourDetails details)
    : ModalController(view, 0), view_(view), d_(std::move(details)) {}

void ColourAdvancedDialog::initialize() {
    for (const BoxRule& rule : kBoxes) {
        const bool present = d_.context.has(rule.feature);
        view_.show(rule.box, present);
        view_.setChecked(rule.box, present && d_.context[rule.feature].sel == rule.checkedOption);
    }
    // At the lowest resolution the printer has no halftone of its own to use.
    if (d_.context.has(Feature::ZEResolution) && d_.context[Feature::ZEResolution].sel == 0)
        view_.enable(IDC_CA_HALFTONE, false);

    if (d_.context.has(Feature::ZESeparationorder)) {
        FillFeatureList(view_, IDC_CA_SEPARATIONS, d_, Feature::ZESeparationorder);
        view_.listSelect(IDC_CA_SEPARATIONS, d_.context[Feature::ZESeparationorder].sel);
    } else {
        view_.show(IDC_CA_SEPARATIONS_LABEL, false);
        view_.show(IDC_CA_SEPARATIONS, false);
    }
    // Greyscale prints one plate: there is nothing to separate.
    if (d_.greyscale()) {
        view_.enable(IDC_CA_SEPARATIONS_LABEL, false);
        view_.enable(IDC_CA_SEPARATIONS, false);
    }
    view_.enable(IDC_DEFAULT, !d_.noPermission);
}

void ColourAdvancedDialog::command(int id, int notification) {
    if (closingButton(id, notification)) return;
    switch (id) {
    default:
        return;
    }
}

void ColourAdvancedDialog::restoreDefaults() {
    for (const BoxRule& rule : kBoxes) view_.setChecked(rule.box, rule.defaultOn);
    view_.listSelect(IDC_CA_SEPARATIONS, 0);
}

void ColourAdvancedDialog::confirm() {
    for (const BoxRule& rule : kBoxes)
        if (d_.context.has(rule.feature))
            d_.context[rule.feature].sel = view_.checked(rule.box) ? rule.checkedOption : rule.uncheckedOption;
    if (d_.context.has(Feature::ZESeparationorder) && view_.listSelection(IDC_CA_SEPARATIONS) >= 0)
        d_.context[Feature::ZESeparationorder].sel = view_.listSelection(IDC_CA_SEPARATIONS);
    view_.endDialog(1);
}

}  // namespace wren::ui
