#include "ui/colour/quillon_dialog.h"

#include "ui/colour/colour_ids.h"
#include "ui/dialogs/control_ranges.h"
#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

constexpr Feature kEdited[] = {Feature::ZEColorICMS,      Feature::ZECMYKProfile,   Feature::ZERGBProfile,
                               Feature::ZECMYKInputProfile, Feature::ZECMYKLinkProfile, Feature::ZEOutProfile,
                               Feature::ZESimProfile,     Feature::ZEColorRenderDict, Feature::ZEBlackSubGra,
                               Feature::ZEPreserveBlack,  Feature::ZEPureBlack,     Feature::ZEColorMatch};

// The lists and the feature each shows; `refreshes`: a choice changes what
// else the dialog shows.
struct ListRow {
    int list;
    Feature feature;
    bool refreshes;
};
constexpr ListRow kLists[] = {
    {IDC_QL_RGB, Feature::ZERGBProfile, true},
    {IDC_QL_CMYK_INPUT, Feature::ZECMYKInputProfile, true},
    {IDC_QL_CMYK_LINK, Feature::ZECMYKLinkProfile, true},
    {IDC_QL_OUTPUT, Feature::ZEOutProfile, true},
    {IDC_QL_SIMULATION, Feature::ZESimProfile, true},
    {IDC_QL_INTENT, Feature::ZEColorRenderDict, true},
    {IDC_QL_BLACK, Feature::ZEBlackSubGra, false},
};

// Check boxes that are on for option 0.
struct CheckRow {
    int box;
    Feature feature;
};
constexpr CheckRow kChecks[] = {
    {IDC_QL_PRESERVE_BLACK, Feature::ZEPreserveBlack},
    {IDC_QL_PURE_BLACK, Feature::ZEPureBlack},
};

// What is shown, by method m and CMYK profile kind c (0 input, 1 link).
struct ShowRow {
    int first, last;
    bool (*shown)(int m, int c);
};
constexpr ShowRow kShown[] = {
    {IDC_QL_GROUP_FIRST, IDC_QL_GROUP_LAST, [](int m, int) { return m == 0 || m == 1; }},
    {IDC_QL_CMYK_INPUT, IDC_QL_CMYK_LINK, [](int m, int) { return m == 0; }},
    {IDC_QL_SIM_LABEL, IDC_QL_SIMULATION, [](int m, int) { return m == 1; }},
    {IDC_QL_PICTURE_LINK, IDC_QL_PICTURE_LINK, [](int m, int c) { return m == 0 && c == 1; }},
    {IDC_QL_PICTURE_RGB, IDC_QL_PICTURE_RGB, [](int m, int c) { return m == 1 || (m == 0 && c == 0); }},
    {IDC_QL_PICTURE_SIM, IDC_QL_PICTURE_SIM, [](int m, int) { return m == 1; }},
    {IDC_QL_PICTURE_INPUT, IDC_QL_PICTURE_INPUT, [](int m, int) { return m == 0; }},
};

struct PictureRow {
    int control;
    int bitmap;
};
constexpr PictureRow kPictures[] = {
    {IDC_QL_PICTURE_INPUT, IDB_QL_INPUT},
    {IDC_QL_PICTURE_RGB, IDB_QL_INPUT},
    {IDC_QL_PICTURE_SIM, IDB_QL_SIMULATION},
    {IDC_QL_PICTURE_LINK, IDB_QL_LINK},
};

constexpr int kPrecisionQuality = 2;

}  // namespace

QuillonDialog::QuillonDialog(DialogView& view, TrackBar& trackBar, ColourDetails details)
    : ModalController(view, 0), view_(view), track_(trackBar), d_(std::move(details)), copy_(d_.context.features) {}

int QuillonDialog::pictureBitmap(int control) {
    for (const PictureRow& row : kPictures)
        if (row.control == control) return row.bitmap;
    return 0;
}

void QuillonDialog::initialize() {
    for (const ListRow& row : kLists) FillFeatureList(view_, row.list, d_, row.feature);
    track_.setRange(IDC_QL_PRECISION, 0, kPrecisionQuality);
    refresh();
}

void QuillonDialog::refresh() {
    const int m = sel(Feature::ZEColorICMS);
    const int c = sel(Feature::ZECMYKProfile);
    for (const ShowRow& row : kShown) ShowControlRange(view_, row.first, row.last, row.shown(m, c));
    for (int i = 0; i <= IDC_QL_METHOD_LAST - IDC_QL_METHOD_FIRST; ++i)
        view_.setChecked(IDC_QL_METHOD_FIRST + i, i == m);
    view_.setChecked(IDC_QL_USE_INPUT, c == 0);
    view_.setChecked(IDC_QL_USE_LINK, c == 1);

    // A link profile already holds the black handling of the input profile.
    const bool link = m == 0 && c == 1;
    view_.enable(IDC_QL_PRESERVE_BLACK, !link);
    view_.enable(IDC_QL_CMYK_INPUT, !link);
    view_.enable(IDC_QL_CMYK_LINK, link);

    for (const CheckRow& row : kChecks) view_.setChecked(row.box, sel(row.feature) == 0);
    for (const ListRow& row : kLists) view_.listSelect(row.list, sel(row.feature));
    track_.setPosition(IDC_QL_PRECISION, sel(Feature::ZEColorMatch));
    // Without an output profile there is nothing to render into.
    EnableControlRange(view_, IDC_QL_INTENT_LABEL, IDC_QL_INTENT, sel(Feature::ZEOutProfile) != 0);
    view_.enable(IDC_DEFAULT, !d_.noPermission);
}

void QuillonDialog::command(int id, int notification) {
    if (id >= IDC_QL_METHOD_FIRST && id <= IDC_QL_METHOD_LAST) {
        if (notification != kClicked) return;
        sel(Feature::ZEColorICMS) = id - IDC_QL_METHOD_FIRST;
        refresh();
        return;
    }
    if (id == IDC_QL_USE_INPUT || id == IDC_QL_USE_LINK) {
        if (notification != kClicked) return;
        sel(Feature::ZECMYKProfile) = id == IDC_QL_USE_LINK ? 1 : 0;
        refresh();
        return;
    }
    for (const ListRow& row : kLists)
        if (id == row.list) {
            if (notification != kSelectionChanged || view_.listSelection(id) < 0) return;
            sel(row.feature) = view_.listSelection(id);
            if (row.refreshes) refresh();
            return;
        }
    for (const CheckRow& row : kChecks)
        if (id == row.box) {
            if (notification == kClicked) sel(row.feature) = view_.checked(id) ? 0 : 1;
            return;
        }
    if (closingButton(id, notification)) return;
    switch (id) {
    default:
        return;
    }
}

void QuillonDialog::trackMoved(int position) { sel(Feature::ZEColorMatch) = position; }

void QuillonDialog::restoreDefaults() {
    for (Feature f : kEdited) sel(f) = 0;
    sel(Feature::ZEColorMatch) = kPrecisionQuality;
    refresh();
}

void QuillonDialog::confirm() {
    for (Feature f : kEdited) d_.context[f].sel = copy_[f].sel;
    d_.pageChanged();
    view_.endDialog(1);
}

}  // namespace wren::ui
