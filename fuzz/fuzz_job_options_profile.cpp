// The Job Options page as outside data feeds it: the printer's paper names
// and codes, a link name of any text, gamma files of each kind, and a stored
// settings record of any values (gamma identifier, fit-to-page target,
// encrypted password length). The page is opened, clicked through and left;
// the target it stores back must be one the printer reported, or the
// default. The gamma file's own text and the paper list alone are fuzzed by
// the faster gamma settings and fit papers targets.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "common/family/family_exports.h"
#include "fake_dialog_view.h"
#include "fake_option_tree.h"
#include "fakes.h"
#include "ui/pages/control_events.h"
#include "ui/pages/job_options_page.h"
#include "ui/resources/resource_ids.h"

using namespace wren;

namespace {

constexpr char16_t kDir[] = u"C:\\drivers\\x64\\3\\";

class Sheet : public ui::SheetActions {
public:
    int answer = 0;
    int runDialog(int) override { return answer; }
    bool offers(int templateId) const override { return templateId != ui::kWatermarkDialog; }
    void reportApplied() override {}
    void revisitCorePage() override {}
    void openLink(std::u16string_view) override {}
    void saveWatermarkEdits() override {}
    void dropWatermarkEdits() override {}
    void commitOverlayStore() override {}
};

// A cipher library that answers as the input says.
bool gDialogConfirms = true, gDecrypts = true;
int WREN_FAMILY_CALL CryptoDialog(void*, family::CipherBlock* block, int) {
    if (!gDialogConfirms) return 0;
    std::memcpy(block->password, "secret", 7);
    return 1;
}
int WREN_FAMILY_CALL Encrypt(const char* plain, std::uint32_t length, std::uint8_t* out, std::uint32_t* inOut) {
    if (length > *inOut) return 0;
    for (std::uint32_t i = 0; i < length; ++i) out[i] = static_cast<std::uint8_t>(plain[i] ^ 0x5A);
    *inOut = length;
    return 1;
}
int WREN_FAMILY_CALL Decrypt(const std::uint8_t* stored, std::uint32_t length, char* out, std::uint32_t* size) {
    if (!gDecrypts || length + 1 > *size) return 0;
    for (std::uint32_t i = 0; i < length; ++i) out[i] = static_cast<char>(stored[i] ^ 0x5A);
    out[length] = 0;
    return 1;
}
int WREN_FAMILY_CALL CardPresent(const char*, const char*) { return 1; }

std::u16string Units(FuzzedDataProvider& in, std::size_t maxUnits) {
    static const std::u16string known[] = {u"Letter", u"A4", u"A5", u""};
    if (in.ConsumeBool()) return known[in.ConsumeIntegralInRange<std::size_t>(0, std::size(known) - 1)];
    std::u16string s(in.ConsumeIntegralInRange<std::size_t>(0, maxUnits), u'\0');
    for (auto& c : s) c = in.ConsumeIntegral<char16_t>();
    return s;
}

void Record(FuzzedDataProvider& in, PrivateRecord& r) {
    r.gammaSettingId = in.ConsumeIntegral<std::uint16_t>();
    r.gammaOn = in.ConsumeIntegral<std::uint16_t>();
    r.fitToPaper = in.ConsumeIntegral<std::uint32_t>();
    r.outputPaperIndex = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint32_t>(0, 24)
                                          : in.ConsumeIntegral<std::uint32_t>();
    r.cryptPasswordLength = in.ConsumeIntegral<std::uint32_t>();
    r.cryptOption = in.ConsumeIntegral<std::uint32_t>();
    r.cryptMode = in.ConsumeIntegral<std::uint32_t>();
    r.cryptTimeLimit = in.ConsumeIntegral<std::uint32_t>();
    const auto password = in.ConsumeBytes<std::uint8_t>(sizeof r.cryptPassword);
    if (!password.empty()) std::memcpy(r.cryptPassword, password.data(), password.size());
    r.password[0] = in.ConsumeIntegral<char16_t>();
    r.jobName[0] = in.ConsumeIntegral<char16_t>();
    r.askAtPrint = in.ConsumeIntegral<std::uint32_t>();
    r.finishingPaperSize = in.ConsumeIntegral<std::uint32_t>();
    r.finishingLayoutKey = in.ConsumeIntegral<std::uint8_t>();
}

struct Slotter {
    FuzzedDataProvider& in;
    test::FakeOptionTree& tree;
    ui::SheetContext& context;
    // Each feature may be missing from the printer description.
    void operator()(ui::Feature f, test::FakeItem item) {
        if (!in.ConsumeBool()) return;
        const std::int32_t sel = in.ConsumeIntegralInRange<std::int32_t>(-1, 4);
        item.sel = sel;
        context[f].index = static_cast<std::uint16_t>(tree.add(std::move(item)));
        context[f].sel = sel;
    }
};

// The page's controls as its template lays them out. The view lists them,
// as the Win32 view does: the page's "no permission" rule walks the whole
// range 1 to 10001, and a view answering for every number in it made each
// run create ten thousand controls.
void AddPageControls(test::FakeDialogView& view) {
    using test::ControlKind;
    view.listsControls = true;
    for (int id : {IDC_QUALITY_GROUP, IDC_QUALITY_PICTURE, IDC_TONER_LABEL, IDC_JOBTYPE_GROUP, IDC_COPIES_LABEL,
                   IDC_SCALE_LABEL, IDC_SCALE_RANGE, IDC_FIT_GROUP, IDC_FIT_DOCUMENT_PAPER, IDC_LINK_TEXT})
        view.add(id, ControlKind::Static);
    for (int id : {IDC_QUALITY_FINE, IDC_QUALITY_NORMAL, IDC_JOBTYPE_NORMAL, IDC_JOBTYPE_SECURE, IDC_JOBTYPE_STORE,
                   IDC_JOBTYPE_ENCRYPTED})
        view.add(id, ControlKind::Radio);
    for (int id : {IDC_GAMMA_CHECK, IDC_COLLATE, IDC_FIT_CHECK}) view.add(id, ControlKind::Check);
    for (int id : {IDC_TONER_LIST, IDC_GAMMA_LIST, IDC_FIT_LIST}) view.add(id, ControlKind::Combo);
    for (int id : {IDC_JOBTYPE_SETTING, IDC_WATERMARK_BUTTON, IDC_OVERLAYS_BUTTON, IDC_USER_AUTH_BUTTON,
                   IDC_ADVANCED_BUTTON, IDC_ABOUT_BUTTON, IDC_DEFAULT, IDC_LOGO, IDC_FIT_PICTURE})
        view.add(id, ControlKind::Button);
    view.add(IDC_COPIES_EDIT, ControlKind::Edit);
    view.add(IDC_SCALE_EDIT, ControlKind::Edit);
    view.buddy(IDC_COPIES_UPDOWN, IDC_COPIES_EDIT);
    view.buddy(IDC_SCALE_UPDOWN, IDC_SCALE_EDIT);
}

constexpr int kCommandIds[] = {
    IDC_QUALITY_FINE, IDC_QUALITY_NORMAL, IDC_TONER_LIST, IDC_GAMMA_LIST, IDC_GAMMA_CHECK,
    IDC_JOBTYPE_NORMAL, IDC_JOBTYPE_SECURE, IDC_JOBTYPE_STORE, IDC_JOBTYPE_ENCRYPTED, IDC_JOBTYPE_SETTING,
    IDC_COPIES_EDIT, IDC_SCALE_EDIT, IDC_COLLATE, IDC_FIT_CHECK, IDC_FIT_LIST, IDC_LINK_TEXT,
    IDC_ADVANCED_BUTTON, IDC_OVERLAYS_BUTTON, IDC_DEFAULT,
};
constexpr int kNotifications[] = {ui::kClicked, ui::kSelectionChanged, ui::kEditChange, ui::kEditUpdate};

// Gamma files of each kind the page must cope with: a few settings that the
// stored identifiers meet (one unnamed, one named past the 32 units kept),
// a long list with gaps, one stating none.
// Gamma files of any text are the gamma settings target's inputs.
constexpr const char* kGammaFiles[] = {
    ("[PSGamma]\nSettingNum=4\nSettingID0=0\nSettingName0=Standard\nSettingID1=3\nSettingName3=Photo\n"
     "SettingID2=7\nSettingID3=300\nSettingName300=A name longer than the thirty-two units kept\n"),
    "[PSGamma]\nSettingNum=40\nSettingID0=1\nSettingName1=One\nSettingID255=2\nSettingName2=Last\n",
    "[PSGamma]\nSettingNum=0\nSettingID0=1\nSettingName1=Unlisted\n",
};

// The printer's files that do not come from the input, parsed once: the
// plug-in INI naming each gamma file or none, and the capability file with
// each choice of cipher and card library. Parsing them for every input was
// most of a run. The page only reads them.
struct World {
    test::FakeProfile profile;
    test::FakeLibraryLoader loader;
    World() {
        for (std::size_t gamma = 0; gamma <= std::size(kGammaFiles); ++gamma) {
            const std::string file = gamma == 0 ? "" : "wrengam" + std::to_string(gamma) + ".dat";
            profile.addFile(IniPath(gamma),
                            "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n[DependentFiles]\nHALFTONE=" + file + "\n");
            if (gamma > 0) profile.addFile(std::u16string(kDir) + fromUtf8(file), kGammaFiles[gamma - 1]);
        }
        for (bool cipher : {false, true})
            for (bool card : {false, true}) profile.addFile(CapabilityPath(cipher, card), CapabilityText(cipher, card, {}));
        loader.libraries[std::u16string(kDir) + u"zecipher.dll"] = {{"DispCryptoUIEx", test::exportOf(&CryptoDialog)},
                                                                  {"EncryptPassword", test::exportOf(&Encrypt)},
                                                                  {"DecryptPassword", test::exportOf(&Decrypt)}};
        loader.libraries[std::u16string(kDir) + u"zecard.dll"] = {{"QueryCardDriver", test::exportOf(&CardPresent)}};
    }
    // Gamma file 0 is none.
    static std::u16string IniPath(std::size_t gamma) {
        return std::u16string(kDir) + u"wren" + fromUtf8(std::to_string(gamma)) + u".ini";
    }
    static std::u16string CapabilityPath(bool cipher, bool card) {
        return std::u16string(kDir) + u"wren-" + (cipher ? u"x" : u"") + (card ? u"c" : u"") + u".cap";
    }
    static std::string CapabilityText(bool cipher, bool card, const std::optional<std::string>& linkName) {
        std::string text = "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nUA_DLL=zeuauth.dll\n";
        if (cipher) text += "CryptoDll=zecipher.dll\n";
        if (card) text += "CARD_DLL=zecard.dll\n";
        if (linkName) text += "TabLinkName=" + *linkName + "\n";
        return text;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static World world;
    FuzzedDataProvider in(data, size);
    const std::u16string dir = kDir;
    const PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x20);

