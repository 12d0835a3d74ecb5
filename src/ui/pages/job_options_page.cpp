#include "ui/pages/job_options_page.h"

#include <string>
#include <utility>

#include "common/family/family_libraries.h"
#include "common/settings/compression.h"
#include "ui/dialogs/control_ranges.h"
#include "ui/dialogs/page_changed.h"
#include "ui/dialogs/printer_sharing.h"
#include "ui/dialogs/resource_message.h"
#include "ui/features/write_back.h"
#include "ui/pages/control_events.h"
#include "ui/pages/finishing_rules.h"
#include "ui/pages/fit_paper_list.h"
#include "ui/pages/gamma_settings.h"
#include "ui/pages/page_text.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

constexpr std::int32_t kGammaEnabled = 0x10000;
constexpr int kMaxCopies = 999;
constexpr long kMaxScale = 1000;

// Model-section keys the page reads.
constexpr std::u16string_view kLinkKey = u"TabLinkName";

}  // namespace

JobOptionsPage::JobOptionsPage(PageServices& services, DialogView& view, SheetActions& sheet)
    : s_(services), ctx_(services.context), record_(services.record), view_(view), sheet_(sheet) {}

int JobOptionsPage::qualityPictureId() const {
    switch (ctx_[Feature::PrintQuality].sel) {
    case 0: return IDB_QUALITY_FINE;
    case 2: return IDB_QUALITY_DRAFT;
    default: return IDB_QUALITY_NORMAL;
    }
}

void JobOptionsPage::changed() { MarkPageChanged(view_, s_.state); }

// ---- initialisation -------------------------------------------------------

void JobOptionsPage::initialize() {
    cipherLibraryName_ = s_.config.modelKey(s_.capabilityFile, kCipherKey);
    userAuthLibraryName_ = s_.config.modelKey(s_.capabilityFile, kUserAuthKey);
    sharedOrNetwork_ = IsPrinterSharedOrNetwork(s_.spooler, s_.config.printer()) != 0;

    // A hard disk is what the printer reports; a printer description that
    // says neither yes nor no has one when it offers disk spooling.
    const std::string disk = featureOption(s_.settings, "ZEHDD");
    hardDisk_ = disk == "True" || (disk != "False" && ctx_.has(Feature::ZEHDDSpool));

    adjustOutputBin();
    gamma_ = record_.gammaSettingId | (record_.gammaOn ? kGammaEnabled : 0);
    fillGammaList();
    fillTonerList();
    applyFinishingRules();
    setUpCopiesAndScale();
    setUpFitToPage();
    settleJobType();
    // A sub-dialog this build does not have leaves its button disabled
    // rather than doing nothing when clicked.
    for (auto [button, dialog] : {std::pair{IDC_WATERMARK_BUTTON, kWatermarkDialog}, {IDC_OVERLAYS_BUTTON, kOverlayDialog},
                                  {IDC_ADVANCED_BUTTON, kAdvancedDialog}, {IDC_ABOUT_BUTTON, kAboutDialog}})
        if (!sheet_.offers(dialog)) view_.enable(button, false);
    refresh();
    s_.state.pluginChanged = true;
}

void JobOptionsPage::adjustOutputBin() {
    if (!ctx_.has(Feature::OutputBin)) return;
    std::int32_t& bin = sel(Feature::OutputBin);
    // With a finisher the face-up bin (1) is gone; without one, its bins (2, 3) are.
    if (featureOption(s_.settings, "ZEFinisher") == "True") {
        if (bin == 1) bin = 0;
    } else if (bin == 2 || bin == 3) {
        bin = 0;
    }
}

void JobOptionsPage::fillGammaList() {
    const GammaSettings gamma = readGammaSettings(s_.profile, s_.config, ctx_.pluginIni);
    view_.listClear(IDC_GAMMA_LIST);
    for (const GammaSetting& setting : gamma.settings) view_.listAdd(IDC_GAMMA_LIST, setting.name, setting.id);
    if (!gamma.offered) {
        view_.destroy(IDC_GAMMA_CHECK);
        view_.destroy(IDC_GAMMA_LIST);
    }
}

