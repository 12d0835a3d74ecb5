// Printer initialisation and the installer's two exports, through the
// ports: what is asked of the spooler, the file system and the registry.
#include <gtest/gtest.h>

#include "options_fakes.h"
#include "ui/options/default_devmode.h"
#include "ui/options/file_opening.h"
#include "ui/options/installer_exports.h"
#include "ui/options/printer_init.h"

namespace wren::ui {
namespace {

using namespace std::string_literals;
using test::bytesOf;
using test::textOf;

constexpr char16_t kDir[] = u"C:\\drivers\\x64\\3\\";
const std::u16string kIni = std::u16string(kDir) + u"wren.ini";
const std::u16string kCap = std::u16string(kDir) + u"wren.cap";
const std::u16string kZelopt = u"C:\\windows\\zelopt.dat";
const std::u16string kUsbData = u"C:\\users\\wren\\AppData\\Roaming\\zeusbopt.dat";

class PrinterInitTest : public ::testing::Test, protected test::FakeInstallerPorts {
protected:
    void SetUp() override {
        test::FakeOptionLibraries::current() = test::FakeOptionLibraries{};
        test::FakeAdminPrinter p;
        p.devModes[DevModeSource::GlobalDefault] = test::makeDevMode(u"Wren Test");
        handle = admin.add(u"Wren Test", p);
        admin.events = &system.events;
        spooler.printers[handle].dependentFiles = test::FakeSpooler::list({kIni, kCap});
        profile.addFile(kIni, "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n");
        profile.addFile(kCap, "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nPSOutputOpt=2\n"
                              "DEFAULT_PAPER_SIZE=9\nDEFAULT_PAPER_SOURCE=15\nUSBExtDLL=zeusbopt.dll\n"
                              "USBExtDAT=zeusbopt.dat\nCCMInfoFile=wrenccm.dat\n");
        registry.keys[u"Wren Test"][u"FeatureKeyword"] = bytesOf(keywords);
        registry.keys[u"Wren Test"][u"FeatureKeywordSize"] = test::dwordBytes(std::uint32_t(keywords.size()));
        loader.libraries[std::u16string(kDir) + u"zeusbopt.dll"] = test::FakeOptionLibraries::usb();
    }
    void addZelopt(const std::string& text) {
        profile.addFile(kZelopt, text);
        system.files.insert(kZelopt);
    }
    int initialise() { return InitialisePrinter(u"Wren Test", u"PSCRIPT5.DLL", ports, lookup); }
    test::FakeAdminPrinter& printer() { return admin.at(handle); }