    test::FakeSpooler spooler;
    for (std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, 24); n > 0; --n) {
        NamedPaper paper{Units(in, 80), {}};
        paper.size.code = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int16_t>(0, 12)
                                           : in.ConsumeIntegral<std::int16_t>();
        paper.size.width = in.ConsumeIntegral<std::int32_t>();
        paper.size.length = in.ConsumeIntegral<std::int32_t>();
        spooler.namedPaperList.push_back(std::move(paper));
    }

    test::FakeProfile& profile = world.profile;
    const std::u16string ini = World::IniPath(in.ConsumeIntegralInRange<std::size_t>(0, std::size(kGammaFiles)));
    const bool cipher = in.ConsumeBool(), card = in.ConsumeBool();
    std::u16string capability = World::CapabilityPath(cipher, card);
    // A link name of any text makes a capability file of this input's own.
    if (in.ConsumeBool()) {
        capability = dir + u"wren-link.cap";
        profile.addFile(capability, World::CapabilityText(cipher, card, in.ConsumeRandomLengthString(40)));
    }
    spooler.printers[printer].dependentFiles = test::FakeSpooler::list({ini, capability});
    gDialogConfirms = in.ConsumeBool();
    gDecrypts = in.ConsumeBool();

    test::FakeDriverSettings settings;
    static const char* const kTruth[] = {"True", "False", ""};
    for (const char* key : {"ZEHDD", "ZEFinisher", "ZEJobLimit"})
        settings.features[key] = kTruth[in.ConsumeIntegralInRange(0, 2)];
    settings.features["PageSize"] = in.ConsumeBool() ? "A4" : "Letter";

