// wrenps's DEVMODE requests on the installed printer: its defaults, the merge
// that guards the rendering side against out-of-range values, and the paper
// capture for fit to paper, which asks the real spooler (wineps.drv with the
// sample PPD) for the printer's papers.
#include "wine_fixture.h"

namespace wren::wine_test {
namespace {

constexpr std::uint8_t kFill = 0xAB;

class RenderDevMode : public RenderPluginTest {
protected:
    HRESULT request(DWORD mode, PrivateRecord& in, PrivateRecord& out, DEVMODEW* publicIn = nullptr,
                    DEVMODEW* publicOut = nullptr) {
        OEMDMPARAM param = devmodeParam(&in, &out, publicIn, publicOut);
        return plugin_->DevMode(mode, &param);
    }
};

// The paper sizes the printer reports for `code`, tenths of a millimetre.
POINT reportedSize(WORD code) {
    const int count = DeviceCapabilitiesW(kPrinterName, nullptr, DC_PAPERS, nullptr, nullptr);
    if (count <= 0) return {};
    std::vector<WORD> codes(count);
    std::vector<POINT> sizes(count);
    DeviceCapabilitiesW(kPrinterName, nullptr, DC_PAPERS, reinterpret_cast<LPWSTR>(codes.data()), nullptr);
    DeviceCapabilitiesW(kPrinterName, nullptr, DC_PAPERSIZE, reinterpret_cast<LPWSTR>(sizes.data()), nullptr);
    for (int i = 0; i < count; ++i)
        if (codes[i] == code) return sizes[i];
    return {};
}

TEST_F(RenderDevMode, DefaultsWriteOnlyTheHeaderAndTheItemValue) {
    PrivateRecord in = filledRecord(0);
    PrivateRecord out = filledRecord(kFill);
    ASSERT_EQ(request(OEMDM_DEFAULT, in, out), S_OK);
    EXPECT_EQ(+out.dwSize, 4792u);
    EXPECT_EQ(+out.dwSignature, 0x32303030u);
    EXPECT_EQ(+out.dwVersion, 1u);
    EXPECT_EQ(+out.oemItemValue, 0u);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&out);
    std::size_t touched = 0;
    for (std::size_t i = 16; i < sizeof out; ++i) touched += bytes[i] != kFill;
    EXPECT_EQ(touched, 0u) << "the rest stays as the core driver passed it";
}

TEST_F(RenderDevMode, MergeResetsValuesTheRenderingSideCannotUse) {
    PrivateRecord in = ourRecord();
    in.oemItemValue = 55;
    in.watermarkIndex = 17;
    in.nupCode = 7;
    in.orientation = 3;
    in.cryptTimeLimit = 4;
    in.whiteAdjust = 101;
    in.duplexOffsetX[0] = -21;
    in.duplexOffsetX[1] = -20;
    in.cryptPasswordLength = 256;
    in.cryptPassword[0] = 0xE5;
    PrivateRecord out = ourRecord();
    ASSERT_EQ(request(OEMDM_MERGE, in, out), S_OK);
    EXPECT_EQ(+out.oemItemValue, 0u);
    EXPECT_EQ(+out.watermarkIndex, 0u);
    EXPECT_EQ(+out.nupCode, 0);
    EXPECT_EQ(+out.orientation, 0);
    EXPECT_EQ(+out.cryptTimeLimit, 0x20000u);
    EXPECT_EQ(+out.whiteAdjust, 100);
    EXPECT_EQ(+out.duplexOffsetX[0], 0);
    EXPECT_EQ(+out.duplexOffsetX[1], -20);
    EXPECT_EQ(+out.cryptPasswordLength, 0u);
    EXPECT_EQ(+out.cryptPassword[0], 0);

    // In range: copied as they are.
    in.watermarkIndex = 16;
    in.nupCode = 6;
    in.cryptTimeLimit = 0x0017003B;
    ASSERT_EQ(request(OEMDM_CONVERT, in, out), S_OK);
    EXPECT_EQ(+out.watermarkIndex, 16u);
    EXPECT_EQ(+out.nupCode, 6);
    EXPECT_EQ(+out.cryptTimeLimit, 0x0017003Bu);
}

TEST_F(RenderDevMode, MergeKeepsItsOwnRecordWhenTheOtherIsForeign) {
    PrivateRecord in = ourRecord();
    in.dwSignature = 0x31303030;
    in.watermarkIndex = 3;
    PrivateRecord out = filledRecord(kFill);
    out.dwSignature = kRecordSignature;
    ASSERT_EQ(request(OEMDM_MERGE, in, out), S_OK);
    EXPECT_EQ(+out.dwSize, 4792u);
    EXPECT_EQ(+out.dwSignature, 0x32303030u);
    EXPECT_EQ(+out.dwVersion, 1u);
    EXPECT_EQ(+out.oemItemValue, 0u);
    EXPECT_EQ(+out.watermarkIndex, 0xABABABABu);
    EXPECT_EQ(+out.whiteAdjust, static_cast<std::int32_t>(0xABABABAB)) << "not validated either";
}

TEST_F(RenderDevMode, PrinterReportsTheSamplePapers) {
    // What the capture below relies on: wineps.drv answers from wren.ppd,
    // whose A3 is 842 x 1191 points; Wine truncates 4201.6 to 4201.
    const POINT a3 = reportedSize(DMPAPER_A3);
    EXPECT_EQ(a3.x, 2970);
    EXPECT_EQ(a3.y, 4201);
    EXPECT_EQ(reportedSize(DMPAPER_TABLOID).x, 0) << "not in the sample PPD";
}

TEST_F(RenderDevMode, MergeCapturesTheDocumentPaperForFitToPaper) {
    // Sizes unlike the printer's, to tell where the captured ones came from.
    DEVMODEW publicIn = publicDevmode(DMPAPER_A3, 2960, 4190);
    DEVMODEW publicOut = publicIn;
    PrivateRecord in = ourRecord();
    in.fitToPaper = 1;
    in.outputPaperSize = DMPAPER_A4;
    PrivateRecord out = ourRecord();
    ASSERT_EQ(request(OEMDM_MERGE, in, out, &publicIn, &publicOut), S_OK);

    const POINT a3 = reportedSize(DMPAPER_A3);
    EXPECT_EQ(+out.documentPaperSize, 8u);
    EXPECT_EQ(+out.documentPaperWidth, static_cast<std::uint32_t>(a3.x));
    EXPECT_EQ(+out.documentPaperLength, static_cast<std::uint32_t>(a3.y));
    EXPECT_EQ(+out.fitToPaper, 1u);
    EXPECT_EQ(+out.outputPaperSize, 9u);
    // Both public DEVMODEs now ask for the output paper; the record in, too,
    // remembers the document paper.
    EXPECT_EQ(publicIn.dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(publicOut.dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(+in.documentPaperSize, 8u);
    EXPECT_EQ(+in.documentPaperWidth, static_cast<std::uint32_t>(a3.x));
}

TEST_F(RenderDevMode, PaperCaptureFallsBackToTheDevmodesSizeForAnUnknownPaper) {
    DEVMODEW publicIn = publicDevmode(DMPAPER_TABLOID, 2794, 4318);
    DEVMODEW publicOut = publicIn;
    PrivateRecord in = ourRecord();
    in.fitToPaper = 1;
    in.outputPaperSize = DMPAPER_A4;
    PrivateRecord out = ourRecord();
    ASSERT_EQ(request(OEMDM_MERGE, in, out, &publicIn, &publicOut), S_OK);
    EXPECT_EQ(+out.documentPaperSize, static_cast<std::uint32_t>(DMPAPER_TABLOID));
    EXPECT_EQ(+out.documentPaperWidth, 2794u);
    EXPECT_EQ(+out.documentPaperLength, 4318u);
    EXPECT_EQ(publicOut.dmPaperSize, DMPAPER_A4);
}

TEST_F(RenderDevMode, PaperCaptureLeavesCustomPaperAndPlainJobsAlone) {
    struct Case {
        short paper;
        std::uint32_t fit;
    };
    for (Case c : {Case{0x7FFF, 1}, Case{DMPAPER_A3, 0}}) {
        DEVMODEW publicIn = publicDevmode(c.paper, 2970, 4200);
        DEVMODEW publicOut = publicIn;
        PrivateRecord in = ourRecord();
        in.fitToPaper = c.fit;
        in.outputPaperSize = DMPAPER_A4;
        PrivateRecord out = ourRecord();
        ASSERT_EQ(request(OEMDM_MERGE, in, out, &publicIn, &publicOut), S_OK);
        EXPECT_EQ(publicIn.dmPaperSize, c.paper);
        EXPECT_EQ(publicOut.dmPaperSize, c.paper);
        EXPECT_EQ(+out.documentPaperSize, 9u);
        EXPECT_EQ(+out.documentPaperWidth, 2100u);
        EXPECT_EQ(+out.documentPaperLength, 2970u);
    }
    // Convert copies and checks but never captures.
    DEVMODEW publicIn = publicDevmode(DMPAPER_A3, 2970, 4200);
    DEVMODEW publicOut = publicIn;
    PrivateRecord in = ourRecord();
    in.fitToPaper = 1;
    PrivateRecord out = ourRecord();
    ASSERT_EQ(request(OEMDM_CONVERT, in, out, &publicIn, &publicOut), S_OK);
    EXPECT_EQ(publicOut.dmPaperSize, DMPAPER_A3);
    EXPECT_EQ(+out.documentPaperSize, 9u);
}

}  // namespace
}  // namespace wren::wine_test
