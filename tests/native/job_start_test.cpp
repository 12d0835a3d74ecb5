#include "ps/job/document_name.h"
#include "ps/job/fit_to_paper.h"
#include "ps/job/job_start.h"
#include "render_fixture.h"

namespace wren::test {
namespace {

TEST(DocumentName, QuotesControlsAndDoubleByteCharacters) {
    FakeCodePage cp;
    EXPECT_EQ(cleanDocumentName("say \"hi\"\tnow", cp), "say  hi \tnow");
    EXPECT_EQ(cleanDocumentName("line\rrest", cp), "line");
    EXPECT_EQ(cleanDocumentName("caf\xE9", cp), "caf\xE9");
    cp.leadBytes = {0x81, 0x82};
    EXPECT_EQ(cleanDocumentName("ab\x82\xA0" "cd", cp), "ab\x82\xA0" "cd");
    EXPECT_EQ(cleanDocumentName("ab\x82", cp), "ab") << "a lone lead byte at the end goes";
    EXPECT_EQ(cleanDocumentName("ab\x82\x10" "cd", cp), "ab") << "an invalid trail ends the name before the lead";
    EXPECT_EQ(cleanDocumentName("\x82\"", cp), "") << "a quote is not a valid trail byte";
}

TEST(FitToPaper, SamePaperKeepsTheResolution) {
    FitInput in{2100, 2970, 2100, 2970, 9, 1};
    ASSERT_TRUE(fitScale(in));
    EXPECT_EQ(fitScale(in)->k, 1.0);
    EXPECT_TRUE(fitScale(in)->byLength) << "a tie goes to the length ratio";
    DeviceMetrics m{600, 600};
    EXPECT_EQ(applyFit(in, *fitScale(in), m), 1000u);
    EXPECT_EQ(m.logPixelsX, 600u);
    EXPECT_EQ(m.physWidth, 600 * 2100 / 254);
    EXPECT_EQ(m.physHeight, 2970 * m.physWidth / 2100);
    EXPECT_EQ(m.horzSize, 200u);  // trunc(2100 - 91.72) / 10
    EXPECT_EQ(m.vertSize, 287u);
    EXPECT_EQ(m.offsetX, 108);    // 600 * 13 / 72
    EXPECT_EQ(m.horzRes, static_cast<std::uint32_t>(m.physWidth - 216));
}

TEST(FitToPaper, A3OnA4ScalesByTheSmallerRatio) {
    FitInput in{2970, 4200, 2100, 2970, 9, 1};
    FitScale scale = *fitScale(in);
    const double k = scale.k;
    const double e = (210.0 - 9.172222222222222) / (297.0 - 9.172222222222222);
    const double c = (297.0 - 9.172222222222222) / (420.0 - 9.172222222222222);
    EXPECT_DOUBLE_EQ(k, std::min(e, c));
    DeviceMetrics m{600, 600};
    EXPECT_EQ(applyFit(in, scale, m), static_cast<std::uint32_t>(k * 1000));
    EXPECT_EQ(m.logPixelsX, static_cast<std::uint32_t>(600 * k));
    EXPECT_EQ(m.logPixelsY, m.logPixelsX);
    EXPECT_EQ(m.offsetX, static_cast<std::int32_t>(108 * k));

    // Landscape exchanges the sizes in millimetres.
    in.orientation = 2;
    DeviceMetrics l{600, 600};
    applyFit(in, scale, l);
    EXPECT_EQ(l.horzSize, m.vertSize);
    EXPECT_EQ(l.vertSize, m.horzSize);
    EXPECT_EQ(l.physWidth, m.physHeight);
}

TEST(FitToPaper, WidthRatioWinsWhenSmallerAndZeroSizesStop) {
    FitInput wide{4000, 2970, 2100, 2970, 9, 1};  // a wide document
    FitScale scale = *fitScale(wide);
    const double k = scale.k;
    EXPECT_FALSE(scale.byLength);
    DeviceMetrics m{600, 300};
    applyFit(wide, scale, m);
    EXPECT_EQ(m.logPixelsX, static_cast<std::uint32_t>(300 * k)) << "the width ratio scales the Y resolution";
    EXPECT_EQ(m.physHeight, static_cast<std::int32_t>(m.logPixelsX * 2970u / 254));
    EXPECT_FALSE(fitScale(FitInput{0, 2970, 2100, 2970, 9, 1}));
    EXPECT_FALSE(fitScale(FitInput{2100, 2970, 0, 2970, 9, 1}));
    EXPECT_FALSE(fitScale(FitInput{2100, 2970, 2100, 2970, 0x7FFF, 1}));
    EXPECT_FALSE(fitScale(FitInput{2100, 2970, -2100, 2970, 9, 1})) << "a negative size scales nothing";
    EXPECT_FALSE(fitScale(FitInput{2100, 2970, 50, 2970, 9, 1})) << "a paper smaller than its margins";
}

using JobStartTest = RenderFixture;

TEST_F(JobStartTest, TheFirstStartDocCollectsTheJobFacts) {
    job = JobState{};
    spooler.printers[printer].jobDocuments[7] = u"Plan \"B\"";
    profile.addFile(u"C:\\drv\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nJobInfoDll=zejobinfo.dll\n");
    onStartDoc(ports, printer, 7, job);
    EXPECT_EQ(job.jobId, 7u);
    EXPECT_EQ(job.capabilityFile, u"C:\\drv\\3\\wren.cap");
    EXPECT_EQ(job.pluginIniFile, u"C:\\drv\\3\\wren.ini");
    EXPECT_EQ(job.documentName, "Plan  B ");
    EXPECT_EQ(job.printerName, "Wren Test");
    EXPECT_EQ(job.capabilityFileAnsi, "C:\\drv\\3\\wren.cap");
    EXPECT_EQ(job.jobInfoLibrary, u"zejobinfo.dll");
    EXPECT_FALSE(job.collectAtStartDoc);

    // A second start of document in the same stream only records the id.
    spooler.printers[printer].jobDocuments[8] = u"Other";
    onStartDoc(ports, printer, 8, job);
    EXPECT_EQ(job.jobId, 8u);
    EXPECT_EQ(job.documentName, "Plan  B ");
}

TEST_F(JobStartTest, AnUnreadableJobKeepsThePreviousName) {
    job = JobState{};
    job.documentName = "previous";
    onStartDoc(ports, printer, 99, job);
    EXPECT_EQ(job.documentName, "previous");
    EXPECT_EQ(job.jobId, 99u);
}

}  // namespace
}  // namespace wren::test