    const std::string keywords = "ZEHDD\0False\0\nZEOptionDuplex\0False\0\n\0\0"s;
    LookupState lookup;
    PrinterHandle handle = nullptr;
};

TEST_F(PrinterInitTest, MarksTheUserModeDriverOnlyWhenAbsent) {
    EXPECT_EQ(initialise(), kInitialised);
    const auto& value = printer().data.at(u"SPLUserModePrinterDriver");
    EXPECT_EQ(value.size(), (12 + 1) * 2u);  // UTF-16 with its terminator
    EXPECT_EQ(value[0], 'P');
    printer().data[u"SPLUserModePrinterDriver"] = {'x', 0, 0, 0};
    EXPECT_EQ(initialise(), kInitialised);
    EXPECT_EQ(printer().data.at(u"SPLUserModePrinterDriver")[0], 'x');
    // An empty value counts as absent, and a refused write fails the event.
    printer().data[u"SPLUserModePrinterDriver"] = {};
    printer().refuseDataWrites = true;
    EXPECT_EQ(initialise(), kInitialisationFailed);
    EXPECT_EQ(admin.opened, admin.closed);
}

TEST_F(PrinterInitTest, AMissingPrinterIsNotAFailure) {
    EXPECT_EQ(InitialisePrinter(u"Nobody", u"PSCRIPT5.DLL", ports, lookup), kInitialised);
}

TEST_F(PrinterInitTest, OpensUpTheIniThePpdAndTheColourFile) {
    initialise();
    const std::string dir = "C:\\drivers\\x64\\3\\";
    EXPECT_EQ(security.steps, (std::vector<std::string>{
                                  "grant " + dir + "wren.ini", "writable " + dir + "wren.ini",
                                  "grant " + dir + "wren.PPD", "writable " + dir + "wren.PPD",
                                  "grant C:\\drivers\\x64\\3\\wrenccm.dat", "writable C:\\drivers\\x64\\3\\wrenccm.dat"}));
    EXPECT_EQ(lookup.pluginIni, kIni);
    EXPECT_EQ(lookup.capabilityFile, kCap);
}

TEST(FileOpening, RefusedDaclFallsBackToOwnershipWithThePrivilege) {
    test::FakeFileSecurity s;
    s.refuse = {"grant"};
    s.ownNeedsPrivilege = true;
    OpenUpFile(s, u"f");
    EXPECT_EQ(s.steps, (std::vector<std::string>{"grant f", "own f", "privilege on", "own f", "grant f",
                                                 "privilege off", "writable f"}));
    test::FakeFileSecurity plain;
    plain.refuse = {"grant"};
    OpenUpFile(plain, u"f");
    EXPECT_EQ(plain.steps, (std::vector<std::string>{"grant f", "own f", "grant f", "privilege off", "writable f"}));
}

TEST(FileOpening, ThePpdPathReplacesTheThreeCharactersAfterTheFirstDot) {
    EXPECT_EQ(PpdBesidePluginIni(u"C:\\3\\wren.ini"), u"C:\\3\\wren.PPD");
    // The first dot counts, wherever it is: the result then names no file, which is only not opened up.
    EXPECT_EQ(PpdBesidePluginIni(u"C:\\a.b\\wren.ini"), u"C:\\a.PPDren.ini");
    EXPECT_EQ(PpdBesidePluginIni(u"C:\\3\\wren.i"), u"C:\\3\\wren.PPD");
    EXPECT_FALSE(PpdBesidePluginIni(u"C:\\3\\wren"));
    EXPECT_FALSE(PpdBesidePluginIni(std::u16string(300, u'a') + u".ini"));  // beyond 257 characters
}

TEST_F(PrinterInitTest, TheDefaultDevModeGetsTheModelsDefaultsAsTheSpooler) {
    addZelopt("[Wren Test]\nInstalled=0x20\nDrvInst_DuplexPrinting=2\n");
    initialise();
    ASSERT_TRUE(printer().stored.count(8));
    const DevModeBytes& dm = printer().stored.at(8);
    EXPECT_EQ(dm[kPsOutputOptionOffset], 2);
    const PublicDevmode pub = test::publicOf(dm);
    EXPECT_EQ(pub.dmPaperSize, 9);
    EXPECT_EQ(pub.dmDefaultSource, 15);
    EXPECT_EQ(pub.dmDuplex, 2);
    EXPECT_EQ(system.events, (std::vector<std::string>{"open", "revert", "open", "setDevMode 8", "impersonate"}));
}

TEST_F(PrinterInitTest, DevModeFallsBackAndKeepsWhatTheModelLeavesAlone) {
    struct Case { const char* psOut; std::uint8_t expected; };
    for (const Case c : {Case{"4", 0xAB}, Case{"-1", 0xAB}, Case{"0", 0}, Case{"3", 3}}) {
        SCOPED_TRACE(c.psOut);
        profile.addFile(kCap, std::string("[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nPSOutputOpt=") + c.psOut +
                                  "\n");
        printer().devModes.clear();
        DevModeBytes built = test::makeDevMode(u"Wren Test");
        built[kPsOutputOptionOffset] = 0xAB;
        printer().devModes[DevModeSource::DriverBuilt] = built;
        printer().stored.clear();
        initialise();
        ASSERT_TRUE(printer().stored.count(8));
        EXPECT_EQ(printer().stored.at(8)[kPsOutputOptionOffset], c.expected);
        EXPECT_EQ(test::publicOf(printer().stored.at(8)).dmPaperSize, 0);
    }
    // A DEVMODE too short for the output option keeps its bytes in bounds.
    DevModeBytes shortDm = test::makeDevMode(u"Wren Test", 230);
    printer().devModes[DevModeSource::DriverBuilt] = shortDm;
    printer().stored.clear();
    initialise();
    EXPECT_EQ(printer().stored.at(8).size(), 230u);
}

TEST_F(PrinterInitTest, MachineOptionsUpdateTheRegistryKeywordsAndUserTypes) {
    addZelopt("[Wren Test]\nInstalled=0x20\nHard Disk=1\nUSERTYPE1=Thick\n");
    initialise();
    EXPECT_EQ(textOf(registry.keys[u"Wren Test"][u"FeatureKeyword"]),
              "ZEHDD\0True\0\nZEOptionDuplex\0True\0\n\0\0"s);
    EXPECT_EQ(registry.keys[u"Wren Test"][u"FeatureKeywordSize"], test::dwordBytes(35));
    EXPECT_EQ(profile.readString(kIni, u"Usertype", u"USERTYPE1", 64, u"-"), u"Thick");
}

TEST_F(PrinterInitTest, WithoutAPluginIniTheRestIsStillDoneAndAnEarlierPrintersIniIsLeftAlone) {
    // An earlier printer's lookup in this process found its own INI file.
    const std::u16string other = u"C:\\drivers\\x64\\3\\other.ini";
    profile.addFile(other, "[Usertype]\nUSERTYPE1=Kept\n");
    lookup.pluginIni = other;
    spooler.printers[handle].dependentFiles = test::FakeSpooler::list({kCap});
    addZelopt("[Wren Test]\nHard Disk=1\nUSERTYPE1=Thick\n");
    EXPECT_EQ(initialise(), kInitialised);
    EXPECT_TRUE(lookup.pluginIni.empty());
    EXPECT_EQ(profile.readString(other, u"Usertype", u"USERTYPE1", 64, u"-"), u"Kept");
    // The colour-correction file is opened up and the default DEVMODE made.
    ASSERT_FALSE(security.steps.empty());
    EXPECT_EQ(security.steps[0], "grant C:\\drivers\\x64\\3\\wrenccm.dat");
    EXPECT_TRUE(printer().stored.count(8));
    EXPECT_EQ(textOf(registry.keys[u"Wren Test"][u"FeatureKeyword"]).substr(0, 11), "ZEHDD\0True\0"s);

    // With neither file found, only the machine options are taken.
    spooler.printers[handle].dependentFiles = test::FakeSpooler::list({u"PSCRIPT5.DLL"});
    security.steps.clear();
    printer().stored.clear();
    registry.keys[u"Wren Test"][u"FeatureKeyword"] = bytesOf(keywords);
    EXPECT_EQ(initialise(), kInitialised);
    EXPECT_TRUE(security.steps.empty());
    EXPECT_FALSE(printer().stored.count(8));
    EXPECT_EQ(textOf(registry.keys[u"Wren Test"][u"FeatureKeyword"]).substr(0, 11), "ZEHDD\0True\0"s);
}

TEST_F(PrinterInitTest, NothingChangesWithoutTheFileTheSectionOrTheKey) {
    const auto before = registry.keys;
    initialise();  // no zelopt.dat
    EXPECT_EQ(registry.keys, before);
    addZelopt("[Other]\nHard Disk=1\n");
    initialise();
    EXPECT_EQ(registry.keys, before);
    addZelopt("[Wren Test]\nHard Disk=1\n");
    registry.keys.clear();
    initialise();
    EXPECT_TRUE(registry.keys.empty());
}

class InstallerExportsTest : public PrinterInitTest {
protected:
    void SetUp() override {
        PrinterInitTest::SetUp();
        printer().devModes[DevModeSource::PerUser] = test::makeDevMode(u"Wren Test");
        lookup.capabilityFile = kCap;
        profile.addFile(kUsbData, "[Wren Test]\nDrvInst_DuplexPrinting=2\nInstalled=0xA0\nRAM=256\n");
        system.files.insert(kUsbData);
    }
};

TEST_F(InstallerExportsTest, NotifySetsDuplexInBothDevModes) {
    EXPECT_EQ(NotifyDrvInstToPrinter(handle, u"Wren Test", ports, lookup), kNotifyDone);
    EXPECT_EQ(test::publicOf(printer().stored.at(9)).dmDuplex, 2);
    EXPECT_EQ(test::publicOf(printer().stored.at(8)).dmDuplex, 2);
    EXPECT_EQ(system.events, (std::vector<std::string>{"setDevMode 9", "setDevMode 8"}));
}

TEST_F(InstallerExportsTest, NotifyReturnCodes) {
    printer().refusedLevels = {9};
    EXPECT_EQ(NotifyDrvInstToPrinter(handle, u"Wren Test", ports, lookup), kNotifyWriteFailed);
    printer().refusedLevels = {8};
    EXPECT_EQ(NotifyDrvInstToPrinter(handle, u"Wren Test", ports, lookup), kNotifyWriteFailed);
    printer().refusedLevels.clear();
    printer().devModes.erase(DevModeSource::PerUser);
    printer().stored.clear();
    EXPECT_EQ(NotifyDrvInstToPrinter(handle, u"Wren Test", ports, lookup), kNotifyDone);
    EXPECT_TRUE(printer().stored.empty());
    system.files.clear();
    EXPECT_EQ(NotifyDrvInstToPrinter(handle, u"Wren Test", ports, lookup), kNotifyNoDataFile);
    printer().devModes.clear();
    EXPECT_EQ(NotifyDrvInstToPrinter(handle, u"Wren Test", ports, lookup), kNotifyDone);  // no default to read
}

TEST_F(InstallerExportsTest, NotifyUsesTheLastLookupOfTheProcess) {
    LookupState none;  // before any lookup
    EXPECT_EQ(NotifyDrvInstToPrinter(handle, u"Wren Test", ports, none), kNotifyNoDataFile);
    EXPECT_TRUE(printer().stored.empty());
}

TEST_F(InstallerExportsTest, ConfigReadsOverUsbOnlyOnUsbPorts) {
    printer().data[u"FeatureKeyword"] = bytesOf(keywords);
    printer().names.portName = u"usb001";
    LookupState fresh;
    EXPECT_EQ(ConfigDeviceOptionExp(handle, ports, fresh), 1u);
    EXPECT_EQ(fresh.capabilityFile, kCap);
    EXPECT_EQ(textOf(printer().data.at(u"FeatureKeyword")), "ZEHDD\0True\0\nZEOptionDuplex\0True\0\n\0\0"s);
    EXPECT_EQ(test::FakeOptionLibraries::current().calls,
              (std::vector<std::string>{"ReadPrinterOptionUSB Wren Test", "ReadPrinterOptionUSB2 Wren Test"}));
}

TEST_F(InstallerExportsTest, ConfigOnAnotherPortReadsNoFile) {
    printer().names.portName = u"LPT1:";
    LookupState fresh;
    EXPECT_EQ(ConfigDeviceOptionExp(handle, ports, fresh), 0u);
    // Only the dependent-file lookup read configuration files.
    EXPECT_TRUE(test::FakeOptionLibraries::current().calls.empty());
    EXPECT_FALSE(printer().data.count(u"FeatureKeyword"));
}

TEST_F(InstallerExportsTest, ConfigFailsWhenTheUsbLibraryFailsOrTheFileSaysNothing) {
    printer().names.portName = u"USB001";
    test::FakeOptionLibraries::current().usb2 = 0;
    EXPECT_EQ(ConfigDeviceOptionExp(handle, ports, lookup), 0u);
    test::FakeOptionLibraries::current().usb2 = 1;
    profile.addFile(kUsbData, "[Another]\nInstalled=1\n");
    EXPECT_EQ(ConfigDeviceOptionExp(handle, ports, lookup), 0u);
    profile.addFile(kUsbData, "[Wren Test]\nInstalled=1\n");
    EXPECT_EQ(ConfigDeviceOptionExp(handle, ports, lookup), 1u);  // read, even with no keywords stored
}

}  // namespace
}  // namespace wren::ui
