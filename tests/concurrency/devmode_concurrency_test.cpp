// The DEVMODE requests of several printers at once, as property sheets and
// the spooler's threads make them in one process: each printer's records
// must come out as they do with nothing else running.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/settings/record_text.h"
#include "common/settings/render_devmode.h"
#include "common/settings/ui_devmode.h"
#include "fakes.h"
#include "run_together.h"
#include "shared_libraries.h"

namespace wren::test {
namespace {

constexpr int kPrinters = 6;
constexpr int kRepeats = 20;

PrivateRecord filled(std::uint8_t byte) {
    PrivateRecord r;
    std::memset(&r, byte, sizeof r);
    return r;
}

bool sameBytes(const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Every record each request of one printer produced.
struct DevModeResults {
    std::uint32_t size = 0;
    PrivateRecord uiDefaults = filled(0xAB), uiForeign = filled(0x33), uiMerged = filled(0x44);
    PrivateRecord renderConverted = filled(0x55), renderMerged = filled(0x66), renderDefaults = filled(0x77);
    PublicDevmode publicOut{};

    bool operator==(const DevModeResults& o) const {
        return size == o.size && sameBytes(uiDefaults, o.uiDefaults) && sameBytes(uiForeign, o.uiForeign) &&
               sameBytes(uiMerged, o.uiMerged) && sameBytes(renderConverted, o.renderConverted) &&
               sameBytes(renderMerged, o.renderMerged) && sameBytes(renderDefaults, o.renderDefaults) &&
               sameBytes(publicOut, o.publicOut);
    }
};

// One printer's surroundings: its own driver files and papers; the
// family's libraries are the process's.
class PrinterSettings {
public:
    PrinterSettings(int number, const SharedLibraryLoader& loader)
        : number_(number),
          printer_(reinterpret_cast<PrinterHandle>(static_cast<std::uintptr_t>(0x200 + number))),
          env_{spooler_, profile_, loader, codePage_, capabilityPath_} {
        const std::u16string dir = u"C:\\drv\\" + std::u16string(1, static_cast<char16_t>(u'a' + number));
        spooler_.printers[printer_].dependentFiles =
            FakeSpooler::list({dir + u"\\wrenui.dll", dir + u"\\wren.ini", dir + u"\\wren.cap"});
        spooler_.paperList = {{9, 2100, 2970}, {8, 2970 + number, 4200 - number}, {1, 2159, 2794}};
        profile_.addFile(dir + u"\\wren.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n[SpecialKey]\n1PassSeries=" +
                                                  std::to_string(number % 2) + "\n");
        profile_.addFile(dir + u"\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nCompression=0x0" +
                                                  std::to_string(number % 4 + 1) +
                                                  "00\nUA_DLL=zeuauth.dll\nCryptoDll=zecipher.dll\n");
        capabilityFile_ = dir + u"\\wren.cap";
    }

    const std::u16string& capabilityFile() const { return capabilityFile_; }

    // What the core driver asks of both plug-ins over a sheet's life and a
    // job's start.
    DevModeResults requestAll() {
        DevModeResults r;
        DevModeRequest sizeOnly{printer_};
        sizeOnly.bufferSize = &r.size;
        uiDevMode(1, &sizeOnly, env_);
        ui(2, nullptr, &r.uiDefaults);

        PrivateRecord foreign = filled(0x5A);
        ui(3, &foreign, &r.uiForeign);

        PrivateRecord edited = r.uiDefaults;
        edited.watermarkIndex = static_cast<std::uint32_t>(number_ + 1);
        edited.nupCode = 2;
        writeField(edited.jobName, u"Sheet " + std::u16string(1, static_cast<char16_t>(u'A' + number_)));
        r.uiMerged = r.uiDefaults;
        ui(4, &edited, &r.uiMerged);

        PrivateRecord damaged = r.uiMerged;
        damaged.whiteAdjust = 101 + number_;
        damaged.nupCode = 9;
        r.renderConverted.dwSignature = kRecordSignature;
        render(3, &damaged, &r.renderConverted, nullptr);

        PrivateRecord fitting = r.uiMerged;
        fitting.fitToPaper = 1;
        fitting.outputPaperSize = 9;
        r.renderMerged = r.uiMerged;
        PublicDevmode publicIn{};
        writeField(publicIn.dmDeviceName, u"Wren Printer " + std::u16string(1, static_cast<char16_t>(u'a' + number_)));
        publicIn.dmPaperSize = 8;
        render(4, &fitting, &r.renderMerged, &publicIn, &r.publicOut);
        render(2, nullptr, &r.renderDefaults, nullptr);
        return r;
    }

private:
    void ui(std::uint32_t mode, PrivateRecord* in, PrivateRecord* out) {
        DevModeRequest request{printer_};
        request.recordIn = in;
        request.recordOut = out;
        uiDevMode(mode, &request, env_);
    }
    void render(std::uint32_t mode, PrivateRecord* in, PrivateRecord* out, PublicDevmode* publicIn,
                PublicDevmode* publicOut = nullptr) {
        PublicDevmode unused{};
        DevModeRequest request{printer_, publicIn, publicOut ? publicOut : &unused, in, out};
        renderDevMode(mode, &request, spooler_);
    }

    const int number_;
    const PrinterHandle printer_;
    FakeSpooler spooler_;
    FakeProfile profile_;
    FakeCodePage codePage_;
    // Per printer here: the portable operations take the path they keep
    // between their steps from the caller.
    std::u16string capabilityPath_;
    std::u16string capabilityFile_;
    SettingsEnvironment env_;
};

class DevModeConcurrency : public ::testing::Test {
protected:
    SharedLibraryLoader loader{familyLibraries()};
    std::vector<std::unique_ptr<PrinterSettings>> printers;
    std::vector<DevModeResults> alone;

    void SetUp() override {
        for (int i = 0; i < kPrinters; ++i) printers.push_back(std::make_unique<PrinterSettings>(i, loader));
        for (auto& p : printers) alone.push_back(p->requestAll());
    }
    void TearDown() override { EXPECT_EQ(loader.live(), 0) << "every library is unloaded"; }
};

TEST_F(DevModeConcurrency, EachPrinterAloneGetsItsOwnConfiguration) {
    for (int i = 0; i < kPrinters; ++i) {
        SCOPED_TRACE(i);
        const DevModeResults& r = alone[i];
        const std::u16string& cap = printers[i]->capabilityFile();
        EXPECT_EQ(r.size, kRecordSize);
        EXPECT_EQ(readField(r.uiDefaults.capabilityFilePath), cap);
        EXPECT_EQ(readField(r.uiDefaults.uaText1), "user of " + std::string(cap.begin(), cap.end()));
        EXPECT_EQ(+r.uiDefaults.whiteAdjustBlack, static_cast<std::uint32_t>(i % 2));
        EXPECT_EQ(+r.uiDefaults.cryptTimeLimit, 0x00040000u);
        EXPECT_EQ(+r.uiMerged.watermarkIndex, static_cast<std::uint32_t>(i + 1));
        EXPECT_EQ(+r.renderConverted.whiteAdjust, 100) << "out of range: the safe value";
        EXPECT_EQ(+r.renderMerged.documentPaperWidth, 2970u + static_cast<std::uint32_t>(i)) << "the document's paper from this printer's list";
        EXPECT_EQ(+r.publicOut.dmPaperSize, 9);
    }
}

TEST_F(DevModeConcurrency, PrintersAskingAtOnceGetWhatTheyGetAlone) {
    std::vector<int> mismatches(kPrinters, 0);
    runTogether(kPrinters, [&](int i) {
        for (int repeat = 0; repeat < kRepeats; ++repeat)
            if (!(printers[i]->requestAll() == alone[i])) ++mismatches[i];
    });
    for (int i = 0; i < kPrinters; ++i) EXPECT_EQ(mismatches[i], 0) << "printer " << i;
}

}  // namespace
}  // namespace wren::test