    test::FakeOptionTree tree;
    ui::SheetContext context;
    context.pluginIni = ini;
    context.standardUiAsked = in.ConsumeBool();
    Slotter slot{in, tree, context};
    test::FakeItem form = test::FakeItem::role(9);
    for (std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, 8); n > 0; --n)
        form.options.push_back({Units(in, 70), std::u16string::npos, in.ConsumeIntegral<std::uint8_t>()});
    slot(ui::Feature::FormName, std::move(form));
    test::FakeItem copies = test::FakeItem::role(3);
    copies.lower = in.ConsumeIntegralInRange(-5, 5);
    copies.upper = in.ConsumeIntegral<std::int32_t>();
    slot(ui::Feature::Copies, std::move(copies));
    test::FakeItem scale = test::FakeItem::role(2);
    scale.lower = in.ConsumeIntegral<std::int32_t>();
    scale.upper = in.ConsumeIntegral<std::int32_t>();
    slot(ui::Feature::Scale, std::move(scale));
    slot(ui::Feature::PrintQuality, test::FakeItem::role(5).withOptions({u"1200", u"600"}));
    slot(ui::Feature::ZEOutputMode, test::FakeItem::feature("ZEOutputMode").withOptions({u"Off", u"On"}));
    slot(ui::Feature::ZEJob_Type,
         test::FakeItem::feature("ZEJob_Type").withOptions({u"Normal", u"Secure", u"Store", u"Encrypted"}));
    slot(ui::Feature::ZECollate, test::FakeItem::feature("ZECollate"));
    slot(ui::Feature::ZEHDDSpool, test::FakeItem::feature("ZEHDDSpool"));
    slot(ui::Feature::ZERotateSort, test::FakeItem::feature("ZERotateSort"));

    PrivateRecord record{};
    Record(in, record);
    ui::DocumentFacts document;
    document.paperSize = in.ConsumeBool() ? ui::kCustomPaperSize : in.ConsumeIntegralInRange<std::int16_t>(0, 12);
    document.noPermission = in.ConsumeBool();
    const std::uint16_t locale = in.ConsumeBool() ? 1033 : 1031;
    const std::string commands = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, 48));
    const bool numbersInRange = in.ConsumeBool();

    test::FakeCodePage codePage;
    DriverConfig config{spooler, profile, printer};
    test::FakeStrings strings{{IDS_SCALE_RANGE, u"( %d-%d %% )"}, {IDS_WARNING, u"Warning"}};
    ui::UiState state;
    state.os = ui::OsVersion{6, 1};
    test::FakeDialogView view;
    AddPageControls(view);
    Sheet sheet;
    ui::PageServices services{profile, spooler, world.loader, codePage, settings, config, strings, state, tree,
                              context, record, document, capability, u"Wren Test", locale};
    ui::JobOptionsPage page(services, view, sheet);
    page.initialize();
    page.refresh();

    // Each command: the control, the notification, and what the user left in it.
    FuzzedDataProvider script(reinterpret_cast<const std::uint8_t*>(commands.data()), commands.size());
    while (script.remaining_bytes() > 0) {
        const int id = kCommandIds[script.ConsumeIntegralInRange<std::size_t>(0, std::size(kCommandIds) - 1)];
        const int notification = kNotifications[script.ConsumeIntegralInRange<std::size_t>(0, 3)];
        switch (script.ConsumeIntegralInRange(0, 3)) {
        case 0: view.setChecked(id, !view.checked(id)); break;
        case 1: view.listSelect(id, script.ConsumeIntegralInRange(-1, 24)); break;
        case 2: view.setText(id, Units(script, 8)); break;
        default: break;
        }
        sheet.answer = script.ConsumeBool();
        page.command(id, notification);
    }
    // Mostly leave with numbers the items accept, so the write-back runs.
    if (numbersInRange)
        for (auto [edit, feature] : {std::pair{IDC_SCALE_EDIT, ui::Feature::Scale}, {IDC_COPIES_EDIT, ui::Feature::Copies}})
            if (context.has(feature))
                view.setText(edit, test::FakeDialogView::decimal(tree.lowerBound(context[feature].index)));
    if (page.leave()) {
        const std::uint32_t stored = record.outputPaperIndex;
        if (stored != static_cast<std::uint32_t>(context.defaultFitPosition) && stored >= context.fitPapers.size())
            __builtin_trap();
        if (record.gammaOn > 1 || record.fitToPaper > 1) __builtin_trap();
    }
    // The input's files go with the run: memory that outlives a run makes
    // libFuzzer suspect a leak and search the whole heap for it.
    profile.addFile(dir + u"wren-link.cap", "");
    world.loader.loads.clear();
    profile.reads = 0;
    return 0;
}
