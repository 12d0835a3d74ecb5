// Fit to paper over sizes that arrive with a document: only sane sizes are
// scaled, and the scaled metrics are exact where 32 bits would wrap.
#include <gtest/gtest.h>

#include "common/settings/render_devmode.h"
#include "fakes.h"
#include "ps/job/fit_to_paper.h"

namespace wren::test {
namespace {

// What a 600 dpi core driver reports for A4 before fit to paper.
DeviceMetrics a4At600() { return DeviceMetrics{600, 600, 4960, 7015, 210, 297, 108, 108, 4744, 6799}; }

struct Device {
    PrivateRecord record{};
    PublicDevmode devmode{};
    Device(std::uint32_t docWidth, std::uint32_t docLength, std::int16_t outWidth, std::int16_t outLength) {
        record.fitToPaper = 1;
        record.fitScale = 4242;  // whatever the record came with
        record.documentPaperWidth = docWidth;
        record.documentPaperLength = docLength;
        devmode.dmPaperSize = 9;
        devmode.dmOrientation = 1;
        devmode.dmPaperWidth = outWidth;
        devmode.dmPaperLength = outLength;
    }
};

TEST(FitBounds, SizesOutsideTheRangeScaleNothing) {
    struct Case {
        const char* what;
        std::uint32_t docWidth, docLength;
        std::int16_t outWidth, outLength;
    } cases[] = {
        {"-1 x -1 sign-extended by the paper capture", 0xFFFFFFFFu, 0xFFFFFFFFu, 2100, 2970},
        {"92 x 92 tenths: a 7000-fold scale", 92, 92, 2100, 2970},
        {"just below one inch", 253, 2970, 2100, 2970},
        {"just above the largest DEVMODE side", 2100, 32768, 2100, 2970},
        {"a document larger than 32 bits of dpi x width allow", 0x80000000u, 2970, 2100, 2970},
        {"zero width", 0, 2970, 2100, 2970},
        {"negative output", 2100, 2970, -1, -1},
        {"tiny output", 2100, 2970, 92, 92},
    };
    for (const Case& c : cases) {
        Device d(c.docWidth, c.docLength, c.outWidth, c.outLength);
        DeviceMetrics m = a4At600();
        EXPECT_FALSE(fitDeviceToPaper(d.record, d.devmode, m)) << c.what;
        EXPECT_EQ(m, a4At600()) << c.what << ": the core driver's metrics stay";
        EXPECT_EQ(d.record.fitScale, kUnscaled) << c.what;
    }
}

TEST(FitBounds, NoScaleWhenOffOrCustomStoresTheUnscaledValue) {
    Device off(2970, 4200, 2100, 2970);
    off.record.fitToPaper = 0;
    DeviceMetrics m = a4At600();
    EXPECT_FALSE(fitDeviceToPaper(off.record, off.devmode, m));
    EXPECT_EQ(off.record.fitScale, kUnscaled);

    Device custom(2970, 4200, 2100, 2970);
    custom.devmode.dmPaperSize = kCustomPaperSize;
    EXPECT_FALSE(fitDeviceToPaper(custom.record, custom.devmode, m));
    EXPECT_EQ(m, a4At600());
    EXPECT_EQ(custom.record.fitScale, kUnscaled);
}

TEST(FitBounds, TheEdgesOfTheRangeGivePositiveMetrics) {
    struct Case {
        const char* what;
        std::uint32_t docWidth, docLength;
        std::int16_t outWidth, outLength;
        std::int16_t orientation;
    } cases[] = {
        {"one inch onto the largest paper", 254, 254, 32767, 32767, 1},
        {"the largest paper onto one inch", 32767, 32767, 254, 254, 1},
        {"the largest paper onto one inch, landscape", 32767, 32767, 254, 254, 2},
        {"a narrow strip", 254, 32767, 2100, 2970, 1},
    };
    for (const Case& c : cases) {
        Device d(c.docWidth, c.docLength, c.outWidth, c.outLength);
        d.devmode.dmOrientation = c.orientation;
        DeviceMetrics m = a4At600();
        ASSERT_TRUE(fitDeviceToPaper(d.record, d.devmode, m)) << c.what;
        EXPECT_GT(m.logPixelsX, 0u) << c.what;
        EXPECT_GT(m.physWidth, 0) << c.what;
        EXPECT_GT(m.physHeight, 0) << c.what;
        EXPECT_GT(m.horzSize, 0u) << c.what;
        EXPECT_GT(m.vertSize, 0u) << c.what;
        EXPECT_GT(m.horzRes, 0u) << c.what;
        EXPECT_GT(m.vertRes, 0u) << c.what;
        EXPECT_LE(m.horzRes, static_cast<std::uint32_t>(m.physWidth)) << c.what;
        EXPECT_GT(d.record.fitScale, 0u) << c.what;
    }
}

TEST(FitBounds, AResolutionThatTruncatesToZeroScalesNothing) {
    // k = (25.4 - 9.17) / (3276.7 - 9.17) = 0.005: a 100 dpi device would
    // report 0 dpi and a 0 x 0 page.
    Device d(32767, 32767, 254, 254);
    DeviceMetrics m{100, 100, 826, 1169, 210, 297, 18, 18, 790, 1133};
    const DeviceMetrics before = m;
    EXPECT_FALSE(fitDeviceToPaper(d.record, d.devmode, m));
    EXPECT_EQ(m, before);
    EXPECT_EQ(d.record.fitScale, kUnscaled);
}

TEST(FitBounds, DpiTimesWidthIsExactBeyond32Bits) {
    // 200000 dpi x 30000 tenths = 6e9: wraps in 32 bits.
    FitInput in{30000, 30000, 30000, 30000, 9, 1};
    DeviceMetrics m{200000, 200000};
    const std::optional<FitScale> scale = fitScale(in);
    ASSERT_TRUE(scale);
    EXPECT_EQ(applyFit(in, *scale, m), 1000u);
    EXPECT_EQ(m.physWidth, 200000LL * 30000 / 254);
    EXPECT_EQ(m.physHeight, m.physWidth);
    EXPECT_EQ(m.offsetX, 200000 * 13 / 72);
    EXPECT_EQ(m.horzRes, static_cast<std::uint32_t>(m.physWidth - 2 * m.offsetX));
}

TEST(FitBounds, MetricsBeyond32BitsScaleNothing) {
    // The physical size would need more than 31 bits.
    FitInput in{30000, 30000, 30000, 30000, 9, 1};
    DeviceMetrics m{2000000000u, 2000000000u};
    const DeviceMetrics before = m;
    EXPECT_FALSE(applyFit(in, *fitScale(in), m));
    EXPECT_EQ(m, before);
    // A Y resolution far below X would put the margins beyond the page.
    FitInput wide{4000, 2970, 2100, 2970, 9, 1};
    DeviceMetrics skewed{60000, 10};
    EXPECT_FALSE(applyFit(wide, *fitScale(wide), skewed));
}

TEST(FitBounds, ThePaperCaptureOfANegativeSizeLeadsToNoScale) {
    // The document's paper is not among the printer's, so the capture takes
    // the DEVMODE's own -1 x -1; the merge keeps it, EnablePDEV must not use it.
    FakeSpooler spooler;
    spooler.paperList = {{9, 2100, 2970}, {8, 2970, 4200}};
    PublicDevmode publicIn{}, publicOut{};
    publicIn.dmPaperSize = 100;
    publicIn.dmPaperWidth = -1;
    publicIn.dmPaperLength = -1;
    PrivateRecord in{}, out{};
    in.dwSize = out.dwSize = kRecordSize;
    in.dwSignature = out.dwSignature = kRecordSignature;
    in.fitToPaper = 1;
    in.outputPaperSize = 9;
    in.whiteAdjust = 100;
    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    renderMerge(&in, &out);
    ASSERT_EQ(out.documentPaperWidth, 0xFFFFFFFFu);
    publicOut.dmPaperWidth = 2100;
    publicOut.dmPaperLength = 2970;
    DeviceMetrics m = a4At600();
    EXPECT_FALSE(fitDeviceToPaper(out, publicOut, m));
    EXPECT_EQ(m, a4At600());
    EXPECT_EQ(out.fitScale, kUnscaled);
}

}  // namespace
}  // namespace wren::test