void JobOptionsPage::fillTonerList() {
    if (!ctx_.has(Feature::ZEOutputMode)) {
        view_.destroy(IDC_TONER_LABEL);
        view_.destroy(IDC_TONER_LIST);
        return;
    }
    const std::size_t item = ctx_[Feature::ZEOutputMode].index;
    view_.listClear(IDC_TONER_LIST);
    for (std::size_t k = 0; k < s_.tree.optionCount(item); ++k)
        view_.listAdd(IDC_TONER_LIST, s_.tree.optionName(item, k), static_cast<std::intptr_t>(k));
}

void JobOptionsPage::applyFinishingRules() {
    FinishingFacts facts;
    facts.pageSize = featureOption(s_.settings, "PageSize");
    facts.duplex = featureOption(s_.settings, "Duplex");
    facts.punchUnit = featureOption(s_.settings, "ZEPunchUnit");
    facts.layout = s_.document.layoutValue;
    facts.dmOrientation = s_.document.orientation;
    facts.orientationSel = ctx_.has(Feature::Orientation) ? ctx_[Feature::Orientation].sel : -1;
    facts.dmPaperSize = s_.document.paperSize;
    facts.hasBindPosition = ctx_.has(Feature::ZEBindPosition);
    facts.hasStaple = ctx_.has(Feature::ZEStaple);
    facts.hasPunch = ctx_.has(Feature::ZEPunch);

    FinishingSelections selections;
    selections.bind = sel(Feature::ZEBindPosition);
    selections.staple = sel(Feature::ZEStaple);
    selections.punch = sel(Feature::ZEPunch);
    selections.recordPaperSize = record_.finishingPaperSize;
    selections.recordLayoutKey = record_.finishingLayoutKey;
    applyFinishingConsistency(facts, selections);
    // Only features the printer description has keep a working option.
    if (facts.hasBindPosition) sel(Feature::ZEBindPosition) = selections.bind;
    if (facts.hasStaple) sel(Feature::ZEStaple) = selections.staple;
    if (facts.hasPunch) sel(Feature::ZEPunch) = selections.punch;
    record_.finishingPaperSize = selections.recordPaperSize;
    record_.finishingLayoutKey = selections.recordLayoutKey;
}

void JobOptionsPage::setUpCopiesAndScale() {
    if (ctx_.has(Feature::Copies)) {
        const std::size_t item = ctx_[Feature::Copies].index;
        s_.tree.setUpperBound(item, kMaxCopies);
        view_.setUpDownRange(IDC_COPIES_UPDOWN, s_.tree.lowerBound(item), s_.tree.upperBound(item));
        view_.setTextLimit(IDC_COPIES_EDIT, 3);
    } else {
        DestroyControlRange(view_, IDC_COPIES_LABEL, IDC_COPIES_LAST);
    }
    if (ctx_.has(Feature::Scale)) {
        const std::size_t item = ctx_[Feature::Scale].index;
        const long lower = s_.tree.lowerBound(item), upper = s_.tree.upperBound(item);
        view_.setText(IDC_SCALE_RANGE, formatNumbers(s_.strings.load(IDS_SCALE_RANGE), {lower, upper}));
        view_.setUpDownRange(IDC_SCALE_UPDOWN, static_cast<int>(lower), static_cast<int>(upper));
        view_.setTextLimit(IDC_SCALE_EDIT, 4);
    } else {
        DestroyControlRange(view_, IDC_SCALE_FIRST, IDC_SCALE_RANGE);
    }
}

void JobOptionsPage::setUpFitToPage() {
    buildFitPaperList(ctx_, s_.spooler.namedPapers(s_.printerName), s_.tree, ctx_[Feature::FormName].index,
                      s_.threadLocale);
    view_.listClear(IDC_FIT_LIST);
    for (std::size_t i = 0; i < ctx_.fitPapers.size(); ++i)
        if (!(ctx_.fitPapers[i].hidden & kOptionHide))
            view_.listAdd(IDC_FIT_LIST, ctx_.fitPapers[i].name, static_cast<std::intptr_t>(i));
    fit_ = record_.fitToPaper != 0;
    fitPosition_ = fitTargetPosition(ctx_, record_.outputPaperIndex);
}

