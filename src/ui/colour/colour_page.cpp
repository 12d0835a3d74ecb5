#include "ui/colour/colour_page.h"

#include "ui/colour/colour_data_files.h"
#include "ui/colour/colour_ids.h"
#include "ui/dialogs/control_ranges.h"
#include "ui/dialogs/page_changed.h"
#include "ui/dialogs/resource_message.h"
#include "ui/features/write_back.h"
#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

constexpr std::int32_t kGammaInUse = 0x10000;
constexpr std::int32_t kNoGammaSetting = 0xFFFF;
constexpr std::size_t kModelPathChars = 261;  // 260 characters and the terminator

// The five modes in the order of the feature's options: radio button,
// picture button beside it, and the picture it shows.
struct ModeRow {
    int radio;
    int picture;
    int bitmap;
};
constexpr ModeRow kModes[] = {
    {IDC_CL_MODE_FIRST + 0, IDC_CL_PICTURE_FIRST + 0, IDB_CL_AUTOMATIC},
    {IDC_CL_MODE_FIRST + 1, IDC_CL_PICTURE_FIRST + 1, IDB_CL_HALVANE},
    {IDC_CL_MODE_FIRST + 2, IDC_CL_PICTURE_FIRST + 2, IDB_CL_QUILLON},
    {IDC_CL_MODE_FIRST + 3, IDC_CL_PICTURE_FIRST + 3, IDB_CL_NO_MATCHING},
    {IDC_CL_MODE_FIRST + 4, IDC_CL_PICTURE_FIRST + 4, IDB_CL_GREYSCALE},
};

// The buttons that open a detail dialog, and the mode each belongs to
// (-1: every mode).
struct DetailButton {
    int button;
    int dialog;
    int mode;
};
constexpr DetailButton kDetails[] = {
    {IDC_CL_HALVANE_OPTIONS, IDD_HALVANE, static_cast<int>(ColourMode::Halvane)},
    {IDC_CL_QUILLON_OPTIONS, IDD_QUILLON, static_cast<int>(ColourMode::Quillon)},
    {IDC_CL_ADVANCED, IDD_COLOUR_ADVANCED, -1},
};

}  // namespace

ColourPage::ColourPage(PageServices& services, DialogView& view, SheetActions& sheet, const MachineRegistry& registry)
    : s_(services), ctx_(services.context), record_(services.record), view_(view), sheet_(sheet),
      registry_(registry) {}

int ColourPage::pictureBitmap(int control) {
    for (const ModeRow& row : kModes)
        if (row.picture == control) return row.bitmap;
    return control == IDC_LOGO ? IDB_LOGO : 0;
}

ColourMode ColourPage::mode() const { return static_cast<ColourMode>(ctx_[Feature::ZEControl].sel); }

void ColourPage::changed() { MarkPageChanged(view_, s_.state); }

// ---- opening --------------------------------------------------------------

void ColourPage::initialize() {
    swatchKey_ = s_.config.modelKey(s_.capabilityFile, u"SwatchRegPath", kModelPathChars);
    if (swatchKey_.empty()) DestroyControlRange(view_, IDC_CL_SWATCH, IDC_CL_SWATCH);
    if (!ctx_.has(Feature::ZEControl)) {
        // Without the feature there is no mode to choose, nor details of one.
        DestroyControlRange(view_, IDC_CL_PICTURE_FIRST, IDC_CL_MODE_LAST);
        DestroyControlRange(view_, IDC_CL_HALVANE_OPTIONS, IDC_CL_HALVANE_OPTIONS);
        DestroyControlRange(view_, IDC_CL_QUILLON_OPTIONS, IDC_CL_QUILLON_OPTIONS);
    }
    gamma_ = record_.gammaSettingId | (record_.gammaOn ? kGammaInUse : 0);
    fillGammaList();
    ccm_ = record_.ccmSetting;
    cartridgeOff_ = record_.cartridgeOff;
    refresh();
    s_.state.pluginChanged = true;
}

void ColourPage::fillGammaList() {
    const std::vector<NamedSetting> settings =
        ReadNamedSettings(s_.profile, HalftoneFile(s_.profile, s_.config, ctx_.pluginIni), u"PSGamma");
    view_.listClear(IDC_CL_GAMMA_LIST);
    for (const NamedSetting& setting : settings) view_.listAdd(IDC_CL_GAMMA_LIST, setting.name, setting.id & 0xFF);
    if (view_.listCount(IDC_CL_GAMMA_LIST) == 0) {
        view_.destroy(IDC_CL_GAMMA_LABEL);
        view_.destroy(IDC_CL_GAMMA_LIST);
    }
}

void ColourPage::activate() {
    // The Job Options page edits the same pair and stores it when it is
    // left: what this page shows follows the record.
    gamma_ = record_.gammaSettingId | (record_.gammaOn ? kGammaInUse : 0);
    refresh();
}

// ---- refresh --------------------------------------------------------------

