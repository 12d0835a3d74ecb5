// Reading what the printer reports: the option data file's keys, the
// printer tree's selections, "Usertype", and which library is asked.
#include <gtest/gtest.h>

#include "options_fakes.h"
#include "ui/options/installed_options.h"
#include "ui/options/option_query.h"

namespace wren::ui {
namespace {

using test::FakeCodePage;
using test::FakeLibraryLoader;
using test::FakeOptionLibraries;
using test::FakeProfile;

constexpr char16_t kData[] = u"C:\\net\\options.dat";

InstalledOptions read(const std::string& section, OptionSource source = OptionSource::Network) {
    FakeProfile profile;
    profile.addFile(kData, "[Wren Test]\n" + section);
    auto options = ReadInstalledOptions(profile, kData, u"Wren Test", source);
    EXPECT_TRUE(options.has_value());
    return options.value_or(InstalledOptions{});
}

TEST(OptionValues, InstalledBitsGiveTraysAndUnits) {
    struct Case {
        const char* installed;
        int trays, duplexSel, mpfSel, finisherSel;
    };
    const Case cases[] = {
        {"0x0A", 4, 1, 0, 0},  // bit 3 is the highest tray bit
        {"0x00", 0, 1, 0, 0},
        {"0x30", 0, 0, 1, 0},  // duplex and MPF installed
        {"0x41", 1, 1, 0, 1},
        {"0xFF", 4, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.installed);
        const InstalledOptions o = read(std::string("Installed=") + c.installed + "\n");
        EXPECT_EQ(o.trays(), c.trays);
        const OptionSelections s = SelectionsFor(o, {}, true);
        EXPECT_EQ(s[2], c.trays);
        EXPECT_EQ(s[1], c.duplexSel);
        EXPECT_EQ(s[5], c.mpfSel);
        EXPECT_EQ(s[4], c.finisherSel);
    }
}

TEST(OptionValues, HardDiskAndMemoryComeFromTheLibrarysOwnKeys) {
    const std::string text = "Installed=0x80\nHard Disk=0\nRandom Access Memory=512\nRAM=256\n";
    const InstalledOptions net = read(text, OptionSource::Network);
    EXPECT_FALSE(net.hardDisk);
    EXPECT_EQ(net.memoryMb, 512);
    const InstalledOptions usb = read(text, OptionSource::Usb);
    EXPECT_TRUE(usb.hardDisk);  // bit 7
    EXPECT_EQ(usb.memoryMb, 256);
    EXPECT_EQ(SelectionsFor(net, {}, true)[0], 1);  // no hard disk: option 1
    EXPECT_EQ(SelectionsFor(usb, {}, true)[0], 0);
}

TEST(OptionValues, UsbMemoryIsTheDecimalNumberAtTheStartOfItsText) {
    const struct { const char* ram; std::int32_t mb; } cases[] = {
        {"  256", 256}, {"+512MB", 512}, {"0x200", 0}, {"-4", -4}, {"MB", 0}, {"99999999999", INT32_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ram);
        EXPECT_EQ(read(std::string("RAM=") + c.ram + "\n", OptionSource::Usb).memoryMb, c.mb);
    }
}

TEST(OptionValues, MemoryMatchesTheOptionNamesWithoutTheirUnit) {
    const std::vector<std::u16string> names{u"128 MB", u"256 MB", u"1024 MB"};
    EXPECT_EQ(MemorySelection(256, names), 1);
    EXPECT_EQ(MemorySelection(1024, names), 2);
    EXPECT_EQ(MemorySelection(512, names), 0);  // none matches
    // Names whose number does not parse, or that are too short, match nothing.
    const std::vector<std::u16string> odd{u"MB", u"", u"2x6 MB", u"-256 MB", u"99999999999 MB", u"256 MB"};
    EXPECT_EQ(MemorySelection(256, odd), 5);
    EXPECT_EQ(MemorySelection(0, odd), 0);
}

TEST(OptionValues, JobLimitIsOffOnNewerSystemsWhateverThePrinterSays) {
    const InstalledOptions limited = read("JobLimitationMode=1\n");
    EXPECT_EQ(SelectionsFor(limited, {}, false)[7], 0);
    EXPECT_EQ(SelectionsFor(limited, {}, true)[7], 1);
    const InstalledOptions free = read("JobLimitationMode=0\n");
    EXPECT_EQ(SelectionsFor(free, {}, false)[7], 1);
}

TEST(OptionValues, PunchAndSpotColour) {
    EXPECT_EQ(SelectionsFor(read("PunchType=3\n"), {}, true)[6], 1);
    EXPECT_EQ(SelectionsFor(read("PunchType=0\n"), {}, true)[6], 0);
    EXPECT_EQ(SelectionsFor(read("SpotColor=2\n"), {}, true)[8], 2);
    // No option is defined for other values: the item is left alone.
    EXPECT_FALSE(SelectionsFor(read("SpotColor=3\n"), {}, true)[8].has_value());
    EXPECT_FALSE(SelectionsFor(read("SpotColor=-1\n"), {}, true)[8].has_value());
}

TEST(OptionValues, AFileWithoutThePrintersSectionSaysNothing) {
    FakeProfile profile;
    profile.addFile(kData, "[Other Printer]\nInstalled=0x0F\n");
    EXPECT_FALSE(ReadInstalledOptions(profile, kData, u"Wren Test", OptionSource::Network));
    EXPECT_FALSE(ReadInstalledOptions(profile, u"C:\\missing.dat", u"Wren Test", OptionSource::Network));
}

TEST(OptionValues, UserTypesAreReplacedUpToTheFirstGap) {
    FakeProfile profile;
    profile.addFile(kData, "[Wren Test]\nUSERTYPE1=Thick\nUSERTYPE2=\nUSERTYPE4=Never\n");
    profile.addFile(u"C:\\3\\wren.ini", "[Usertype]\nUSERTYPE1=Old\nUSERTYPE3=Stale\n");
    RefreshUserTypes(profile, kData, u"Wren Test", u"C:\\3\\wren.ini");
    EXPECT_EQ(profile.readString(u"C:\\3\\wren.ini", u"Usertype", u"USERTYPE1", 64, u"-"), u"Thick");
    EXPECT_EQ(profile.readString(u"C:\\3\\wren.ini", u"Usertype", u"USERTYPE2", 64, u"-"), u"");
    EXPECT_EQ(profile.readString(u"C:\\3\\wren.ini", u"Usertype", u"USERTYPE3", 64, u"-"), u"-");
    EXPECT_EQ(profile.readString(u"C:\\3\\wren.ini", u"Usertype", u"USERTYPE4", 64, u"-"), u"-");
}

class OptionQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        libs = FakeOptionLibraries{};
        loader.libraries[u"zenetopt.dll"] = FakeOptionLibraries::network();
        loader.libraries[u"C:\\3\\zeusbopt.dll"] = FakeOptionLibraries::usb();
        profile.addFile(u"C:\\net\\options.dat", "[Wren Test]\nInstalled=0x21\nHard Disk=1\n");
        profile.addFile(u"C:\\app\\zeusbopt.dat", "[Wren Test]\nInstalled=0x83\nRAM=256\n");
        target.printerName = u"Wren Test";
        target.portName = u"IP_10.0.0.5";
        target.networkLibrary = u"zenetopt.dll";
        target.usbLibrary = u"C:\\3\\zeusbopt.dll";
        target.usbDataFile = u"C:\\app\\zeusbopt.dat";
        target.window = &target;
    }
    FakeOptionLibraries& libs = FakeOptionLibraries::current();
    FakeLibraryLoader loader;
    FakeProfile profile;
    FakeCodePage codePage;
    OptionQueryTarget target;
    OptionQueryPorts ports{loader, profile, codePage};
};