void JobOptionsPage::settleJobType() {
    if (!ctx_.has(Feature::ZEJob_Type)) DestroyControlRange(view_, IDC_JOBTYPE_NORMAL, IDC_JOBTYPE_SETTING);

    ctx_.icCardAvailable = false;
    if (auto card = IcCardLibrary(loadFamilyLibrary(s_.config, s_.loader, s_.capabilityFile, kIcCardKey));
        card.exports("QueryCardDriver")) {
        const std::u16string driver = s_.config.driverName().value_or(u"");
        ctx_.icCardAvailable = card.cardDriverPresent(s_.codePage, driver, s_.capabilityFile);
    }
    if (ctx_.icCardAvailable) view_.setText(IDC_JOBTYPE_ENCRYPTED, s_.strings.load(IDS_IC_CARD_SECURE));

    if (userAuthLibraryName_.empty()) view_.destroy(IDC_USER_AUTH_BUTTON);

    ctx_.jobLimited = featureOption(s_.settings, "ZEJobLimit") == "True" && hardDisk_ && cipherConfigured() &&
                      ctx_.standardUiAsked;
    if (ctx_.jobLimited) {
        setJobType(JobType::Encrypted);
        if (record_.cryptPasswordLength == 0) record_.cryptOption = 1;
    } else if (ctx_.icCardAvailable) {
        if (!hardDisk_) setJobType(JobType::Normal);
        else if (jobType() == JobType::Secure || jobType() == JobType::Store) setJobType(JobType::Encrypted);
    }
}

// ---- refresh --------------------------------------------------------------

void JobOptionsPage::activate() {
    // The Colour page edits the same gamma pair and stores it when it is
    // left: coming back, this page takes the record's pair, or leaving it
    // again would put back the pair it had before.
    gamma_ = record_.gammaSettingId | (record_.gammaOn ? kGammaEnabled : 0);
    refresh();
}

void JobOptionsPage::refresh() {
    const bool outer = !refreshing_;
    refreshing_ = true;
    refreshControls();
    if (outer) refreshing_ = false;
}

void JobOptionsPage::refreshControls() {
    const std::int32_t quality = sel(Feature::PrintQuality);
    view_.setChecked(IDC_QUALITY_FINE, quality == 0);
    view_.setChecked(IDC_QUALITY_NORMAL, quality == 1);
    view_.redraw(IDC_QUALITY_PICTURE);

    view_.listSelect(IDC_TONER_LIST, sel(Feature::ZEOutputMode));
    view_.enable(IDC_TONER_LIST, true);

    refreshJobType();
    refreshCopies();
    refreshGamma();
    refreshFitToPage();

    linkTarget_ = s_.config.modelKey(s_.capabilityFile, kLinkKey);
    if (!linkTarget_.empty()) view_.setText(IDC_LINK_TEXT, linkTarget_);
    ShowControlRange(view_, IDC_LINK_TEXT, IDC_LINK_TEXT, !linkTarget_.empty());
    ShowControlRange(view_, IDC_LOGO, IDC_LOGO, true);

    if (s_.document.noPermission) RestrictControlRange(view_, 1, IDC_LOGO, false);
}

