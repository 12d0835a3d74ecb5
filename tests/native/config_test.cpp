#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/config/dependent_files.h"
#include "common/config/driver_config.h"
#include "fakes.h"

namespace wren::test {
namespace {

TEST(DependentFiles, LaterMatchesWinAndCaseDoesNotMatter) {
    FakeProfile profile;
    profile.addFile(u"C:\\d\\wren.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n");
    auto files = scanDependentFiles(
        FakeSpooler::list({u"C:\\d\\first.cap", u"C:\\d\\wren.ini", u"C:\\d\\other.ini", u"C:\\d\\Second.CaP"}),
        profile, 64);
    EXPECT_TRUE(files.found);
    EXPECT_EQ(files.capabilityFile, u"C:\\d\\Second.CaP");
    ASSERT_TRUE(files.pluginIni);
    EXPECT_EQ(*files.pluginIni, u"C:\\d\\wren.ini") << "an .ini without OEMFiles does not replace it";
}

TEST(DependentFiles, AnIniWithoutOemFilesStillCountsAsFound) {
    FakeProfile profile;
    auto files = scanDependentFiles(FakeSpooler::list({u"C:\\d\\setup.INI"}), profile, 64);
    EXPECT_TRUE(files.found);
    EXPECT_FALSE(files.pluginIni);
    EXPECT_TRUE(files.capabilityFile.empty());
    EXPECT_FALSE(scanDependentFiles(FakeSpooler::list({u"C:\\d\\a.dll", u"cap", u".ca"}), profile, 64).found);
    EXPECT_FALSE(scanDependentFiles(std::u16string(), profile, 64).found);
}

TEST(DependentFiles, OnlyTheFirst3072CharactersAreExamined) {
    FakeProfile profile;
    std::u16string filler(3060, u'x');
    // The .cap name straddles the limit: it is cut and must not be taken.
    auto files = scanDependentFiles(FakeSpooler::list({filler, u"C:\\d\\too\\far\\away\\wren.cap"}), profile, 64);
    EXPECT_FALSE(files.found);
    auto near = scanDependentFiles(FakeSpooler::list({std::u16string(200, u'x'), u"C:\\d\\wren.cap"}), profile, 64);
    EXPECT_EQ(near.capabilityFile, u"C:\\d\\wren.cap");
    // A single name too long for any path buffer is skipped.
    auto longName = scanDependentFiles(FakeSpooler::list({std::u16string(300, u'y') + u".cap"}), profile, 64);
    EXPECT_FALSE(longName.found);
}

TEST(DependentFiles, TheOemConfigValueIsReadIntoTheCallersBuffer) {
    FakeProfile profile;
    profile.addFile(u"a.ini", "[OEMFiles]\nOEMConfigFile1=x\n");
    auto files = scanDependentFiles(FakeSpooler::list({u"a.ini"}), profile, 1);  // room for nothing
    EXPECT_FALSE(files.pluginIni);
}

TEST(DependentFiles, VersionFileAndFolder) {
    auto list = FakeSpooler::list({u"C:\\d\\a.VER", u"C:\\d\\b.ver", u"C:\\d\\c.dll"});
    EXPECT_EQ(findVersionFile(list).value_or(u"-"), u"C:\\d\\b.ver");
    EXPECT_FALSE(findVersionFile(FakeSpooler::list({u"x.dll"})));
    EXPECT_EQ(folderOfPath(u"C:\\drv\\3\\wren.ini").value_or(u"-"), u"C:\\drv\\3\\");
    EXPECT_EQ(folderOfPath(u"C:\\my.drivers\\3\\wren.ini").value_or(u"-"), u"C:\\");
    EXPECT_FALSE(folderOfPath(u"noext"));
    EXPECT_FALSE(folderOfPath(u"wren.ini"));
}

TEST(DriverConfig, ModelSectionKeysAndTheDriverFilePath) {
    FakeProfile profile;
    FakeSpooler spooler;
    PrinterHandle printer = reinterpret_cast<PrinterHandle>(1);
    spooler.printers[printer].dependentFiles = FakeSpooler::list({u"c.cap"});
    profile.addFile(u"c.cap", "[capability]\nwren ze colour ps = WrenC5\n[WRENC5]\nCryptoDll = \"zecipher.dll\"\nCompression=0x0500\nPSOutputOpt=-1\n");
    DriverConfig config(spooler, profile, printer);
    EXPECT_EQ(config.modelSection(u"c.cap"), u"WrenC5");
    EXPECT_EQ(config.modelKey(u"c.cap", u"cryptodll"), u"zecipher.dll");
    EXPECT_EQ(config.modelKey(u"c.cap", u"CryptoDll", 4), u"zec");
    EXPECT_EQ(config.modelInt(u"c.cap", u"Compression"), 0x500);
    EXPECT_EQ(config.modelInt(u"c.cap", u"PSOutputOpt", 7), -1);
    EXPECT_EQ(config.modelInt(u"c.cap", u"Missing", 7), 7);
    EXPECT_EQ(config.driverFilePath(u"zecipher.dll"), u"C:\\drivers\\x64\\3\\zecipher.dll");

    spooler.printers[printer].driverName = u"Another Driver";
    DriverConfig other(spooler, profile, printer);
    EXPECT_EQ(other.modelKey(u"c.cap", u"CryptoDll"), u"");
    EXPECT_EQ(other.modelInt(u"c.cap", u"Compression"), 0);
    spooler.driverDirectory.reset();
    EXPECT_EQ(other.driverFilePath(u"x.dll"), u"") << "no path at the root of the current drive";
}

TEST(ProfileSemantics, IntegersParseLikeThePlatform) {
    EXPECT_EQ(parseProfileInt(u"0x0500"), 0x500);
    EXPECT_EQ(parseProfileInt(u"  42abc"), 42);
    EXPECT_EQ(parseProfileInt(u"-1"), -1);
    EXPECT_EQ(parseProfileInt(u"0X1f"), 31);
    EXPECT_EQ(parseProfileInt(u"0b101"), 5);
    EXPECT_EQ(parseProfileInt(u"abc"), 0);
    EXPECT_EQ(parseProfileInt(u"4294967295"), -1);
}

TEST(ProfileSemantics, DocumentsIgnoreCommentsDuplicatesAndQuotes) {
    auto doc = IniDocument::parse(fromUtf8("; c\n[A]\nk=1\nK=2\n[a]\nj = ' spaced ' \n[B]\nnoequals\n"));
    EXPECT_EQ(doc.value(u"a", u"K").value_or(u"-"), u"1");
    EXPECT_EQ(doc.value(u"A", u"j").value_or(u"-"), u" spaced ");
    EXPECT_EQ(doc.value(u"b", u"noequals").value_or(u"-"), u"");
    EXPECT_FALSE(doc.value(u"C", u"k"));
    EXPECT_EQ(toUtf8(fromUtf8("Gr\xC3\xBC\xC3\x9F \xF0\x9F\x96\xA8")), "Gr\xC3\xBC\xC3\x9F \xF0\x9F\x96\xA8");
}

TEST(ProfileSemantics, IrregularLinesAreReadAsThePlatformReadsThemAndNamed) {
    using Kind = IniDocument::Irregularity::Kind;
    auto doc = IniDocument::parse(fromUtf8("early=1\n[printer\nname=P\nNAME=Q\n[ok]\nk=1\n"));
    EXPECT_EQ(doc.value(u"printer", u"name").value_or(u"-"), u"P") << "an unclosed header still opens its section";
    EXPECT_FALSE(doc.value(u"", u"early"));
    const auto& found = doc.irregularities();
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].kind, Kind::KeyOutsideSection);
    EXPECT_EQ(found[0].lineNumber, 1u);
    EXPECT_EQ(found[1].kind, Kind::UnclosedSection);
    EXPECT_EQ(found[1].line, u"[printer");
    EXPECT_EQ(found[2].kind, Kind::DuplicateKey);
    EXPECT_EQ(found[2].lineNumber, 4u);
    EXPECT_TRUE(IniDocument::parse(fromUtf8("; c\n[A]\nk=1\n[a]\nj=2\n")).irregularities().empty())
        << "a section given twice is one section, not a mistake";
}