TEST_F(OptionQueryTest, PortNamesBeginningWithUsbInAnyCaseTakeTheUsbLibrary) {
    for (const char16_t* port : {u"USB001", u"usb001", u"Usb"}) {
        target.portName = port;
        libs.calls.clear();
        auto options = QueryOnActivation(ports, target);
        ASSERT_TRUE(options);
        EXPECT_TRUE(options->hardDisk);
        EXPECT_EQ(options->memoryMb, 256);
        EXPECT_EQ(libs.calls, (std::vector<std::string>{"ReadPrinterOptionUSB Wren Test",
                                                        "ReadPrinterOptionUSB2 Wren Test"}));
    }
    for (const char16_t* port : {u"LPT1:", u"US", u"IP_10.0.0.5", u"xUSB"}) {
        target.portName = port;
        libs.calls.clear();
        ASSERT_TRUE(QueryOnActivation(ports, target));
        EXPECT_EQ(libs.calls.front(), "IsValidPort Wren Test");
        EXPECT_EQ(libs.lastFlags, 0xA00000u);
    }
}

TEST_F(OptionQueryTest, ActivationNeedsEveryNetworkAnswerAndAPlainOne) {
    ASSERT_TRUE(QueryOnActivation(ports, target));
    libs.readFlags = 2;  // non-zero, but not the plain success activation wants
    EXPECT_FALSE(QueryOnActivation(ports, target));
    libs.readFlags = 1;
    libs.capability = 0;
    EXPECT_FALSE(QueryOnActivation(ports, target));
    libs.capability = 1;
    libs.isValidPort = 0;
    EXPECT_FALSE(QueryOnActivation(ports, target));
}

