// A Job Options page over fakes: a sample printer with its configuration
// files, a settings tree holding the features the page edits, the core
// driver's current selections, and a sheet that records what it was asked.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "common/family/family_exports.h"
#include "fake_dialog_view.h"
#include "fake_option_tree.h"
#include "fakes.h"
#include "ui/pages/control_events.h"
#include "ui/pages/job_options_page.h"
#include "ui/resources/resource_ids.h"

namespace wren::test {

class FakeSheet : public ui::SheetActions {
public:
    std::vector<int> dialogs;
    std::map<int, std::function<int()>> dialogAnswers;
    int applied = 0, revisits = 0;
    std::vector<std::u16string> links;
    int runDialog(int templateId) override {
        dialogs.push_back(templateId);
        auto it = dialogAnswers.find(templateId);
        return it == dialogAnswers.end() ? 0 : it->second();
    }
    bool offers(int templateId) const override { return templateId != ui::kWatermarkDialog; }
    void reportApplied() override { ++applied; }
    void revisitCorePage() override { ++revisits; }
    void openLink(std::u16string_view target) override { links.emplace_back(target); }
    void saveWatermarkEdits() override {}
    void dropWatermarkEdits() override {}
    void commitOverlayStore() override {}
};

// What the stand-in cipher library saw and answers.
struct CipherScript {
    int dialogs = 0;
    int lastMode = -1;
    std::string offeredPassword;
    bool confirm = true;
    std::string typedPassword = "secret";
    bool decrypts = true;
};
// Per thread: sheets open on several threads each answer from their own script.
inline thread_local CipherScript* gCipher = nullptr;

inline int WREN_FAMILY_CALL fakeCryptoDialog(void*, family::CipherBlock* block, int mode) {
    ++gCipher->dialogs;
    gCipher->lastMode = mode;
    gCipher->offeredPassword = block->password;
    if (!gCipher->confirm) return 0;
    std::strncpy(block->password, gCipher->typedPassword.c_str(), sizeof block->password - 1);
    block->mode = 7;
    return 1;
}
inline int WREN_FAMILY_CALL fakeEncrypt(const char* plain, std::uint32_t length, std::uint8_t* out,
                                        std::uint32_t* inOut) {
    for (std::uint32_t i = 0; i < length; ++i) out[i] = static_cast<std::uint8_t>(plain[i] ^ 0x5A);
    *inOut = length;
    return 1;
}
inline int WREN_FAMILY_CALL fakeDecrypt(const std::uint8_t* stored, std::uint32_t length, char* out,
                                        std::uint32_t* size) {
    if (!gCipher->decrypts || length + 1 > *size) return 0;
    for (std::uint32_t i = 0; i < length; ++i) out[i] = static_cast<char>(stored[i] ^ 0x5A);
    out[length] = 0;
    return 1;
}
inline int WREN_FAMILY_CALL fakeCardPresent(const char*, const char*) { return 1; }

// One sheet's Job Options page and everything around it, apart from any
// test fixture: a test that opens several sheets at once keeps one of these
// per sheet (and per thread, as none of the fakes is thread-safe).
class JobOptionsSheet {
public:
    JobOptionsSheet() = default;
    JobOptionsSheet(const JobOptionsSheet&) = delete;  // the ports refer to the members
    JobOptionsSheet& operator=(const JobOptionsSheet&) = delete;

    static constexpr const char16_t* kDir = u"C:\\drivers\\x64\\3\\";
    PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x20);
    FakeProfile profile;
    FakeSpooler spooler;
    FakeLibraryLoader loader;
    FakeCodePage codePage;
    FakeDriverSettings settings;
    DriverConfig config{spooler, profile, printer};
    FakeStrings strings;
    ui::UiState state;
    FakeOptionTree tree;
    ui::SheetContext context;
    PrivateRecord record{};
    FakeDialogView view;
    FakeSheet sheet;
    CipherScript cipher;
    std::string modelKeys = "UA_DLL=zeuauth.dll\nCryptoDll=zecipher.dll\n";
    ui::DocumentFacts document;

