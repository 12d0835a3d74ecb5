// Injection points whose writes come up short report failure, except the
// parts that print without their output (the overlay procedure sets and the
// overlay form dictionary).
#include <functional>

#include "failing_stream.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/render_services.h"
#include "render_fixture.h"

namespace wren::test {
namespace {

// Overlays and watermark as their modules write them: the overlays report
// nothing, the watermark reports its write.
class WritingExtras : public InjectionExtras {
public:
    void overlayProcedureSets(RenderContext& ctx) override { writeToStream(ctx, "%overlay procsets\r\n"); }
    void overlayFormDictionary(RenderContext& ctx) override { writeToStream(ctx, "%overlay forms\r\n"); }
    bool watermarkDefinition(RenderContext& ctx) override { return writeToStream(ctx, "%watermark definition\r\n"); }
    bool watermarkPage(RenderContext& ctx) override { return writeToStream(ctx, "%watermark page\r\n"); }
};

class CommandFailureTest : public RenderFixture {
protected:
    SelectiveFailingStream out;
    RenderContext failing{ports, printer, record, devmode, settings, out, job};
    WritingExtras extras;

    void SetUp() override {
        RenderFixture::SetUp();
        job.effectiveJobType = "Normal";
        job.settled = true;
    }
};

struct FailureCase {
    const char* what;
    std::uint32_t point;
    std::function<void(PrivateRecord&, JobState&)> setup;
    std::function<void(SelectiveFailingStream&)> fail;
    bool reported;  // the injection's result with that write short
};

auto failOn(const char* marker) {
    return [marker](SelectiveFailingStream& s) { s.failWritesContaining(marker); };
}
auto failNumber(int n) {
    return [n](SelectiveFailingStream& s) { s.failWriteNumber(n); };
}
void nothing(PrivateRecord&, JobState&) {}
void adjustmentOn(PrivateRecord& r, JobState&) { r.duplexCorrectionOn = 1; }
void gammaOn(PrivateRecord& r, JobState&) { r.gammaOn = 1; }
void watermark(PrivateRecord& r, JobState&) { r.watermarkIndex = 1; }
void accessControlJob(PrivateRecord&, JobState& j) { j.userAuthInHeader = true; }

TEST_F(CommandFailureTest, AShortWriteIsReportedWhereTheJobNeedsIt) {
    const FailureCase cases[] = {
        {"prolog settings", kBeginProlog, nothing, failOn("ZE@NupNumber"), false},
        {"overlay procedure sets", kBeginProlog, nothing, failOn("%overlay procsets"), true},
        {"watermark definition", kBeginProlog, watermark, failOn("%watermark definition"), false},
        {"prolog, every write complete", kBeginProlog, watermark, failOn("no such text"), true},
        {"overlay form dictionary", kBeginSetup, nothing, failOn("%overlay forms"), true},
        {"media-override fragment", kEndSetup, adjustmentOn, failOn("Adobe_AGM_Utils"), false},
        {"gamma feature", kEndSetup, gammaOn, failOn("featurebegin"), false},
        {"setup end, every write complete", kEndSetup, adjustmentOn, failOn("no such text"), true},
        {"plain trailer", kEndStream, nothing, failNumber(0), false},
        {"access-control trailer, first line", kEndStream, accessControlJob, failNumber(0), false},
        {"access-control trailer, second line", kEndStream, accessControlJob, failNumber(1), false},
        {"watermark page", kEndPageSetup, watermark, failOn("%watermark page"), false},
    };
    for (const FailureCase& c : cases) {
        record.duplexCorrectionOn = record.gammaOn = 0;
        record.watermarkIndex = 0;
        job.userAuthInHeader = false;
        out.bytes.clear();
        out.writes = 0;
        c.setup(record, job);
        c.fail(out);
        EXPECT_EQ(runInjection(failing, c.point, extras), c.reported) << c.what;
        EXPECT_FALSE(out.bytes.empty()) << c.what << ": the writes were attempted";
    }
}

TEST_F(CommandFailureTest, LaterWritesAreStillAttemptedAfterAFailure) {
    record.watermarkIndex = 1;
    out.failWritesContaining("ZE@NupNumber");
    EXPECT_FALSE(runInjection(failing, kBeginProlog, extras));
    EXPECT_NE(out.bytes.find("%watermark definition"), std::string::npos);

    out.bytes.clear();
    out.writes = 0;
    job.userAuthInHeader = true;
    out.failWriteNumber(0);
    EXPECT_FALSE(runInjection(failing, kEndStream, extras));
    EXPECT_EQ(visible(out.bytes), visible("\x1B%-12345X@PJL EOJ\r\n@PJL EOJ\r\n\x1B%-12345X"));
    EXPECT_FALSE(job.userAuthInHeader) << "the trailer consumed the flag";
}

TEST_F(CommandFailureTest, EpsOutputWritesNothingAndSucceedsWhereItSkips) {
    settings.outputOption = 2;
    out.fails = [](std::string_view, int) { return true; };
    for (std::uint32_t point : {kBeginProlog, kBeginSetup, kEndStream}) {
        EXPECT_TRUE(runInjection(failing, point, extras)) << point;
    }
    EXPECT_EQ(out.bytes, "");
}

}  // namespace
}  // namespace wren::test