void JobOptionsPage::refreshJobType() {
    if (!ctx_.has(Feature::ZEJob_Type)) return;
    if (!hardDisk_) setJobType(JobType::Normal);
    if (ctx_.jobLimited) {
        EnableControlRange(view_, IDC_JOBTYPE_NORMAL, IDC_JOBTYPE_ENCRYPTED, false);
    } else if (ctx_.icCardAvailable) {
        view_.enable(IDC_JOBTYPE_SECURE, false);
        view_.enable(IDC_JOBTYPE_STORE, false);
        view_.enable(IDC_JOBTYPE_ENCRYPTED, hardDisk_);
    }
    if (!cipherConfigured() || !ctx_.standardUiAsked) {
        // Without its radio the type could be neither seen nor left.
        view_.destroy(IDC_JOBTYPE_ENCRYPTED);
        if (jobType() == JobType::Encrypted && !ctx_.jobLimited) setJobType(JobType::Normal);
    } else if (!loadFamilyLibrary(s_.config, s_.loader, s_.capabilityFile, kCipherKey)) {
        view_.enable(IDC_JOBTYPE_ENCRYPTED, false);
        if (jobType() == JobType::Encrypted) setJobType(JobType::Normal);
    }
    // Checked last, so the radio shows the type the rules above settled on.
    for (int t = 0; t <= 3; ++t) view_.setChecked(IDC_JOBTYPE_NORMAL + t, static_cast<int>(jobType()) == t);
}

void JobOptionsPage::refreshCopies() {
    view_.enable(IDC_JOBTYPE_SETTING, jobType() != JobType::Normal);
    const bool copiesFree = ctx_.icCardAvailable || jobType() == JobType::Normal;
    EnableControlRange(view_, IDC_COPIES_LABEL, IDC_COPIES_LAST, copiesFree);
    view_.enable(IDC_COLLATE, copiesFree);
    view_.setUpDownValue(IDC_COPIES_UPDOWN, sel(Feature::Copies));
    view_.setChecked(IDC_COLLATE, sel(Feature::ZECollate) == 1);
    view_.setUpDownValue(IDC_SCALE_UPDOWN, sel(Feature::Scale));
}

void JobOptionsPage::refreshGamma() {
    const int count = view_.listCount(IDC_GAMMA_LIST);
    int found = -1;
    for (int i = 0; i < count; ++i)
        if (view_.listData(IDC_GAMMA_LIST, i) == (gamma_ & 0xFFFF)) found = i;
    if (found < 0 && count > 0) {
        // The stored identifier is no longer offered: fall back to the first, off.
        found = 0;
        gamma_ = static_cast<std::int32_t>(view_.listData(IDC_GAMMA_LIST, 0) & 0xFFFF);
    }
    if (found >= 0) view_.listSelect(IDC_GAMMA_LIST, found);
    const bool on = (gamma_ & kGammaEnabled) != 0;
    view_.enable(IDC_GAMMA_LIST, on);
    view_.enable(IDC_GAMMA_CHECK, count > 0);
    view_.setChecked(IDC_GAMMA_CHECK, count > 0 && on);
}

void JobOptionsPage::refreshFitToPage() {
    for (int i = 0; i < view_.listCount(IDC_FIT_LIST); ++i)
        if (view_.listData(IDC_FIT_LIST, i) == fitPosition_) view_.listSelect(IDC_FIT_LIST, i);

    std::u16string paperName;
    for (const FitPaper& paper : ctx_.fitPapers)
        if (paper.id == s_.document.paperSize) { paperName = paper.name; break; }
    if (paperName.empty() && static_cast<std::size_t>(ctx_.defaultFitPosition) < ctx_.fitPapers.size())
        paperName = ctx_.fitPapers[ctx_.defaultFitPosition].name;
    view_.setText(IDC_FIT_DOCUMENT_PAPER, paperName);

    // A custom paper size cannot be fitted: the box is off and locked, and
    // the scale stays free, while the stored choice waits for a real paper.
    const bool custom = s_.document.paperSize == kCustomPaperSize;
    const bool fitting = fit_ && !custom;
    view_.enable(IDC_FIT_CHECK, !custom);
    view_.enable(IDC_FIT_LIST, fitting);
    view_.setChecked(IDC_FIT_CHECK, fitting);
    if (fitting) {
        sel(Feature::Scale) = 100;
        view_.setUpDownValue(IDC_SCALE_UPDOWN, 100);
    }
    EnableControlRange(view_, IDC_SCALE_LABEL, IDC_SCALE_RANGE, !fitting);
}

// ---- commands -------------------------------------------------------------