// The page's query over USB goes by the read that writes the data file;
// the installer's refresh needs both reads.
TEST_F(OptionQueryTest, OverUsbThePageGoesByTheSecondReadTheInstallerNeedsBoth) {
    target.portName = u"USB001";
    libs.usb1 = 0;
    EXPECT_TRUE(QueryOnActivation(ports, target));
    EXPECT_TRUE(ReadOverUsb(ports, target, UsbReads::SecondDecides));
    EXPECT_FALSE(ReadOverUsb(ports, target, UsbReads::BothSucceed));
    libs.usb1 = 1;
    libs.usb2 = 0;
    EXPECT_FALSE(QueryOnActivation(ports, target));
    EXPECT_FALSE(ReadOverUsb(ports, target, UsbReads::BothSucceed));
}

TEST_F(OptionQueryTest, TheButtonTakesAnyNonZeroAnswerAndPassesTheSheet) {
    libs.readFlags = 2;
    auto options = QueryFromButton(ports, target);
    ASSERT_TRUE(options);
    EXPECT_EQ(libs.lastFlags, 0x800080u);
    EXPECT_EQ(libs.lastWindow, &target);
    EXPECT_EQ(options->trays(), 1);
    EXPECT_TRUE(options->duplex());
    EXPECT_EQ(loader.live, 0);  // unloaded after the query
    libs.dataFileName = 0;
    EXPECT_FALSE(QueryFromButton(ports, target));
}

TEST_F(OptionQueryTest, AMissingLibraryOrExportCountsAsAZeroAnswer) {
    auto exports = FakeOptionLibraries::network();
    exports.erase("GetDataFileName");
    loader.libraries[u"zenetopt.dll"] = exports;
    EXPECT_FALSE(QueryFromButton(ports, target));
    exports.erase("IsValidPort");
    loader.libraries[u"zenetopt.dll"] = exports;
    EXPECT_FALSE(PortIsQueryable(ports, target));
    target.networkLibrary.clear();
    EXPECT_FALSE(PrinterSupportsQuery(ports, target));
    target.portName = u"USB001";
    auto usb = FakeOptionLibraries::usb();
    usb.erase("ReadPrinterOptionUSB2");
    loader.libraries[u"C:\\3\\zeusbopt.dll"] = usb;
    EXPECT_FALSE(QueryOnActivation(ports, target));
}

// The library writes the name in the system code page.
TEST_F(OptionQueryTest, TheDataFileNameIsReadInTheSystemCodePage) {
    libs.dataFile = "C:\\net\\\xC0.dat";
    profile.addFile(u"C:\\net\\\u0410.dat", "[Wren Test]\nInstalled=0x20\n");
    auto options = QueryFromButton(ports, target);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->duplex());
}

TEST_F(OptionQueryTest, AnOverlongDataFileNameIsCutAtItsBuffer) {
    libs.dataFile = std::string(600, 'x');
    EXPECT_FALSE(QueryFromButton(ports, target));  // a file that is not there, read within bounds
}

}  // namespace
}  // namespace wren::ui
