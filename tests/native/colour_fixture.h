// The Colour page and its detail dialogs over fakes: the sample printer's
// configuration with a halftone file and a colour-correction file, a
// settings tree holding the colour features, and a sheet that records what
// it was asked.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "fake_dialog_view.h"
#include "fake_option_tree.h"
#include "fakes.h"
#include "job_options_fixture.h"
#include "ui/colour/colour_ids.h"
#include "ui/colour/colour_page.h"
#include "ui/colour/track_bar.h"
#include "ui/pages/control_events.h"
#include "ui/resources/resource_ids.h"

namespace wren::test {

class FakeRegistry : public ui::MachineRegistry {
public:
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> values;
    std::optional<std::u16string> readString(std::u16string_view key, std::u16string_view value) const override {
        auto it = values.find({std::u16string(key), std::u16string(value)});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
};

class FakeTrackBar : public ui::TrackBar {
public:
    int minimum = -1, maximum = -1, position = -1;
    void setRange(int, int lo, int hi) override {
        minimum = lo;
        maximum = hi;
    }
    void setPosition(int, int p) override { position = p; }
};

// One sheet's Colour page and everything around it, apart from any test
// fixture: a test that opens several sheets at once keeps one per sheet.
class ColourSheet {
public:
    ColourSheet() = default;
    ColourSheet(const ColourSheet&) = delete;  // the ports refer to the members
    ColourSheet& operator=(const ColourSheet&) = delete;

    static constexpr const char16_t* kCap = u"C:\\drivers\\x64\\3\\wren.cap";
    PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x30);
    FakeProfile profile;
    FakeSpooler spooler;
    FakeLibraryLoader loader;
    FakeCodePage codePage;
    FakeDriverSettings settings;
    DriverConfig config{spooler, profile, printer};
    FakeStrings strings{{IDS_CL_SWATCH_MISSING, u"To use this feature, please install the Chromaboard."},
                        {IDS_CL_ERROR, u"Error"}};
    ui::UiState state;
    FakeOptionTree tree;
    ui::SheetContext context;
    PrivateRecord record{};
    FakeDialogView view;
    FakeSheet sheet;
    FakeRegistry registry;
    ui::DocumentFacts document;
    std::string modelKeys = "SwatchRegPath=SOFTWARE\\Wren\\Swatch\nCCMInfoFile=wrenccm.dat\nTabLinkName=https://x.invalid\n";
    std::u16string capabilityFile = kCap;

    // The sample printer, its colour features and the page's controls.
    void prepare() {
        spooler.printers[printer].dependentFiles =
            FakeSpooler::list({u"C:\\drivers\\x64\\3\\wren.ini", u"C:\\drivers\\x64\\3\\wren.cap"});
        profile.addFile(u"C:\\drivers\\x64\\3\\wren.ini", "[DependentFiles]\nHALFTONE=wrengam.dat\n");
        profile.addFile(u"C:\\drivers\\x64\\3\\wrengam.dat",
                        "[PSGamma]\nSettingNum=2\nSettingID0=3\nSettingID1=5\nSettingName3=Soft\nSettingName5=Vivid\n");
        profile.addFile(u"C:\\drivers\\x64\\3\\wrenccm.dat",
                        "[Color]\nSettingNum=2\nSettingID0=1\nSettingID1=2\nSettingName1=Photo\nSettingName2=Text\n"
                        "CCMNT2=0A1b\nCCMNV2=FF\n"
                        "[Gamma]\nSettingNum=1\nSettingID0=4\nSettingName4=Bright\nCCMNT4=01020304\nCCMNV4=\n");
        slot(ui::Feature::Color, FakeItem::role(6, 1).withOptions({u"Mono", u"Colour"}));
        slot(ui::Feature::ZEControl, FakeItem::feature("ZEControl").withOptions(
                                         {u"Automatic", u"Halvane", u"Quillon", u"No Matching", u"Greyscale"}));
        slot(ui::Feature::ZEBlackSubGra, FakeItem::feature("ZEBlackSubGra", 1).withOptions({u"A", u"B"}));
        slot(ui::Feature::ZEBlackFinishSubGra, FakeItem::feature("ZEBlackFinishSubGra", 1).withOptions({u"A", u"B"}));

        view.addRange(IDC_CL_PICTURE_FIRST, IDC_CL_PICTURE_LAST, ControlKind::Button);
        view.addRange(IDC_CL_MODE_FIRST, IDC_CL_MODE_LAST, ControlKind::Radio);
        for (int id : {IDC_CL_HALVANE_OPTIONS, IDC_CL_QUILLON_OPTIONS, IDC_CL_ADVANCED, IDC_CL_SWATCH, IDC_DEFAULT,
                       IDC_LOGO})
            view.add(id, ControlKind::Button);
        view.add(IDC_CL_TONER_SAVE, ControlKind::Check);
        view.add(IDC_CL_GAMMA_LABEL, ControlKind::Static);
        view.add(IDC_CL_GAMMA_LIST, ControlKind::Combo);
        context.pluginIni = u"C:\\drivers\\x64\\3\\wren.ini";
    }

    void slot(ui::Feature f, FakeItem item) {
        const std::int32_t sel = item.sel;
        context[f].index = static_cast<std::uint16_t>(tree.add(std::move(item)));
        context[f].sel = sel;
    }
    std::int32_t& sel(ui::Feature f) { return context[f].sel; }

    ui::ColourPage& open() {
        profile.addFile(kCap, "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\n" + modelKeys);
        services = std::make_unique<ui::PageServices>(ui::PageServices{
            profile, spooler, loader, codePage, settings, config, strings, state, tree, context, record, document,
            capabilityFile, u"Wren Test", 1033});
        page = std::make_unique<ui::ColourPage>(*services, view, sheet, registry);
        page->initialize();
        return *page;
    }
    void click(int id) {
        if (view.at(id).kind == ControlKind::Check) view.setChecked(id, !view.checked(id));
        page->command(id, ui::kClicked);
    }
    void choose(int listId, int position) {
        view.listSelect(listId, position);
        page->command(listId, ui::kSelectionChanged);
    }

    std::unique_ptr<ui::PageServices> services;
    std::unique_ptr<ui::ColourPage> page;
};

class ColourFixture : public ::testing::Test, public ColourSheet {
protected:
    void SetUp() override { prepare(); }
};

}  // namespace wren::test