void ColourPage::refresh() {
    const int current = static_cast<int>(mode());
    for (int i = 0; i < static_cast<int>(std::size(kModes)); ++i) {
        view_.redraw(kModes[i].picture);
        view_.setChecked(kModes[i].radio, i == current);
    }
    for (const DetailButton& d : kDetails)
        if (d.mode >= 0) view_.enable(d.button, d.mode == current);
    view_.enable(IDC_CL_TONER_SAVE, mode() != ColourMode::Greyscale);

    if (!s_.capabilityFile.empty()) refreshGamma();

    linkTarget_ = s_.config.modelKey(s_.capabilityFile, u"TabLinkName", kModelPathChars);
    ShowControlRange(view_, IDC_LOGO, IDC_LOGO, true);

    // Restricted last, over the page's own enabling, so that a mode change
    // cannot bring back a control the user may not touch.
    if (s_.document.noPermission) RestrictControlRange(view_, 1, IDC_DEFAULT, false);
}

void ColourPage::refreshGamma() {
    const int count = view_.listCount(IDC_CL_GAMMA_LIST);
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i)
        if (view_.listData(IDC_CL_GAMMA_LIST, i) == (gamma_ & 0xFFFF)) found = i;
    if (found < 0) {
        // The stored identifier is no longer offered: the first setting, off.
        found = count > 0 ? 0 : -1;
        gamma_ = count > 0 ? static_cast<std::int32_t>(view_.listData(IDC_CL_GAMMA_LIST, 0) & 0xFFFF)
                           : kNoGammaSetting;
    }
    if (found >= 0) view_.listSelect(IDC_CL_GAMMA_LIST, found);
    view_.enable(IDC_CL_GAMMA_LIST, (gamma_ & kGammaInUse) != 0);
}

// ---- commands -------------------------------------------------------------

void ColourPage::command(int id, int notification) {
    if (id >= IDC_CL_PICTURE_FIRST && id <= IDC_CL_MODE_LAST) {
        if (notification == kClicked) chooseMode(id <= IDC_CL_PICTURE_LAST ? id - IDC_CL_PICTURE_FIRST : id - IDC_CL_MODE_FIRST);
        return;
    }
    for (const DetailButton& d : kDetails)
        if (id == d.button) {
            if (notification == kClicked) openDetails(d.dialog);
            return;
        }
    switch (id) {
    case IDC_CL_GAMMA_LIST:
        if (notification != kSelectionChanged) return;
        if (int i = view_.listSelection(IDC_CL_GAMMA_LIST); i >= 0)
            gamma_ = (gamma_ & ~0xFFFF) | static_cast<std::int32_t>(view_.listData(IDC_CL_GAMMA_LIST, i) & 0xFFFF);
        changed();
        return;
    case IDC_CL_SWATCH:
        if (notification == kClicked) startSwatch();
        return;
    case IDC_LOGO:
        if (notification == kClicked && linkActive()) sheet_.openLink(linkTarget_);
        return;
    case IDC_DEFAULT:
        if (notification == kClicked) restoreDefaults();
        return;
    default:
        return;
    }
}

void ColourPage::chooseMode(int index) {
    if (!ctx_.has(Feature::ZEControl)) return;
    ctx_[Feature::ZEControl].sel = index;
    refresh();
    changed();
}

void ColourPage::openDetails(int templateId) {
    if (sheet_.runDialog(templateId) == 0) return;
    // What a detail dialog settled is stored as it closes, as when the page
    // is left: the features first, then the record's colour fields.
    WriteBackSelections(ctx_, s_.tree);
    storeColourSettings();
    changed();
    refresh();
}

void ColourPage::startSwatch() {
    // Read again at the click: the program may have been installed meanwhile.
    const std::u16string key = s_.config.modelKey(s_.capabilityFile, u"SwatchRegPath", kModelPathChars);
    if (std::optional<std::u16string> program = SwatchProgramPath(registry_, key)) {
        sheet_.openLink(*program);
        return;
    }
    ShowResourceMessage(view_, s_.strings, IDS_CL_SWATCH_MISSING, IDS_CL_ERROR, kMessageWarning);
}

void ColourPage::restoreDefaults() {
    if (ctx_.has(Feature::ZEControl)) ctx_[Feature::ZEControl].sel = static_cast<std::int32_t>(ColourMode::Automatic);
    gamma_ = 0;
    ctx_[Feature::ZEBlackSubGra].sel = 0;
    ctx_[Feature::ZEBlackFinishSubGra].sel = 0;
    cartridgeOff_ = 0;
    refresh();
    changed();
}

// ---- leaving and applying -------------------------------------------------

void ColourPage::leave() {
    WriteBackSelections(ctx_, s_.tree);
    storeColourSettings();
    sheet_.revisitCorePage();
}

void ColourPage::storeColourSettings() {
    record_.gammaSettingId = static_cast<std::uint16_t>(gamma_ & 0xFFFF);
    record_.gammaOn = (gamma_ & kGammaInUse) ? 1 : 0;
    record_.ccmSetting = ccm_;
    record_.cartridgeOff = cartridgeOff_;
    LoadCorrectionTables(s_.profile, CorrectionFile(s_.config, s_.capabilityFile), ccm_, record_);
}

void ColourPage::apply() { sheet_.reportApplied(); }

}  // namespace wren::ui
