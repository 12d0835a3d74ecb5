// The About dialog's texts: the driver version rules of the version file,
// and the printer description's version and copyright lines.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "fakes.h"
#include "fake_dialog_view.h"
#include "ui/about/about_dialog.h"
#include "ui/about/about_texts.h"
#include "ui/colour/colour_ids.h"
#include "ui/pages/control_events.h"

namespace wren::test {
namespace {

std::string narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(DriverVersionText, FollowsOptionVerThenDriverVerAndInternalVer) {
    struct Row {
        std::u16string option, driver, internal;
        std::string expected;
    };
    const Row rows[] = {
        {u"2.5 special", u"06/21/2012,1.0.3.0", u"A-B-C", "2.5 special"},
        {u"", u"06/21/2012,1.0.3.0", u"", "1.0.3"},
        {u"", u"06/21/2012,1.0.3.0", u"A-B-C", "1.0.3C"},
        {u"", u"06/21/2012,1.0.3.0", u"WREN-C5-R2", "1.0.3R2"},
        {u"", u"06/21/2012,1.0.3.0", u"A-B", "1.0.3"},              // no second hyphen
        {u"", u"06/21/2012,1.0.3.0", u"A-B-C-D", "1.0.3C-D"},       // only the second is used
        {u"", u"06/21/2012,1.0.3.0", u"\"A-B\"-C-D", "1.0.3D"},     // hyphens in quotes do not count
        {u"", u"06/21/2012,1.0.3.0", u"A-B-\"R 7\"", "1.0.3R 7"},    // a quoted tail loses its quotes
        {u"", u"06/21/2012,1.0\" x", u"", "1.0"},               // up to a double quote
        {u"", u"no comma", u"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(narrow(row.internal));
        EXPECT_EQ(narrow(ui::DriverVersionText(row.option, row.driver, row.internal)), row.expected);
    }
}

TEST(DriverVersionText, ATailThatWouldNotFitTheFieldIsLeftOut) {
    const std::u16string longTail = u"A-B-" + std::u16string(300, u'x');
    EXPECT_EQ(narrow(ui::DriverVersionText(u"", u"d,1.0.3.0", longTail)), "1.0.3");
    const std::u16string fits = u"A-B-" + std::u16string(245, u'x');
    EXPECT_EQ(ui::DriverVersionText(u"", u"d,1.0.3.0", fits).size(), 5u + 245u);
}

TEST(PpdLines, FileVersionAndCopyrightAreTakenFromTheirFirstLines) {
    const std::string ppd =
        "*PPD-Adobe: \"4.3\"\r\n*% Copyright (C) 2012 The Wren sample\r\n*FileVersion: \"3.1\"\r\n"
        "*FileVersion: \"9.9\"\n";
    EXPECT_EQ(ui::PpdFileVersion(ppd), "3.1");
    EXPECT_EQ(ui::PpdCopyright(ppd), "Copyright (C) 2012 The Wren sample");
    EXPECT_EQ(ui::PpdFileVersion("*FileVersion: 3.1\n*FileVersion: \"4.0"), "4.0");  // quote to the end
    EXPECT_EQ(ui::PpdFileVersion("nothing here\n"), "");
    EXPECT_EQ(ui::PpdCopyright(""), "");
}

TEST(PpdLines, EveryTextIsBoundedByItsField) {
    const std::string version = "*FileVersion: \"" + std::string(100, '7') + "\"\n";
    EXPECT_EQ(ui::PpdFileVersion(version), std::string(31, '7'));
    const std::string copyright = "Copyright " + std::string(400, 'c') + "\n";
    // A line is read 255 bytes at a time: the text after the blank is what
    // the first piece holds.
    EXPECT_EQ(ui::PpdCopyright(copyright), std::string(255 - 10, 'c'));
    // A key that a line longer than 255 bytes pushes into its second piece
    // is found in that piece.
    const std::string late = std::string(300, '*') + "FileVersion \"5\"\n";
    EXPECT_EQ(ui::PpdFileVersion(late), "5");
}

TEST(PrinterDescriptionPath, IsThePluginIniUpToItsFirstDotThenPpd) {
    EXPECT_EQ(ui::PrinterDescriptionPath(u"C:\\drivers\\x64\\3\\wren.ini"), u"C:\\drivers\\x64\\3\\wren.PPD");
    EXPECT_EQ(ui::PrinterDescriptionPath(u"C:\\a.b\\wren.ini"), u"C:\\a.PPD");
    EXPECT_EQ(ui::PrinterDescriptionPath(u"no dot"), u"");
    EXPECT_EQ(ui::PrinterDescriptionPath(std::u16string(300, u'a') + u".ini"), u"");
    EXPECT_EQ(ui::PrinterDescriptionPath(u"C:\\\u0141.ini"), u"C:\\A.PPD");  // narrowed to the low byte
}

class MemoryFiles : public FileSource {
public:
    std::map<std::u16string, std::string> files;
    std::unique_ptr<ReadableFile> openShared(std::u16string_view path) const override {
        auto it = files.find(std::u16string(path));
        if (it == files.end()) return nullptr;
        struct Reader : ReadableFile {
            std::string text;
            std::size_t at = 0;
            std::optional<std::size_t> read(void* buffer, std::size_t size) override {
                const std::size_t n = std::min(size, text.size() - at);
                std::copy_n(text.data() + at, n, static_cast<char*>(buffer));
                at += n;
                return n;
            }
        };
        auto reader = std::make_unique<Reader>();
        reader->text = it->second;
        return reader;
    }
};

TEST(ReadAboutTexts, CollectsTheFourTextsOfTheInstalledPrinter) {
    FakeProfile profile;
    FakeSpooler spooler;
    PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x40);
    spooler.printers[printer].dependentFiles =
        FakeSpooler::list({u"C:\\d\\3\\wren.ini", u"C:\\d\\3\\wren.cap", u"C:\\d\\3\\wren.ver"});
    profile.addFile(u"C:\\d\\3\\wren.ver", "[Version]\nDriverVer=06/21/2012,1.0.3.0\nInternalVer=A-B-C\n");
    MemoryFiles files;
    files.files[u"C:\\d\\3\\wren.PPD"] = "*% Copyright 2012 Wren\n*FileVersion: \"3.1\"\n";
    DriverConfig config{spooler, profile, printer};

    const ui::AboutTexts texts = ui::ReadAboutTexts(profile, config, files, u"C:\\d\\3\\wren.ini");
    EXPECT_EQ(texts.driverName, u"Wren ZE Colour PS");
    EXPECT_EQ(texts.driverVersion, u"1.0.3C");
    EXPECT_EQ(texts.ppdVersion, u"3.1");
    EXPECT_EQ(texts.copyright, u"Copyright 2012 Wren");
    EXPECT_EQ(ui::InternalVersion(profile, config), u"A-B-C");

    const ui::AboutTexts none = ui::ReadAboutTexts(profile, config, files, u"C:\\elsewhere\\x.ini");
    EXPECT_TRUE(none.ppdVersion.empty());
    EXPECT_TRUE(none.copyright.empty());
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

TEST(AboutDialog, FillsTheFourFieldsAndRevealsTheInternalVersionOnlyWithBothKeys) {
    FakeDialogView view;
    for (int id : {IDC_AB_DRIVER_NAME, IDC_AB_DRIVER_VERSION, IDC_AB_PPD_VERSION, IDC_AB_COPYRIGHT}) view.add(id);
    ui::AboutDialog dialog(view, {u"Wren", u"1.0.3R2", u"1.0.3", u"Copyright x"}, u"WREN-C5-R2");
    dialog.initialize();
    EXPECT_EQ(view.at(IDC_AB_DRIVER_VERSION).text, u"1.0.3R2");
    EXPECT_EQ(view.at(IDC_AB_COPYRIGHT).text, u"Copyright x");
    EXPECT_EQ(dialog.revealedText(true, true, true), u"WREN-C5-R2");
    EXPECT_EQ(dialog.revealedText(true, false, true), u"");
    EXPECT_EQ(dialog.revealedText(true, true, false), u"");
    dialog.command(ui::kIdOk, 0);
    EXPECT_EQ(view.endResult, 1);
}

TEST(AboutDialog, TheVersionFieldCountsOnlyStrictlyInsideAndTheTextGoesBelowTheCopyright) {
    const ui::PixelRect field{10, 20, 110, 40};
    EXPECT_TRUE(ui::StrictlyInside(field, 11, 21));
    EXPECT_FALSE(ui::StrictlyInside(field, 10, 30));
    EXPECT_FALSE(ui::StrictlyInside(field, 50, 40));
    const ui::PixelRect area = ui::InternalVersionArea({0, 0, 300, 200}, {20, 100, 280, 120});
    EXPECT_EQ(area.left, 10);
    EXPECT_EQ(area.right, 290);
    EXPECT_EQ(area.top, 122);
    EXPECT_EQ(area.bottom, 142);
}

}  // namespace
}  // namespace wren::test
