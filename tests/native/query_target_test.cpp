#include "ui/options/query_target.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "options_fakes.h"

using namespace wren;
using namespace wren::ui;

namespace {

constexpr char16_t kIni[] = u"C:\\drivers\\x64\\3\\wren.ini";
constexpr char16_t kCap[] = u"C:\\drivers\\x64\\3\\wren.cap";

class QueryTargetTest : public ::testing::Test, protected test::FakeInstallerPorts {
protected:
    QueryTargetTest() {
        test::FakeAdminPrinter p;
        p.names.portName = u"USB001";
        const PrinterHandle handle = admin.add(u"Wren Test", p);
        spooler.printers[handle].dependentFiles = test::FakeSpooler::list({kIni, kCap});
        profile.addFile(kIni, "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n");
        profile.addFile(kCap, "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nNetExtDLL=zenetopt.dll\n"
                              "USBExtDLL=zeusbopt.dll\nUSBExtDAT=zeusbopt.dat\n");
    }
    LastLookup last;
    LookupState files;
};

}  // namespace

// Activation looks the files up afresh, remembers them for the installer's
// exports, and takes the port from the printer.
TEST_F(QueryTargetTest, AFreshLookupFindsTheFilesThePortAndTheLibraries) {
    void* window = reinterpret_cast<void*>(0x44);
    const auto target = FindQueryTarget(ports, last, u"Wren Test", window, files, true);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->portName, u"USB001");
    EXPECT_EQ(target->pluginIni, kIni);
    EXPECT_EQ(target->networkLibrary, u"zenetopt.dll");
    EXPECT_EQ(target->usbLibrary, system.plugin + u"zeusbopt.dll");
    EXPECT_EQ(target->usbDataFile, system.appData + u"\\zeusbopt.dat");
    EXPECT_EQ(target->window, window);
    EXPECT_EQ(files.capabilityFile, kCap);
    EXPECT_EQ(last.get().pluginIni, kIni);
}

// The button uses the sheet's files as they are and asks nothing else.
TEST_F(QueryTargetTest, TheButtonUsesTheSheetsFilesAndAMissingPrinterGivesNothing) {
    files = LookupState{kCap, kIni};
    const auto target = FindQueryTarget(ports, last, u"Wren Test", nullptr, files, false);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->portName, u"");
    EXPECT_EQ(target->networkLibrary, u"zenetopt.dll");
    EXPECT_EQ(last.get().pluginIni, u"");  // nothing looked up, nothing remembered
    EXPECT_FALSE(FindQueryTarget(ports, last, u"Nobody", nullptr, files, true));
}

// A lookup that finds no configuration file is still remembered, and gives
// no target.
TEST_F(QueryTargetTest, ALookupWithoutConfigurationFilesIsRememberedAndGivesNothing) {
    last.remember(LookupState{u"old.cap", u"old.ini"});
    spooler.printers[admin.byName.at(u"Wren Test")].dependentFiles =
        test::FakeSpooler::list({u"C:\\drivers\\x64\\3\\wrenui.dll"});
    EXPECT_FALSE(FindQueryTarget(ports, last, u"Wren Test", nullptr, files, true));
    EXPECT_EQ(last.get().pluginIni, u"");
}
