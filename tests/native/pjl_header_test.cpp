#include "common/family/family_exports.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/render_services.h"
#include "ps/inject/postscript_settings.h"
#include "ps/pjl/pjl_header.h"
#include "common/settings/record_text.h"
#include "pjl_invariants.h"
#include "failing_stream.h"
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
    // The start of the job is collected for its header; once the header
    // is complete the job needs the cipher library, which is not there.
    std::uint32_t written = 77;
    EXPECT_EQ(writeBlock(ctx, "secret", 6, &written), BlockResult::Sent);
    EXPECT_EQ(written, 0u);
    written = 77;
    const std::string header = "@PJL ENTER LANGUAGE=POSTSCRIPT\nsecret";
    EXPECT_EQ(writeBlock(ctx, header.data(), std::uint32_t(header.size()), &written), BlockResult::Dropped);
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

namespace wren::test {
namespace {

// A record from anywhere must not put a quote, a control byte or a byte
// beyond ASCII into the name and PIN lines: unfit characters are dropped.
TEST_F(PjlHeaderTest, JobNameAndPinCannotInjectPjl) {
    struct Case { const char* type; std::u16string name, pin; std::string lines; };
    const Case cases[] = {
        {"Secure", u"x\"\x1B%-12345X@PJL", u"1234",
         "@PJL ZELSECURE PASSWORD=1234\r\n@PJL JOB NAME=\"x%-12345X@PJL\"\r\n"},
        {"Secure", u"a\r\n@PJL RESET", u"1\r\n2", "@PJL ZELSECURE PASSWORD=12\r\n@PJL JOB NAME=\"a@PJL RESET\"\r\n"},
        {"Spool", u"Caf\u00E9\u3042\t", u"\x1B" u"9x", "@PJL ZELSECURE PASSWORD=9 PERMANENT=ON\r\n@PJL JOB NAME=\"Caf\"\r\n"},
        {"Spool", u"\"\"", u"", "@PJL ZELSECURE PASSWORD= PERMANENT=ON\r\n@PJL JOB NAME=\"\"\r\n"},
        {"Secure", u"Report", u"12 3", "@PJL ZELSECURE PASSWORD=123\r\n@PJL JOB NAME=\"Report\"\r\n"},
    };
    for (const Case& c : cases) {
        settings.features["ZEJob_Type"] = c.type;
        writeField(record.jobName, c.name);
        writeField(record.password, c.pin);
        const std::string out = header();
        EXPECT_EQ(visible(out), visible("\x1B%-12345X" + c.lines + "@PJL ENTER LANGUAGE=POSTSCRIPT\n"));
        EXPECT_EQ(pjlEnvelopeViolation(out), "");
    }
}

int WREN_FAMILY_CALL cardReaderPresent(const char*, const char*) { return 1; }

TEST_F(PjlHeaderTest, DeviceCommentsCarryOnlyPjlText) {
    // The capability section is found by the driver name, so the name with
    // its unfit characters is the key there too.
    spooler.printers[printer].driverName = u"Wren \"ZE\"\x1B\u00E9 PS";
    profile.addFile(u"C:\\drv\\3\\wren.cap",
                    "[Capability]\nWren \"ZE\"\x1B\u00E9 PS=WrenC5\n[WrenC5]\nCARD_DLL=zeiccard.dll\n");
    profile.addFile(u"C:\\drv\\3\\wren.ver", "[Version]\nDriverVer=06/21/2012,1.0\x1B.3\x7F.0\n");
    loader.libraries[u"C:\\drivers\\x64\\3\\zeiccard.dll"] = {{"QueryCardDriver", exportOf(&cardReaderPresent)}};
    settings.features["ZEJob_Type"] = "Secure";
    const std::string out = header();
    ASSERT_EQ(job.effectiveJobType, "Secure_Chip");
    EXPECT_NE(out.find("@PJL COMMENT Device Name :Wren ZE PS\r\n"), std::string::npos) << visible(out);
    EXPECT_NE(out.find("@PJL COMMENT Version     :1.0.3.0\r\n"), std::string::npos) << visible(out);
    EXPECT_EQ(pjlEnvelopeViolation(out), "");
}

std::string gEchoed1, gEchoed2;

// Like the real library, it pastes the record's texts into its PJL lines.
int WREN_FAMILY_CALL echoingAccess(int, const void* record, char* prefix, std::uint32_t* prefixSize, char* text,
                                   std::uint32_t* textSize) {
    auto* r = static_cast<const family::AccessControlRecord*>(record);
    gEchoed1 = r->userAuthText1;
    gEchoed2 = r->userAuthText2;
    std::snprintf(prefix, *prefixSize, "%s", "");
    std::snprintf(text, *textSize, "@PJL SET USERNAME=\"%s\"\r\n@PJL SET USERCODE=\"%s\"\r\n", r->userAuthText1,
                  r->userAuthText2);
    return 0;
}
int WREN_FAMILY_CALL uaDialog() { return 0; }

TEST_F(PjlHeaderTest, AccessControlTextsAreCleanedBeforeTheLibraryPastesThem) {
    profile.addFile(u"C:\\drv\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nUA_DLL=zeuauth.dll\n");
    loader.libraries[u"C:\\drivers\\x64\\3\\zeuauth.dll"] = {{"ZEUA_DispUserAuthUI", exportOf(&uaDialog)}};
    loader.libraries[u"C:\\drivers\\x64\\3\\zejobinfo.dll"] = {{"GetJobInfoAccessCtrlCmd", exportOf(&echoingAccess)}};
    job.jobInfoLibrary = u"zejobinfo.dll";
    record.uaValid = 3;
    writeField(record.uaText1, "bob\"\r\n@PJL RESET\x1B%-12345X");
    std::memset(record.uaText2, '7', sizeof record.uaText2);  // unterminated
    record.uaText2[3] = '\n';
    const std::string out = header();
    EXPECT_EQ(gEchoed1, "bob@PJL RESET%-12345X");
    EXPECT_EQ(gEchoed2, std::string(sizeof record.uaText2 - 2, '7')) << "cleaned, cut by its last byte";
    EXPECT_NE(out.find("@PJL SET USERNAME=\"bob@PJL RESET%-12345X\"\r\n"), std::string::npos) << visible(out);
    EXPECT_EQ(pjlEnvelopeViolation(out), "");
}

int WREN_FAMILY_CALL prefixedAccess(int, const void*, char* prefix, std::uint32_t* prefixSize, char* text,
                                     std::uint32_t* textSize) {
    std::snprintf(prefix, *prefixSize, "%s", "@PJL SET ACCESS=ON\r\n");
    std::snprintf(text, *textSize, "%s", "@PJL SET USERNAME=\"bob\"\r\n");
    return 0;
}

TEST_F(PjlHeaderTest, ALostAccessControlPrefixFailsTheHeader) {
    profile.addFile(u"C:\\drv\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nUA_DLL=zeuauth.dll\n");
    loader.libraries[u"C:\\drivers\\x64\\3\\zeuauth.dll"] = {{"ZEUA_DispUserAuthUI", exportOf(&uaDialog)}};
    loader.libraries[u"C:\\drivers\\x64\\3\\zejobinfo.dll"] = {{"GetJobInfoAccessCtrlCmd", exportOf(&prefixedAccess)}};
    job.jobInfoLibrary = u"zejobinfo.dll";
    record.uaValid = 3;
    SelectiveFailingStream failing;
    failing.failWritesContaining("@PJL SET ACCESS=ON");
    RenderContext failingCtx{ports, printer, record, devmode, settings, failing, job};
    settleJob(failingCtx);
    EXPECT_FALSE(writeJobHeader(failingCtx));
    EXPECT_FALSE(job.userAuthInHeader);
    EXPECT_NE(failing.bytes.find("@PJL ENTER LANGUAGE=POSTSCRIPT"), std::string::npos) << "the rest still goes out";
}

TEST(PjlInvariants, TellWhatBreaksAnEnvelope) {
    EXPECT_EQ(pjlEnvelopeViolation("\x1B%-12345X@PJL JOB NAME=\"a\"\r\n@PJL ENTER LANGUAGE=POSTSCRIPT\n"), "");
    EXPECT_NE(pjlEnvelopeViolation("@PJL JOB NAME=\"x\"\x1B%-12345X@PJL\"\r\n"), "");
    EXPECT_NE(pjlEnvelopeViolation("@PJL JOB NAME=\"a\rb\"\r\n"), "");
    EXPECT_NE(pjlEnvelopeViolation("@PJL COMMENT \x1B" "E\r\n"), "");
    EXPECT_NE(pjlEnvelopeViolation("@PJL X\tY\r\n"), "");
}

}  // namespace
}  // namespace wren::test
