// The process's last dependent-file lookup and the installer's two exports
// while several printers are set up at once: sheets and printer
// initialisation replace the last lookup on their own threads while the
// installer reads it, and each printer's installed options are read as
// they are with nothing else running.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options_fakes.h"
#include "run_together.h"
#include "ui/options/default_devmode.h"
#include "ui/options/installer_exports.h"
#include "ui/options/last_lookup.h"

namespace wren::test {
namespace {

using namespace std::string_literals;
using ui::LookupState;

constexpr int kPrinters = 4;
constexpr int kReaders = 2;
constexpr int kLookups = 2000;
constexpr int kRounds = 3;

// Paths long enough to live on the heap: a copy made while another thread
// replaces the value would then read freed or half-written memory.
std::u16string driverFile(int printer, std::u16string_view extension) {
    return u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\wren-" + std::u16string(1, char16_t(u'a' + printer)) +
           std::u16string(extension);
}
LookupState lookupOf(int printer) { return {driverFile(printer, u".cap"), driverFile(printer, u".ini")}; }

// The printer both files belong to; -1 for a pair of two printers or a
// file of none.
int printerOf(const LookupState& lookup) {
    for (int p = 0; p < kPrinters; ++p)
        if (lookup.capabilityFile == lookupOf(p).capabilityFile) return lookup.pluginIni == lookupOf(p).pluginIni ? p : -1;
    return -1;
}
bool isWrittenFile(const std::u16string& file, std::u16string_view extension) {
    for (int p = 0; p < kPrinters; ++p)
        if (file == driverFile(p, extension)) return true;
    return false;
}

// Writers remember lookups of their printers in turn, as sheets opening do,
// and read the value back; readers only read, as the installer does.
TEST(LastLookupConcurrency, EveryReadLookupIsOnePrinterWholeFiles) {
    ui::LastLookup last;
    last.remember(lookupOf(0));
    std::vector<int> mixed(kPrinters + kReaders, 0);
    runTogether(kPrinters + kReaders, [&](int t) {
        for (int k = 0; k < kLookups; ++k) {
            if (t < kPrinters) last.remember(lookupOf((t + k) % kPrinters));
            if (printerOf(last.get()) < 0) ++mixed[t];
        }
    });
    for (int t = 0; t < kPrinters + kReaders; ++t) EXPECT_EQ(mixed[t], 0) << "thread " << t;
    EXPECT_GE(printerOf(last.get()), 0);
}

// A lookup that found no plug-in INI file replaces only the capability
// file: the pair may then name two printers, but each file is one that
// some lookup found, whole.
// An export that started from one value and looked nothing up must not put
// that value back over a lookup another thread made meanwhile.
TEST(LastLookupConcurrency, ACallThatLookedNothingUpLeavesANewerLookupAlone) {
    ui::LastLookup last;
    last.remember({u"a.cap", u"a.ini"});
    const ui::LookupState before = last.get();
    last.remember({u"b.cap", u"b.ini"});  // another printer, meanwhile
    last.rememberOutcome(before, before);
    EXPECT_EQ(last.get().capabilityFile, u"b.cap");
    last.rememberOutcome(before, {u"c.cap", u"c.ini"});
    EXPECT_EQ(last.get().pluginIni, u"c.ini");
}

TEST(LastLookupConcurrency, ACapabilityFileAloneNeverTearsTheIniFile) {
    ui::LastLookup last;
    last.remember(lookupOf(0));
    std::vector<int> torn(kPrinters + kReaders, 0);
    runTogether(kPrinters + kReaders, [&](int t) {
        for (int k = 0; k < kLookups; ++k) {
            const int printer = (t + k) % kPrinters;
            if (t < kPrinters && k % 2) last.rememberCapabilityFile(driverFile(printer, u".cap"));
            else if (t < kPrinters) last.remember(lookupOf(printer));
            const LookupState seen = last.get();
            if (!isWrittenFile(seen.capabilityFile, u".cap") || !isWrittenFile(seen.pluginIni, u".ini")) ++torn[t];
        }
    });
    for (int t = 0; t < kPrinters + kReaders; ++t) EXPECT_EQ(torn[t], 0) << "thread " << t;
}

// ---- the installer's exports, one printer per thread ----------------------

// The USB option library as functions of this process. What they were asked
// is kept per thread: every printer here is installed on a thread of its own.
thread_local std::vector<std::string> tUsbCalls;
int WREN_FAMILY_CALL readOptionUsb(const char* printer) {
    tUsbCalls.push_back(std::string("first ") + printer);
    return 1;
}
int WREN_FAMILY_CALL readOptionUsb2(const char* printer) {
    tUsbCalls.push_back(std::string("second ") + printer);
    return 1;
}

struct InstallResult {
    std::uint32_t configured = 0, notified = 0;
    LookupState lookup;
    std::vector<std::uint8_t> keywords;
    std::vector<std::int16_t> duplex;  // of the per-user and the global DEVMODE stored
    std::vector<std::string> usbCalls;

