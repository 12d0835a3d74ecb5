#include <cstring>

#include "common/family/family_exports.h"
#include "common/settings/record_text.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/render_services.h"
#include "ps/pjl/job_information.h"
#include "ps/pjl/pjl_header.h"
#include "failing_stream.h"
#include "render_fixture.h"

namespace wren::test {
namespace {

struct JobInfoCalls {
    bool wantsOlder = false;
    std::vector<int> modes;
    std::uint32_t olderPages = 0, olderZero = 99;
    family::AccessControlRecord access{};
    std::string accessText1, accessText2;
    std::optional<std::uint32_t> sizeAnswer;  // the size a size query reports
    bool unterminated = false;                // the fill call fills its whole buffer
    std::vector<std::uint32_t> fillSizes;     // the size each fill call was given
};
JobInfoCalls* gCalls = nullptr;

int WREN_FAMILY_CALL fakeJobInfo(int mode, const void* record, char* buffer, std::uint32_t* size) {
    gCalls->modes.push_back(mode);
    if (mode == 0) {
        auto* older = static_cast<const family::JobInfoRecordOld*>(record);
        gCalls->olderPages = older->pagesPerSheet;
        gCalls->olderZero = older->zero;
    }
    const std::string text = "@PJL ZELAUXJOBINFO DATA=\"JobId=" +
                             std::to_string(static_cast<const family::JobInfoRecord*>(record)->jobId) + "\"\r\n";
    if (!buffer) {
        if (gCalls->wantsOlder && gCalls->modes.size() == 1) return 3;
        *size = gCalls->sizeAnswer.value_or(static_cast<std::uint32_t>(text.size() + 1));
        return 1;
    }
    gCalls->fillSizes.push_back(*size);
    if (gCalls->unterminated)
        std::memset(buffer, 'A', *size);
    else
        std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 0;
}

int WREN_FAMILY_CALL fakeAccess(int four, const void* record, char* prefix, std::uint32_t* prefixSize, char* text,
                                std::uint32_t* textSize) {
    if (four != 4 || *prefixSize != 1024 || *textSize != 1024) return 1;
    gCalls->access = *static_cast<const family::AccessControlRecord*>(record);
    gCalls->accessText1 = gCalls->access.userAuthText1;
    gCalls->accessText2 = gCalls->access.userAuthText2;
    std::strcpy(prefix, "\x1B%-12345X@PJL JOB NAME=\"ACCESS\"\r\n");
    std::strcpy(text, "@PJL ZELACCESS USER=alice\r\n");
    return 0;
}

int WREN_FAMILY_CALL fakeUaDialog() { return 0; }

class JobInformationTest : public RenderFixture {
protected:
    JobInfoCalls calls;
    void SetUp() override {
        RenderFixture::SetUp();
        gCalls = &calls;
        job.jobInfoLibrary = u"zejobinfo.dll";
        job.jobId = 42;
        job.printerName = "Wren Test";
        loader.libraries[u"C:\\drivers\\x64\\3\\zejobinfo.dll"] = {
            {"GetJobInfoCmd", exportOf(&fakeJobInfo)}, {"GetJobInfoAccessCtrlCmd", exportOf(&fakeAccess)}};
    }
    void TearDown() override { gCalls = nullptr; }
};

TEST_F(JobInformationTest, TheLibrarysTextGoesIntoTheHeader) {
    record.nupCode = 2;
    EXPECT_TRUE(writeJobInformation(ctx));
    EXPECT_EQ(stream.bytes, "@PJL ZELAUXJOBINFO DATA=\"JobId=42\"\r\n");
    EXPECT_EQ(calls.modes, (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(loader.live, 0);
}

TEST_F(JobInformationTest, ALibraryAskingForTheOlderRecordGetsItForBothCalls) {
    calls.wantsOlder = true;
    record.nupCode = 4;
    writeJobInformation(ctx);
    EXPECT_EQ(calls.modes, (std::vector<int>{2, 0, 0}));
    EXPECT_EQ(calls.olderPages, 9u);
    EXPECT_EQ(calls.olderZero, 0u);
}

TEST_F(JobInformationTest, AccessControlCarriesTheUserAndJobFlags) {
    record.uaEnabled = 1;
    record.uaKind = 2;
    record.uaValid = 3;
    std::memset(record.uaText1, 'u', sizeof record.uaText1);  // unterminated: read within its field
    writeField(record.uaText2, "secret");
    settings.features["ZEOutputManagement"] = "True";
    settings.features["ZEJob_Type"] = "Secure";
    auto text = accessControlText(ctx);
    ASSERT_TRUE(text);
    EXPECT_EQ(calls.access.outputManagement, 0x1u | 0x10u);
    EXPECT_EQ(calls.access.jobFlags, 0x1000u | 0x8000u);
    EXPECT_EQ(calls.access.jobId, 42u);
    EXPECT_EQ(calls.accessText1, std::string(256, 'u')) << "a full field is cut by its last byte";
    EXPECT_EQ(calls.accessText2, "secret");

    record.uaValid = 2;
    settings.features["ZEUseAccounting"] = "True";
    settings.features["ZEJob_Type"] = "Normal";
    accessControlText(ctx);
    EXPECT_EQ(calls.accessText1, "");
    EXPECT_EQ(record.uaText1[0], '\0') << "invalid texts are cleared in the record too";
    EXPECT_EQ(calls.access.jobFlags, 0u);
}

TEST_F(JobInformationTest, WithUserAuthenticationTheHeaderCarriesTheAccessText) {
    profile.addFile(u"C:\\drv\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nUA_DLL=zeuauth.dll\n");
    loader.libraries[u"C:\\drivers\\x64\\3\\zeuauth.dll"] = {{"ZEUA_DispUserAuthUI", exportOf(&fakeUaDialog)}};
    settleJob(ctx);
    writeJobHeader(ctx);
    EXPECT_EQ(visible(stream.bytes), visible("\x1B%-12345X@PJL JOB NAME=\"ACCESS\"\r\n"
                                             "\x1B%-12345X@PJL JOB NAME=\"Quarterly report\"\r\n"
                                             "@PJL ZELACCESS USER=alice\r\n"
                                             "@PJL ENTER LANGUAGE=POSTSCRIPT\n"));
    EXPECT_TRUE(job.userAuthInHeader);
    stream.bytes.clear();
    writeJobTrailer(ctx);
    EXPECT_EQ(visible(stream.bytes), visible("\x1B%-12345X@PJL EOJ\r\n@PJL EOJ\r\n\x1B%-12345X"));
}

TEST_F(JobInformationTest, NoLibraryMeansNoText) {
    job.jobInfoLibrary.clear();
    EXPECT_TRUE(writeJobInformation(ctx));
    EXPECT_FALSE(accessControlText(ctx));
    EXPECT_EQ(stream.bytes, "");
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

std::string gCardDriver;
int WREN_FAMILY_CALL fakeQueryCard(const char* driver, const char*) {
    gCardDriver = driver;
    return 1;
}

TEST_F(JobInformationTest, TheCardLibraryGetsNamesInTheSystemCodePage) {
    loader.libraries[u"C:\\drivers\\x64\\3\\zeiccard.dll"] = {{"QueryCardDriver", exportOf(&fakeQueryCard)}};
    spooler.printers[printer].driverName = u"Wren Farbe \u00e9";
    spooler.printers[printer].details.driverName = u"Wren Farbe \u00e9";
    profile.addFile(u"C:\\drv\\3\\wren.cap",
                    "[Capability]\nWren Farbe \xC3\xA9=WrenC5\n[WrenC5]\nCARD_DLL=zeiccard.dll\n");
    EXPECT_TRUE(icCardDriverPresent(ctx));
    EXPECT_EQ(gCardDriver, "Wren Farbe \xE9");
    EXPECT_EQ(loader.live, 0);
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

TEST_F(JobInformationTest, SizesBeyondTheBoundMeanNoJobInformation) {
    for (std::uint32_t size : {0xFFFFFFFFu, 0x80000000u, 64u * 1024 + 1, 0u}) {
        calls.modes.clear();
        calls.fillSizes.clear();
        calls.sizeAnswer = size;
        stream.bytes.clear();
        EXPECT_TRUE(writeJobInformation(ctx)) << size << ": the job still prints";
        EXPECT_EQ(stream.bytes, "") << size;
        EXPECT_TRUE(calls.fillSizes.empty()) << size << ": no buffer was handed over";
        EXPECT_EQ(loader.live, 0);
    }
}

TEST_F(JobInformationTest, AnUnterminatedTextAtTheBoundIsWrittenWhole) {
    calls.sizeAnswer = 64 * 1024;
    calls.unterminated = true;
    EXPECT_TRUE(writeJobInformation(ctx));
    EXPECT_EQ(calls.fillSizes, (std::vector<std::uint32_t>{64 * 1024}));
    EXPECT_EQ(stream.bytes, std::string(64 * 1024, 'A')) << "the spare byte ends the text";
}

TEST_F(JobInformationTest, ALostJobInformationWriteMakesTheHeaderIncomplete) {
    SelectiveFailingStream out;
    RenderContext failing{ports, printer, record, devmode, settings, out, job};
    out.failWritesContaining("ZELAUXJOBINFO");
    EXPECT_FALSE(writeJobInformation(failing));

    settleJob(failing);
    out.bytes.clear();
    EXPECT_FALSE(writeJobHeader(failing));
    EXPECT_NE(out.bytes.find("@PJL ENTER LANGUAGE=POSTSCRIPT\n"), std::string::npos) << "later lines still follow";

    out.failWritesContaining("no such text");
    EXPECT_TRUE(writeJobHeader(failing));
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

// A channel that can be read only once per job, as the companion's pipe.
class OnceChannel final : public ApplicationNameSource {
public:
    std::vector<std::uint32_t> reads;
    std::string applicationName(PrinterHandle, std::uint32_t jobId) override {
        reads.push_back(jobId);
        return reads.size() == 1 ? "Ledger" : "";
    }
};

// The header asks twice; the job keeps the one answer. A new stream is a new
// job that reads again, and a device beside it keeps its own answer.
TEST_F(JobInformationTest, TheApplicationNameIsReadOncePerJobAndKeptByItsDevice) {
    OnceChannel channel;
    RenderPorts withChannel{spooler, profile, loader, codePage, nullptr, &channel};
    RenderContext device{withChannel, printer, record, devmode, settings, stream, job};
    record.uaEnabled = 1;
    record.uaValid = 3;
    accessControlText(device);
    writeJobInformation(device);
    EXPECT_EQ(channel.reads, (std::vector<std::uint32_t>{42}));
    EXPECT_EQ(job.applicationName, "Ledger");

    JobState other;
    other.jobInfoLibrary = job.jobInfoLibrary;
    other.jobId = 43;
    RenderContext beside{withChannel, printer, record, devmode, settings, stream, other};
    writeJobInformation(beside);
    EXPECT_EQ(other.applicationName, "");
    EXPECT_EQ(job.applicationName, "Ledger") << "another device's read leaves this job's name alone";

    InjectionExtras none;
    runInjection(device, kBeginStream, none);
    EXPECT_EQ(channel.reads.size(), 3u) << "the next job of the device reads the channel again";
}

}  // namespace
}  // namespace wren::test