TEST(ProfileSemantics, SetReplacesTheFirstMatchAndKeepsTheOrder) {
    auto doc = IniDocument::parse(fromUtf8("[S]\nb=1\na=2\n"));
    doc.set(u"s", u"A", u"3");
    doc.set(u"s", u"c", u"4");
    doc.set(u"New", u"k", u"5");
    ASSERT_EQ(doc.sections().size(), 2u);
    const auto& entries = doc.sections()[0].entries;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].key, u"a");
    EXPECT_EQ(entries[1].value, u"3");
    EXPECT_EQ(entries[2].key, u"c");
    EXPECT_EQ(doc.value(u"NEW", u"K").value_or(u"-"), u"5");
}

TEST(ProfileSemantics, ManyKeysAreReadInLinearTime) {
    std::string text = "[Big]\n";
    for (int i = 0; i < 20000; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    text += "KEY19999=again\n";
    for (int i = 0; i < 2000; ++i) text += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
    auto start = std::chrono::steady_clock::now();
    auto doc = IniDocument::parse(fromUtf8(text));
    for (int i = 0; i < 20000; i += 7) ASSERT_TRUE(doc.value(u"big", fromUtf8("key" + std::to_string(i))));
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(doc.sections()[0].entries.size(), 20000u);
    EXPECT_EQ(doc.value(u"BIG", u"key19999").value_or(u"-"), u"19999");
    EXPECT_EQ(doc.value(u"s1999", u"K").value_or(u"-"), u"1999");
    // About 0.3 s under the sanitizers; a reader that searches the section
    // for every key needs minutes for this, so the bound leaves room for a
    // busy machine without letting that through.
    EXPECT_LT(elapsed, std::chrono::seconds(3));
}

}  // namespace
}  // namespace wren::test
