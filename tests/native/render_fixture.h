// A device of the test printer as the rendering logic sees it: the sample
// configuration, feature selections a test sets, and the stream it writes.
#pragma once

#include <cstring>
#include <gtest/gtest.h>
#include <map>

#include "common/settings/private_record.h"
#include "common/settings/public_devmode.h"
#include "fakes.h"
#include "ps/job/render_context.h"

namespace wren::test {

class CapturingStream : public SpoolStream {
public:
    std::string bytes;
    std::uint32_t shortBy = 0;  // make writes come up short
    std::uint32_t write(const void* data, std::uint32_t size) override {
        bytes.append(static_cast<const char*>(data), size);
        return size >= shortBy ? size - shortBy : 0;
    }
};

class RenderFixture : public ::testing::Test {
protected:
    PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x20);
    FakeProfile profile;
    FakeSpooler spooler;
    FakeLibraryLoader loader;
    FakeCodePage codePage;
    RenderPorts ports{spooler, profile, loader, codePage};
    PrivateRecord record{};
    PublicDevmode devmode{};
    FakeDriverSettings settings;
    CapturingStream stream;
    JobState job;
    RenderContext ctx{ports, printer, record, devmode, settings, stream, job};

    void SetUp() override {
        spooler.printers[printer].dependentFiles = FakeSpooler::list(
            {u"C:\\drv\\3\\wrenps.dll", u"C:\\drv\\3\\wren.ini", u"C:\\drv\\3\\wren.cap", u"C:\\drv\\3\\wren.ver"});
        profile.addFile(u"C:\\drv\\3\\wren.ini",
                        "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n[DependentFiles]\nHALFTONE=wrengam.dat\n");
        profile.addFile(u"C:\\drv\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nCompression=0x0500\n");
        profile.addFile(u"C:\\drv\\3\\wren.ver", "[Version]\nDriverVer=06/21/2012,1.0.3.0\n");
        profile.addFile(u"C:\\drivers\\x64\\3\\wrengam.dat",
                        "[PSGamma]\nSettingNum=2\nPSGammaCommand1={0.9 exp} settransfer\n");
        record.dwSize = kRecordSize;
        record.dwSignature = kRecordSignature;
        record.whiteAdjust = 100;
        record.noSpecialColorSpace = 1;
        for (int i = 0; i < 5; ++i) record.duplexScaleX[i] = record.duplexScaleY[i] = 10000;
        devmode.dmColor = 2;
        devmode.dmDuplex = 1;
        devmode.dmNup = 1;
        settings.features["ZEJob_Type"] = "Normal";
        job.capabilityFile = u"C:\\drv\\3\\wren.cap";
        job.pluginIniFile = u"C:\\drv\\3\\wren.ini";
        job.documentName = "Quarterly report";
    }
};

// Shows control bytes so that a mismatch is readable.
inline std::string visible(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n\n";
        else if (c == '\x1B') out += "\\e";
        else out += c;
    }
    return out;
}

}  // namespace wren::test
