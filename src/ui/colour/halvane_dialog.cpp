#include "ui/colour/halvane_dialog.h"

#include "ui/colour/colour_ids.h"
#include "ui/dialogs/control_ranges.h"
#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

constexpr std::uint32_t kLowBits = 0xFFFF;
constexpr std::uint32_t kHighBits = 0xFFFF0000;

}  // namespace

HalvaneDialog::HalvaneDialog(DialogView& view, ColourDetails details,
                             std::vector<std::pair<NamedSetting, int>> corrections, bool capabilityFound,
                             std::uint32_t& ccmSetting)
    : ModalController(view, 0), view_(view), d_(std::move(details)), corrections_(std::move(corrections)),
      capabilityFound_(capabilityFound),
      pageCcm_(ccmSetting), simulation_(d_.context[Feature::ZETargetColor].sel),
      blackFinish_(d_.context[Feature::ZEBlackSubstitution].sel),
      style_(d_.context[Feature::ZEColorRenderStyle].sel), ccm_(ccmSetting) {}

int HalvaneDialog::pictureBitmap() const { return d_.greyscale() ? IDB_HV_GREYSCALE : IDB_HV_COLOUR; }

void HalvaneDialog::initialize() {
    FillFeatureList(view_, IDC_HV_SIMULATION, d_, Feature::ZETargetColor);
    if (!d_.context.has(Feature::ZEBlackSubstitution)) DestroyControlRange(view_, IDC_HV_BLACK_GROUP, IDC_HV_BLACK_LAST);
    if (!d_.context.has(Feature::ZEColorRenderStyle)) {
        DestroyControlRange(view_, IDC_HV_SETTINGS_FIRST, IDC_HV_TINTMEND_LIST);
    } else {
        FillFeatureList(view_, IDC_HV_STYLE, d_, Feature::ZEColorRenderStyle);
        view_.listClear(IDC_HV_TINTMEND_LIST);
        for (const auto& [setting, data] : corrections_) view_.listAdd(IDC_HV_TINTMEND_LIST, setting.name, data);
        if (corrections_.empty() && !capabilityFound_) DestroyControlRange(view_, IDC_HV_TINTMEND, IDC_HV_TINTMEND_LIST);
    }
    refresh();
}

void HalvaneDialog::refresh() {
    view_.listSelect(IDC_HV_SIMULATION, simulation_);
    if (d_.context.has(Feature::ZEBlackSubstitution))
        for (int i = 0; i <= IDC_HV_BLACK_LAST - IDC_HV_BLACK_FIRST; ++i)
            view_.setChecked(IDC_HV_BLACK_FIRST + i, i == blackFinish_);
    if (d_.context.has(Feature::ZEColorRenderStyle)) {
        view_.listSelect(IDC_HV_STYLE, style_);
        if (capabilityFound_) {
            const int count = view_.listCount(IDC_HV_TINTMEND_LIST);
            int found = -1;
            for (int i = 0; i < count && found < 0; ++i)
                if (static_cast<std::uint32_t>(view_.listData(IDC_HV_TINTMEND_LIST, i)) == (ccm_ & kLowBits)) found = i;
            if (found < 0 && count > 0) {
                found = 0;
                ccm_ = static_cast<std::uint32_t>(view_.listData(IDC_HV_TINTMEND_LIST, 0)) & kLowBits;
            } else if (count == 0) {
                ccm_ = (ccm_ & kHighBits) | kLowBits;
            }
            if (found >= 0) view_.listSelect(IDC_HV_TINTMEND_LIST, found);
            const bool on = (ccm_ & kHighBits) != 0;
            view_.enable(IDC_HV_STYLE, !on);
            view_.enable(IDC_HV_TINTMEND_LIST, on);
            view_.enable(IDC_HV_TINTMEND, count > 0);
            view_.setChecked(IDC_HV_TINTMEND, count > 0 && ccm_ > kLowBits);
        }
    }
    view_.enable(IDC_DEFAULT, !d_.noPermission);
    view_.redraw(IDC_HV_PICTURE);
}

void HalvaneDialog::command(int id, int notification) {
    if (id >= IDC_HV_BLACK_FIRST && id <= IDC_HV_BLACK_LAST) {
        if (notification != kClicked) return;
        blackFinish_ = id - IDC_HV_BLACK_FIRST;
        d_.pageChanged();
        return;
    }
    if (closingButton(id, notification)) return;
    switch (id) {
    case IDC_HV_SIMULATION:
    case IDC_HV_STYLE:
        if (notification != kSelectionChanged || view_.listSelection(id) < 0) return;
        (id == IDC_HV_SIMULATION ? simulation_ : style_) = view_.listSelection(id);
        d_.pageChanged();
        return;
    case IDC_HV_TINTMEND:
        if (notification != kClicked) return;
        ccm_ = view_.checked(IDC_HV_TINTMEND) ? (ccm_ | kCcmOn) : (ccm_ & kLowBits);
        refresh();
        d_.pageChanged();
        return;
    case IDC_HV_TINTMEND_LIST:
        if (notification != kSelectionChanged) return;
        if (int i = view_.listSelection(id); i >= 0)
            ccm_ = (ccm_ & kHighBits) | (static_cast<std::uint32_t>(view_.listData(id, i)) & kLowBits);
        d_.pageChanged();
        return;
    default:
        return;
    }
}

void HalvaneDialog::restoreDefaults() {
    simulation_ = blackFinish_ = style_ = 0;
    ccm_ = 0;
    refresh();
}

void HalvaneDialog::confirm() {
    d_.context[Feature::ZETargetColor].sel = simulation_;
    if (d_.context.has(Feature::ZEBlackSubstitution)) d_.context[Feature::ZEBlackSubstitution].sel = blackFinish_;
    if (d_.context.has(Feature::ZEColorRenderStyle)) d_.context[Feature::ZEColorRenderStyle].sel = style_;
    pageCcm_ = ccm_;
    d_.pageChanged();
    view_.endDialog(1);
}

}  // namespace wren::ui