void JobOptionsPage::command(int id, int notification) {
    switch (id) {
    case IDC_QUALITY_FINE:
    case IDC_QUALITY_NORMAL:
        if (notification != kClicked) return;
        sel(Feature::PrintQuality) = id - IDC_QUALITY_FINE;
        refresh();
        changed();
        return;
    case IDC_TONER_LIST:
        if (notification != kSelectionChanged) return;
        sel(Feature::ZEOutputMode) = view_.listSelection(IDC_TONER_LIST);
        changed();
        return;
    case IDC_GAMMA_LIST:
        if (notification != kSelectionChanged) return;
        if (int i = view_.listSelection(IDC_GAMMA_LIST); i >= 0)
            gamma_ = (gamma_ & kGammaEnabled) | static_cast<std::int32_t>(view_.listData(IDC_GAMMA_LIST, i) & 0xFFFF);
        changed();
        return;
    case IDC_GAMMA_CHECK:
        if (notification != kClicked) return;
        gamma_ = view_.checked(IDC_GAMMA_CHECK) ? (gamma_ | kGammaEnabled) : (gamma_ & ~kGammaEnabled);
        view_.enable(IDC_GAMMA_LIST, (gamma_ & kGammaEnabled) != 0);
        changed();
        return;
    case IDC_JOBTYPE_NORMAL:
    case IDC_JOBTYPE_SECURE:
    case IDC_JOBTYPE_STORE:
    case IDC_JOBTYPE_ENCRYPTED:
        if (notification == kClicked) chooseJobType(static_cast<JobType>(id - IDC_JOBTYPE_NORMAL));
        return;
    case IDC_JOBTYPE_SETTING:
        if (notification == kClicked) jobTypeSettings();
        return;
    case IDC_COPIES_EDIT:
    case IDC_SCALE_EDIT:
        editNumber(id, notification);
        return;
    case IDC_COLLATE:
        if (notification != kClicked) return;
        sel(Feature::ZECollate) = view_.checked(IDC_COLLATE) ? 1 : 0;
        changed();
        return;
    case IDC_FIT_CHECK:
        if (notification == kClicked) fitToPageClicked();
        return;
    case IDC_FIT_LIST:
        if (notification != kSelectionChanged) return;
        if (int i = view_.listSelection(IDC_FIT_LIST); i >= 0)
            fitPosition_ = static_cast<int>(view_.listData(IDC_FIT_LIST, i));
        changed();
        return;
    case IDC_LINK_TEXT:
    case IDC_LOGO:
        if (notification == kClicked && linkActive()) sheet_.openLink(linkTarget_);
        return;
    case IDC_WATERMARK_BUTTON: openSubDialog(kWatermarkDialog); return;
    case IDC_OVERLAYS_BUTTON: openSubDialog(kOverlayDialog); return;
    case IDC_ADVANCED_BUTTON: openSubDialog(kAdvancedDialog); return;
    case IDC_ABOUT_BUTTON:
        if (notification == kClicked) sheet_.runDialog(kAboutDialog);
        return;
    case IDC_USER_AUTH_BUTTON:
        if (notification == kClicked) userAuthentication();
        return;
    case IDC_DEFAULT:
        if (notification == kClicked) restoreDefaults();
        return;
    default:
        return;
    }
}

void JobOptionsPage::openSubDialog(int templateId) {
    if (sheet_.runDialog(templateId) != 0) {
        if (templateId == kOverlayDialog) ctx_.overlaysChanged = true;
        changed();
    }
}

void JobOptionsPage::editNumber(int editId, int notification) {
    view_.detachInputMethod(editId);
    if (notification == kEditChange && !refreshing_) changed();
    if (notification != kEditChange && notification != kEditUpdate) return;
    const bool scale = editId == IDC_SCALE_EDIT;
    const Feature feature = scale ? Feature::Scale : Feature::Copies;
    const int upDown = scale ? IDC_SCALE_UPDOWN : IDC_COPIES_UPDOWN;
    const std::u16string text = view_.text(editId, scale ? 32 : 64);
    if (text.empty()) {
        sel(feature) = 0;
        return;
    }
    const FilteredText digits = filterText(text, isDigit);
    long value = 0;
    for (char16_t c : digits.text) value = value < 100000000 ? value * 10 + (c - u'0') : value;
    const bool clamped = scale && value > kMaxScale;
    if (clamped) value = kMaxScale;
    sel(feature) = static_cast<std::int32_t>(value);
    if (digits.removed > 0 || clamped) {
        view_.setUpDownValue(upDown, static_cast<int>(value));
        if (digits.removed > 0) view_.setCaret(editId, static_cast<int>(digits.text.size()));
    }
}