    bool operator==(const InstallResult& o) const {
        return configured == o.configured && notified == o.notified && lookup.capabilityFile == o.lookup.capabilityFile &&
               lookup.pluginIni == o.lookup.pluginIni && keywords == o.keywords && duplex == o.duplex &&
               usbCalls == o.usbCalls;
    }
};

// One printer on a USB port that the installer has just added, with its
// driver files, its option data file and its feature keywords.
class InstalledPrinter {
public:
    explicit InstalledPrinter(int number) : name_(u"Wren " + std::u16string(1, char16_t(u'A' + number))) {
        static constexpr std::uint32_t kInstalled[] = {0xA0, 0x80, 0x20, 0x00};
        const std::u16string dir = u"C:\\drivers\\x64\\3\\";
        const std::string dataName = "zeusb" + std::to_string(number) + ".dat";
        FakeAdminPrinter printer;
        printer.names.portName = u"USB00" + std::u16string(1, char16_t(u'1' + number));
        printer.shortName = name_;
        printer.devModes[DevModeSource::GlobalDefault] = makeDevMode(name_);
        printer.devModes[DevModeSource::PerUser] = makeDevMode(name_);
        printer.data[u"FeatureKeyword"] = bytesOf("ZEHDD\0False\0\nZEOptionDuplex\0False\0\n\0\0"s);
        handle_ = admin_.add(name_, printer);
        spooler_.printers[handle_].dependentFiles = FakeSpooler::list({dir + u"wren.ini", dir + u"wren.cap"});
        profile_.addFile(dir + u"wren.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n");
        profile_.addFile(dir + u"wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nUSBExtDLL=zeusbopt.dll\n"
                                            "USBExtDAT=" + dataName + "\n");
        const std::u16string dataFile = system_.appData + u"\\" + std::u16string(dataName.begin(), dataName.end());
        const std::string section(name_.begin(), name_.end());
        profile_.addFile(dataFile, "[" + section + "]\nDrvInst_DuplexPrinting=" + std::string(number % 2 ? "1" : "2") +
                                       "\nInstalled=" + std::to_string(kInstalled[number % 4]) + "\nRAM=256\n");
        system_.files.insert(dataFile);
        loader_.libraries[dir + u"zeusbopt.dll"] = {{"ReadPrinterOptionUSB", reinterpret_cast<void*>(&readOptionUsb)},
                                                    {"ReadPrinterOptionUSB2", reinterpret_cast<void*>(&readOptionUsb2)}};
    }
    InstalledPrinter(const InstalledPrinter&) = delete;
    InstalledPrinter& operator=(const InstalledPrinter&) = delete;

    // The installer's calls after adding the printer: the options over USB,
    // then duplex by default from the same lookup.
    InstallResult install() {
        tUsbCalls.clear();
        InstallResult r;
        r.configured = ui::ConfigDeviceOptionExp(handle_, ports_, r.lookup);
        r.notified = ui::NotifyDrvInstToPrinter(handle_, name_, ports_, r.lookup);
        FakeAdminPrinter& printer = admin_.at(handle_);
        r.keywords = printer.data.at(u"FeatureKeyword");
        for (std::uint32_t level : {kUserDevModeLevel, kGlobalDevModeLevel})
            if (printer.stored.count(level)) r.duplex.push_back(publicOf(printer.stored.at(level)).dmDuplex);
        r.usbCalls = tUsbCalls;
        return r;
    }

private:
    const std::u16string name_;
    PrinterHandle handle_ = nullptr;
    FakePrinterAdmin admin_;
    FakeSpooler spooler_;
    FakeProfile profile_;
    FakeLibraryLoader loader_;
    FakeCodePage codePage_;
    FakeFileSecurity security_;
    FakeDriverRegistry registry_;
    FakeSystem system_;
    ui::InstallerPorts ports_{admin_, spooler_, profile_, loader_, codePage_, security_, registry_, system_};
};

InstallResult installAlone(int number) { return InstalledPrinter(number).install(); }

TEST(InstallerExportsConcurrency, EachPrinterAloneGetsItsOwnOptionsAndDuplex) {
    for (int i = 0; i < kPrinters; ++i) {
        SCOPED_TRACE(i);
        const InstallResult r = installAlone(i);
        EXPECT_EQ(r.configured, 1u);
        EXPECT_EQ(r.notified, ui::kNotifyDone);
        EXPECT_EQ(r.usbCalls.size(), 2u);
        EXPECT_NE(r.usbCalls.front().find(std::string("Wren ") + char('A' + i)), std::string::npos);
        const std::int16_t duplex = i % 2 ? 0 : ui::kDuplexPrinting;
        EXPECT_EQ(r.duplex, (std::vector<std::int16_t>{duplex, duplex})) << "both stored; duplex where the data file asks";
        if (i > 0) EXPECT_NE(r.keywords, installAlone(i - 1).keywords);
    }
}

TEST(InstallerExportsConcurrency, PrintersInstalledAtOnceGetWhatTheyGetAlone) {
    std::vector<InstallResult> alone;
    for (int i = 0; i < kPrinters; ++i) alone.push_back(installAlone(i));
    for (int round = 0; round < kRounds; ++round) {
        std::vector<InstallResult> together(kPrinters);
        runTogether(kPrinters, [&](int i) { together[i] = installAlone(i); });
        for (int i = 0; i < kPrinters; ++i) EXPECT_TRUE(together[i] == alone[i]) << "round " << round << ", printer " << i;
    }
}

}  // namespace
}  // namespace wren::test
