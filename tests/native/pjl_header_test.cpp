#include "common/family/family_exports.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/render_services.h"
#include "ps/inject/postscript_settings.h"
#include "ps/pjl/pjl_header.h"
#include "common/settings/record_text.h"
#include "render_fixture.h"

namespace wren::test {
namespace {

class PjlHeaderTest : public RenderFixture {
protected:
    std::string header() {
        settleJob(ctx);
        stream.bytes.clear();
        writeJobHeader(ctx);
        return stream.bytes;
    }
};

TEST_F(PjlHeaderTest, NormalJobNamesTheDocument) {
    record.compressionLevel = 0;
    EXPECT_EQ(visible(header()), visible("\x1B%-12345X@PJL JOB NAME=\"Quarterly report\"\r\n"
                                         "@PJL ENTER LANGUAGE=POSTSCRIPT\n"));
}

TEST_F(PjlHeaderTest, DiskSpoolingComesBeforeTheJobName) {
    settings.features["ZEHDDSpool"] = "True";
    record.compressionLevel = 2;
    EXPECT_EQ(visible(header()), visible("\x1B%-12345X@PJL ZELSPOOL MODE=ALL\r\n"
                                         "@PJL JOB NAME=\"Quarterly report\"\r\n"
                                         "@PJL COMMENT COMPRESSION:FLATE LEVEL:6\r\n"
                                         "@PJL ENTER LANGUAGE=POSTSCRIPT\n"));
    settings.features["ZEJob_Type"] = "Secure";
    EXPECT_EQ(header().find("ZELSPOOL"), std::string::npos) << "only a normal job spools on the disk";
}

TEST_F(PjlHeaderTest, SecureAndStoredJobsCarryThePinAndTheirName) {
    settings.features["ZEJob_Type"] = "Secure";
    writeField(record.jobName, u"Payroll");
    writeField(record.password, u"1234");
    EXPECT_EQ(visible(header()), visible("\x1B%-12345X@PJL ZELSECURE PASSWORD=1234\r\n"
                                         "@PJL JOB NAME=\"Payroll\"\r\n"
                                         "@PJL ENTER LANGUAGE=POSTSCRIPT\n"));
    settings.features["ZEJob_Type"] = "Spool";
    writeField(record.jobName, u"Report");
    writeField(record.password, u"");
    EXPECT_EQ(visible(header()), visible("\x1B%-12345X@PJL ZELSECURE PASSWORD= PERMANENT=ON\r\n"
                                         "@PJL JOB NAME=\"Report\"\r\n"
                                         "@PJL ENTER LANGUAGE=POSTSCRIPT\n"));
}

TEST_F(PjlHeaderTest, UnterminatedNameFieldsStayWithinTheirFields) {
    settings.features["ZEJob_Type"] = "Secure";
    for (auto& c : record.jobName) c = u'J';
    for (auto& c : record.password) c = u'9';
    std::string out = header();
    EXPECT_NE(out.find("PASSWORD=99999\r\n"), std::string::npos);
    EXPECT_NE(out.find("NAME=\"JJJJJJJJJJJJJJJJJ\"\r\n"), std::string::npos);
}

class RecordingPrompt : public JobNamePrompt {
public:
    int asked = 0;
    bool ask(PrivateRecord& r) override {
        ++asked;
        writeField(r.jobName, u"Asked");
        return true;
    }
};

TEST_F(PjlHeaderTest, TheJobNameIsAskedOnlyOnALocalPrinter) {
    RecordingPrompt prompt;
    ports.jobNamePrompt = &prompt;
    settings.features["ZEJob_Type"] = "Secure";
    record.askAtPrint = 1;
    EXPECT_NE(header().find("NAME=\"Asked\""), std::string::npos);
    spooler.printers[printer].details.attributes = kPrinterAttributeShared;
    writeField(record.jobName, u"Kept");
    EXPECT_NE(header().find("NAME=\"Kept\""), std::string::npos);
    EXPECT_EQ(prompt.asked, 1);
}

TEST_F(PjlHeaderTest, CompressionLevelsMapToFlateLevels) {
    EXPECT_EQ(flateLevel(0), 0);
    EXPECT_EQ(flateLevel(1), 1);
    EXPECT_EQ(flateLevel(2), 6);
    EXPECT_EQ(flateLevel(3), 9);
    EXPECT_EQ(flateLevel(4), 0);
    record.compressionLevel = 3;
    EXPECT_NE(header().find("@PJL COMMENT COMPRESSION:FLATE LEVEL:9\r\n"), std::string::npos);
}

TEST_F(PjlHeaderTest, TrailerAndFailedWrites) {
    settleJob(ctx);
    EXPECT_TRUE(writeJobTrailer(ctx));
    EXPECT_EQ(visible(stream.bytes), visible("\x1B%-12345X@PJL EOJ\r\n"));
    stream.bytes.clear();
    job.userAuthInHeader = true;
    writeJobTrailer(ctx);
    EXPECT_EQ(visible(stream.bytes), visible("\x1B%-12345X@PJL EOJ\r\n@PJL EOJ\r\n\x1B%-12345X"));
    EXPECT_FALSE(job.userAuthInHeader);
    stream.shortBy = 1;
    EXPECT_FALSE(writeJobHeader(ctx));
    EXPECT_NE(stream.bytes.find("ENTER LANGUAGE"), std::string::npos) << "later lines are still attempted";
}

TEST(DriverVersion, TextAfterTheFirstComma) {
    EXPECT_EQ(driverVersionText(u"06/21/2012,1.0.3.0"), "1.0.3.0");
    EXPECT_EQ(driverVersionText(u"\"06/21/2012,1.0.3.0\" x"), "1.0.3.0");
    EXPECT_EQ(driverVersionText(u"06/21/2012"), "");
    EXPECT_EQ(driverVersionText(u"a,b,c"), "b,c");
}

TEST_F(PjlHeaderTest, EpsOutputWritesOnlyAtSetupAndPageSetup) {
    settings.outputOption = 2;
    record.gammaOn = 1;
    record.watermarkIndex = 0;
    InjectionExtras extras;
    for (std::uint32_t point : {kBeginStream, kBeginProlog, kBeginSetup, kEndStream}) {
        EXPECT_TRUE(runInjection(ctx, point, extras));
        EXPECT_EQ(stream.bytes, "") << "injection point " << point;
    }
    EXPECT_TRUE(runInjection(ctx, kEndSetup, extras));
    EXPECT_NE(stream.bytes.find("featurebegin"), std::string::npos);
}

TEST_F(PjlHeaderTest, BlocksOfAPlainJobCostNoConfigurationReads) {
    InjectionExtras extras;
    runInjection(ctx, kBeginStream, extras);
    const int profileReads = profile.reads, settingReads = settings.reads;
    const std::size_t loads = loader.loads.size();
    std::uint32_t written = 0;
    for (int i = 0; i < 100; ++i) ASSERT_EQ(writeBlock(ctx, "abcd", 4, &written), BlockResult::Sent);
    EXPECT_EQ(written, 4u);
    EXPECT_EQ(profile.reads, profileReads);
    EXPECT_EQ(settings.reads, settingReads);
    EXPECT_EQ(loader.loads.size(), loads);
    EXPECT_EQ(spooler.written.size(), 400u);
}

TEST_F(PjlHeaderTest, AnEncryptedJobIsNeverSentInClear) {
    settings.features["ZEJob_Type"] = "Secure";
    settings.features["ZEJobLimit"] = "True";
    profile.addFile(u"C:\\drv\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nCryptoDll=zecipher.dll\n");
    job.jobId = 12;
    InjectionExtras extras;
    runInjection(ctx, kBeginStream, extras);
    EXPECT_EQ(job.effectiveJobType, "Secure_Chip");
    std::uint32_t written = 77;
    EXPECT_EQ(writeBlock(ctx, "secret", 6, &written), BlockResult::Dropped);
    EXPECT_EQ(writeBlock(ctx, "secret", 6, &written), BlockResult::Dropped);
    EXPECT_EQ(written, 77u);
    EXPECT_EQ(spooler.written, "");
    EXPECT_EQ(spooler.cancelled, std::vector<std::uint32_t>{12});
    runInjection(ctx, kBeginStream, extras);
    EXPECT_FALSE(job.jobCancelled) << "the next stream starts clean";
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

int WREN_FAMILY_CALL cardReaderThere(const char*, const char*) { return 1; }

TEST_F(PjlHeaderTest, ACardReaderMakesAnEncryptedJobWithDeviceComments) {
    profile.addFile(u"C:\\drv\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nCARD_DLL=zeiccard.dll\n");
    loader.libraries[u"C:\\drivers\\x64\\3\\zeiccard.dll"] = {{"QueryCardDriver", exportOf(&cardReaderThere)}};
    settings.features["ZEJob_Type"] = "Secure";
    record.compressionLevel = 1;
    EXPECT_EQ(visible(header()), visible("\x1B%-12345X@PJL JOB NAME=\"Quarterly report\"\r\n"
                                         "@PJL COMMENT Device Name :Wren ZE Colour PS\r\n"
                                         "@PJL COMMENT Version     :1.0.3.0\r\n"
                                         "@PJL COMMENT COMPRESSION:FLATE LEVEL:1\r\n"
                                         "@PJL ENTER LANGUAGE=POSTSCRIPT\n"));
    EXPECT_EQ(job.effectiveJobType, "Secure_Chip");
    EXPECT_EQ(loader.loads.size(), 1u) << "the card library is asked once per job";

    // A normal job stays normal with a card reader.
    settings.features["ZEJob_Type"] = "Normal";
    EXPECT_EQ(header().find("Device Name"), std::string::npos);
    EXPECT_NE(prologSettings(ctx, job.icCardPresent).find("ZE@ICCARD true"), std::string::npos);
}

}  // namespace
}  // namespace wren::test