void JobOptionsPage::fitToPageClicked() {
    fit_ = view_.checked(IDC_FIT_CHECK);
    if (fit_ && ctx_.has(Feature::Scale) && sel(Feature::Scale) != 100) {
        ShowResourceMessage(view_, s_.strings, IDS_FIT_SCALE_WARNING, IDS_WARNING, kMessageWarning);
        sel(Feature::Scale) = 100;
        view_.setUpDownValue(IDC_SCALE_UPDOWN, 100);
    }
    EnableControlRange(view_, IDC_SCALE_LABEL, IDC_SCALE_RANGE, !fit_);
    view_.enable(IDC_FIT_LIST, fit_);
    changed();
}

void JobOptionsPage::restoreDefaults() {
    sel(Feature::PrintQuality) = 1;
    // A printer limited to encrypted jobs keeps them: its radios are locked.
    if (!ctx_.jobLimited) setJobType(JobType::Normal);
    sel(Feature::Copies) = 1;
    sel(Feature::ZECollate) = 0;
    sel(Feature::OutputBin) = 0;
    sel(Feature::ZEStaple) = 0;
    sel(Feature::ZEPunch) = 0;
    sel(Feature::ZEBindPosition) = 2;
    sel(Feature::Scale) = 100;
    fit_ = false;
    fitPosition_ = ctx_.defaultFitPosition;
    gamma_ = 0;
    sel(Feature::ZEOutputMode) = 1;
    refresh();
    view_.redraw(IDC_QUALITY_PICTURE);
    changed();
}

// ---- leaving and applying -------------------------------------------------

bool JobOptionsPage::validateNumber(int editId, Feature feature) {
    if (!ctx_.has(feature)) return true;
    const std::size_t item = ctx_[feature].index;
    long value = 0;
    if (parseWholeNumber(view_.text(editId, 64), value) && value >= s_.tree.lowerBound(item) &&
        value <= s_.tree.upperBound(item))
        return true;
    ShowResourceMessage(view_, s_.strings, IDS_INVALID_SETTINGS, 0, kMessageStop);
    view_.focus(editId);
    view_.selectAll(editId);
    view_.beep();
    return false;
}

bool JobOptionsPage::leave() {
    if (!validateNumber(IDC_SCALE_EDIT, Feature::Scale)) return false;
    if (!validateNumber(IDC_COPIES_EDIT, Feature::Copies)) return false;

    WriteBackSelections(ctx_, s_.tree);
    record_.rotateSortCopy = static_cast<std::uint32_t>(sel(Feature::ZERotateSort));
    record_.collateCopy = static_cast<std::uint32_t>(sel(Feature::ZECollate));
    record_.outputPaperIndex = static_cast<std::uint32_t>(fitPosition_);
    if (static_cast<std::size_t>(fitPosition_) < ctx_.fitPapers.size())
        record_.outputPaperSize = static_cast<std::uint16_t>(ctx_.fitPapers[fitPosition_].id);
    record_.fitToPaper = fit_ ? 1 : 0;
    record_.gammaSettingId = static_cast<std::uint16_t>(gamma_ & 0xFFFF);
    record_.gammaOn = (gamma_ & kGammaEnabled) ? 1 : 0;
    sheet_.revisitCorePage();
    return true;
}

void JobOptionsPage::apply() {
    sheet_.reportApplied();
    sheet_.saveWatermarkEdits();
    if (s_.state.settingsWritable && ctx_.overlaysChanged) {
        sheet_.commitOverlayStore();
        sheet_.reportApplied();
    }
}

void JobOptionsPage::reset() { sheet_.dropWatermarkEdits(); }

}  // namespace wren::ui