    // The sample printer, its tree and the page's controls. The cipher
    // stand-in answers from `cipher` only on a thread that points gCipher
    // at it.
    void prepare() {
        state.os = ui::OsVersion{6, 1};
        spooler.printers[printer].dependentFiles =
            FakeSpooler::list({u"C:\\drivers\\x64\\3\\wren.ini", u"C:\\drivers\\x64\\3\\wren.cap"});
        profile.addFile(u"C:\\drivers\\x64\\3\\wren.ini",
                        "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n[DependentFiles]\nHALFTONE=wrengam.dat\n");
        profile.addFile(u"C:\\drivers\\x64\\3\\wrengam.dat",
                        "[PSGamma]\nSettingNum=2\nSettingID0=3\nSettingID1=5\nSettingName3=Soft\nSettingName5=Vivid\n");
        loader.libraries[u"C:\\drivers\\x64\\3\\zecipher.dll"] = {{"DispCryptoUIEx", exportOf(&fakeCryptoDialog)},
                                                                  {"EncryptPassword", exportOf(&fakeEncrypt)},
                                                                  {"DecryptPassword", exportOf(&fakeDecrypt)}};
        loader.libraries[u"C:\\drivers\\x64\\3\\zeuauth.dll"] = {};
        spooler.namedPaperList = {{u"Letter", {1, 2159, 2794}}, {u"A4", {9, 2100, 2970}}, {u"A5", {11, 1480, 2100}}};
        settings.features = {{"ZEHDD", "True"}, {"PageSize", "A4"}, {"Duplex", "None"}, {"ZEFinisher", "False"}};

        slot(ui::Feature::PrintQuality, FakeItem::role(5, 1).withOptions({u"1200", u"600"}));
        slot(ui::Feature::Copies, bounded(FakeItem::role(3, 1), 1, 99));
        slot(ui::Feature::Scale, bounded(FakeItem::role(2, 100), 25, 400));
        slot(ui::Feature::FormName, FakeItem::role(9, 1).withOptions({u"Letter", u"A4", u"A5"}));
        slot(ui::Feature::ZEOutputMode, FakeItem::feature("ZEOutputMode", 1).withOptions({u"Off", u"On"}));
        slot(ui::Feature::ZEJob_Type,
             FakeItem::feature("ZEJob_Type").withOptions({u"Normal", u"Secure", u"Store", u"Encrypted"}));
        slot(ui::Feature::ZECollate, FakeItem::feature("ZECollate"));
        slot(ui::Feature::ZEHDDSpool, FakeItem::feature("ZEHDDSpool"));
        slot(ui::Feature::ZERotateSort, FakeItem::feature("ZERotateSort", 1));

        view.addRange(IDC_QUALITY_GROUP, IDC_QUALITY_PICTURE, ControlKind::Static);
        for (int id : {IDC_QUALITY_FINE, IDC_QUALITY_NORMAL, IDC_JOBTYPE_NORMAL, IDC_JOBTYPE_SECURE, IDC_JOBTYPE_STORE,
                       IDC_JOBTYPE_ENCRYPTED})
            view.add(id, ControlKind::Radio);
        for (int id : {IDC_GAMMA_CHECK, IDC_COLLATE, IDC_FIT_CHECK}) view.add(id, ControlKind::Check);
        for (int id : {IDC_TONER_LIST, IDC_GAMMA_LIST, IDC_FIT_LIST}) view.add(id, ControlKind::Combo);
        for (int id : {IDC_COPIES_EDIT, IDC_SCALE_EDIT}) view.add(id, ControlKind::Edit);
        for (int id : {IDC_COPIES_UPDOWN, IDC_SCALE_UPDOWN}) view.add(id, ControlKind::UpDown);
        for (int id : {IDC_TONER_LABEL, IDC_COPIES_LABEL, IDC_SCALE_LABEL, IDC_SCALE_RANGE, IDC_FIT_DOCUMENT_PAPER,
                       IDC_LINK_TEXT})
            view.add(id, ControlKind::Static);
        for (int id : {IDC_JOBTYPE_SETTING, IDC_WATERMARK_BUTTON, IDC_OVERLAYS_BUTTON, IDC_USER_AUTH_BUTTON,
                       IDC_ADVANCED_BUTTON, IDC_ABOUT_BUTTON, IDC_DEFAULT, IDC_LOGO, IDC_FIT_PICTURE})
            view.add(id, ControlKind::Button);
        view.buddy(IDC_COPIES_UPDOWN, IDC_COPIES_EDIT);
        view.buddy(IDC_SCALE_UPDOWN, IDC_SCALE_EDIT);

        strings.texts = {{IDS_SCALE_RANGE, u"( %d-%d %% )"},
                         {IDS_IC_CARD_SECURE, u"IC Card Secure Print"},
                         {IDS_WARNING, u"Warning"},
                         {IDS_INVALID_SETTINGS, u"One or more of your settings are invalid."},
                         {IDS_COPIES_WARNING, u"copies become one"},
                         {IDS_FIT_SCALE_WARNING, u"scale must be 100"}};
        context.pluginIni = u"C:\\drivers\\x64\\3\\wren.ini";
        context.standardUiAsked = true;
    }

    static FakeItem bounded(FakeItem item, std::int32_t lower, std::int32_t upper) {
        item.lower = lower;
        item.upper = upper;
        return item;
    }
    void slot(ui::Feature f, FakeItem item) {
        const std::int32_t sel = item.sel;
        context[f].index = static_cast<std::uint16_t>(tree.add(std::move(item)));
        context[f].sel = sel;
    }
    std::int32_t& sel(ui::Feature f) { return context[f].sel; }

    // The page as the sheet opens it.
    ui::JobOptionsPage& open() {
        profile.addFile(u"C:\\drivers\\x64\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\n" + modelKeys);
        services = std::make_unique<ui::PageServices>(ui::PageServices{
            profile, spooler, loader, codePage, settings, config, strings, state, tree, context, record, document,
            u"C:\\drivers\\x64\\3\\wren.cap", u"Wren Test", 1031});
        page = std::make_unique<ui::JobOptionsPage>(*services, view, sheet);
        page->initialize();
        return *page;
    }
    void click(int id) {
        if (view.at(id).kind == ControlKind::Radio)
            for (int r = IDC_JOBTYPE_NORMAL; r <= IDC_JOBTYPE_ENCRYPTED; ++r)
                if (id >= IDC_JOBTYPE_NORMAL && id <= IDC_JOBTYPE_ENCRYPTED) view.setChecked(r, r == id);
        if (view.at(id).kind == ControlKind::Check) view.setChecked(id, !view.checked(id));
        page->command(id, ui::kClicked);
    }
    void type(int id, std::u16string_view text) {
        view.setText(id, text);
        view.setCaret(id, static_cast<int>(text.size()));
        page->command(id, ui::kEditChange);
    }
    std::size_t messagesWith(std::u16string_view text) const {
        std::size_t n = 0;
        for (const auto& m : view.messageBoxes) n += m.text == text;
        return n;
    }

    std::unique_ptr<ui::PageServices> services;
    std::unique_ptr<ui::JobOptionsPage> page;
};

class JobOptionsFixture : public ::testing::Test, public JobOptionsSheet {
protected:
    void SetUp() override {
        gCipher = &cipher;
        prepare();
    }
    void TearDown() override { gCipher = nullptr; }
};

}  // namespace wren::test
