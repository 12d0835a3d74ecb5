#include "common/settings/record_text.h"
#include "common/settings/render_devmode.h"
#include "settings_fixture.h"

namespace wren::test {
namespace {

PrivateRecord ourRecord(std::uint8_t fill = 0) {
    PrivateRecord r;
    std::memset(&r, fill, sizeof r);
    r.dwSize = kRecordSize;
    r.dwSignature = kRecordSignature;
    r.dwVersion = 1;
    r.whiteAdjust = 100;
    r.cryptTimeLimit = 0x20000;
    for (int i = 0; i < 5; ++i) r.duplexScaleX[i] = r.duplexScaleY[i] = 10000;
    r.colorRatioA = r.colorRatioB = 10000;
    return r;
}

TEST(RenderMerge, OutOfRangeValuesFallBackToTheirSafeValues) {
    PrivateRecord in = ourRecord();
    in.watermarkIndex = 17;
    in.nupCode = 7;
    in.orientation = 3;
    in.cryptTimeLimit = 4;
    in.whiteAdjust = 101;
    in.oemItemValue = 55;
    PrivateRecord out = ourRecord(0x99);
    renderMerge(&in, &out);
    EXPECT_EQ(+out.watermarkIndex, 0u);
    EXPECT_EQ(+out.nupCode, 0);
    EXPECT_EQ(+out.orientation, 0);
    EXPECT_EQ(+out.cryptTimeLimit, 0x20000u);
    EXPECT_EQ(+out.whiteAdjust, 100);
    EXPECT_EQ(+out.oemItemValue, 55u) << "copied; only the merge request stamps it 0";
}

TEST(RenderMerge, RangesAreInclusiveAndSignedWhereTheyShouldBe) {
    PrivateRecord in = ourRecord();
    in.cryptTimeLimit = 0x00170000 + 59;
    in.duplexOffsetX[0] = -20;
    in.duplexOffsetX[1] = 20;
    in.duplexOffsetX[2] = -21;
    in.duplexAdjust[3] = -50;
    in.duplexAdjust[4] = 51;
    in.duplexScaleY[2] = 9799;
    in.colorRatioA = 9900;
    in.colorRatioB = 9899;
    in.cartridgeOff = -1;
    in.ccmSetting = 0x0001013B;  // utility on, from "Gamma", setting 59
    PrivateRecord out = ourRecord();
    renderMerge(&in, &out);
    EXPECT_EQ(+out.cryptTimeLimit, 0x00170000u + 59);
    EXPECT_EQ(+out.duplexOffsetX[0], -20);
    EXPECT_EQ(+out.duplexOffsetX[1], 20);
    EXPECT_EQ(+out.duplexOffsetX[2], 0);
    EXPECT_EQ(+out.duplexAdjust[3], -50);
    EXPECT_EQ(+out.duplexAdjust[4], 0);
    EXPECT_EQ(+out.duplexScaleY[2], 10000);
    EXPECT_EQ(+out.colorRatioA, 9900u);
    EXPECT_EQ(+out.colorRatioB, 10000u);
    EXPECT_EQ(+out.cartridgeOff, 0);
    EXPECT_EQ(+out.ccmSetting, 0x0001013Bu);

    in.cryptTimeLimit = 0x00180000;
    in.ccmSetting = 0x0000003C;  // setting 60
    renderMerge(&in, &out);
    EXPECT_EQ(+out.cryptTimeLimit, 0x20000u);
    EXPECT_EQ(+out.ccmSetting, 0u);
}

TEST(RenderMerge, PasswordGammaAndCarriedFieldsAreCheckedTogether) {
    PrivateRecord in = ourRecord();
    in.cryptPasswordLength = 256;
    in.cryptPassword[0] = 'x';
    in.gammaOn = 2;
    in.gammaSettingId = 5;
    in.reserved8 = 1;
    in.reserved9 = 3;
    in.reserved10 = 4;
    in.ccmTableNtCount = 256;
    in.ccmTableNvCount = 255;
    in.compressionLevel = 4;
    PrivateRecord out = ourRecord();
    renderMerge(&in, &out);
    EXPECT_EQ(+out.cryptPasswordLength, 0u);
    EXPECT_EQ(+out.cryptPassword[0], 0);
    EXPECT_EQ(+out.gammaOn, 0);
    EXPECT_EQ(+out.gammaSettingId, 0);
    EXPECT_EQ(+out.reserved9, 0);
    EXPECT_EQ(+out.reserved10, 0);
    EXPECT_EQ(+out.ccmTableNtCount, 0);
    EXPECT_EQ(+out.ccmTableNvCount, 255);
    EXPECT_EQ(+out.compressionLevel, 0);

    in.cryptPasswordLength = 12;
    in.cryptPassword[0] = 'x';
    renderMerge(&in, &out);
    EXPECT_EQ(+out.cryptPasswordLength, 12u);
    EXPECT_EQ(+out.cryptPassword[0], 'x');
}

TEST(RenderMerge, AForeignRecordIsNeverCopied) {
    PrivateRecord in = ourRecord(0x55);
    in.dwSignature = 0xDEADBEEF;
    PrivateRecord out = ourRecord(0x66);
    out.oemItemValue = 9;
    out.dwVersion = 7;
    renderMerge(&in, &out);
    EXPECT_EQ(+out.dwSize, 4792u);
    EXPECT_EQ(+out.dwSignature, kRecordSignature);
    EXPECT_EQ(+out.dwVersion, 1u);
    EXPECT_EQ(+out.oemItemValue, 0u);
    EXPECT_EQ(+out.wmSize, 0x66666666);
}

class PaperCaptureTest : public SettingsFixture {
protected:
    PublicDevmode publicIn{}, publicOut{};
    PrivateRecord in = ourRecord(), out = ourRecord();
    void SetUp() override {
        SettingsFixture::SetUp();
        writeField(publicIn.dmDeviceName, u"Wren Test");
        publicIn.dmPaperSize = 8;  // A3
        publicIn.dmPaperWidth = 1;
        publicIn.dmPaperLength = 2;
        publicOut = publicIn;
        in.fitToPaper = 1;
        in.outputPaperSize = 9;  // A4
        spooler.paperList = {{1, 2159, 2794}, {8, 2970, 4200}, {9, 2100, 2970}};
    }
};

TEST_F(PaperCaptureTest, TheDocumentPaperIsRecordedAndTheOutputPaperSelected) {
    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    EXPECT_EQ(spooler.askedPapersFor, u"Wren Test");
    EXPECT_EQ(+in.documentPaperSize, 8u);
    EXPECT_EQ(+out.documentPaperSize, 8u);
    EXPECT_EQ(publicIn.dmPaperSize, 9);
    EXPECT_EQ(publicOut.dmPaperSize, 9);
    EXPECT_EQ(+out.documentPaperWidth, 2970u);
    EXPECT_EQ(+out.documentPaperLength, 4200u);
    EXPECT_EQ(+in.documentPaperWidth, 2970u);
}

TEST_F(PaperCaptureTest, AnUnlistedPaperTakesThePublicDimensionsAndTheLastEntryCounts) {
    publicIn.dmPaperSize = 70;
    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    EXPECT_EQ(+out.documentPaperWidth, 1u);
    EXPECT_EQ(+out.documentPaperLength, 2u);

    publicIn.dmPaperSize = 9;  // the printer's last entry
    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    EXPECT_EQ(+out.documentPaperWidth, 2100u);
}

TEST_F(PaperCaptureTest, CustomPaperOrFitOffLeavesEverythingAlone) {
    publicIn.dmPaperSize = kCustomPaperSize;
    publicOut.dmPaperSize = kCustomPaperSize;
    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    EXPECT_EQ(publicIn.dmPaperSize, kCustomPaperSize);
    EXPECT_EQ(publicOut.dmPaperSize, kCustomPaperSize);
    EXPECT_EQ(+out.documentPaperSize, 0u);

    publicIn.dmPaperSize = 8;
    in.fitToPaper = 0;
    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    EXPECT_EQ(publicIn.dmPaperSize, 8);
}

TEST_F(PaperCaptureTest, ARecordWithoutThePaperFieldsIsLeftAlone) {
    in.dwSignature = 0x44444444;
    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    EXPECT_EQ(publicIn.dmPaperSize, 8) << "a foreign record's fit flag means nothing";
    in.dwSignature = kRecordSignature;
    in.dwSize = 4000;
    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    EXPECT_EQ(publicIn.dmPaperSize, 8) << "a short record has no paper fields";
    paperCapture(&publicIn, &publicOut, &in, nullptr, spooler);
    EXPECT_EQ(publicIn.dmPaperSize, 8);
    in.dwSize = kRecordSize;
    paperCapture(&publicIn, &publicOut, &in, nullptr, spooler);
    EXPECT_EQ(+in.documentPaperWidth, 2970u) << "without record out, record in still gets the paper";
}

TEST_F(PaperCaptureTest, NoPapersStopsAfterTheSizesAreSwapped) {
    spooler.paperList.clear();
    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    EXPECT_EQ(publicOut.dmPaperSize, 9);
    EXPECT_EQ(+out.documentPaperSize, 8u);
    EXPECT_EQ(+out.documentPaperWidth, 0u);
}

TEST_F(PaperCaptureTest, MergeRequestCapturesThenMergesThenStampsTheHeader) {
    DevModeRequest request;
    request.publicIn = &publicIn;
    request.publicOut = &publicOut;
    request.recordIn = &in;
    request.recordOut = &out;
    in.oemItemValue = 77;
    EXPECT_EQ(renderDevMode(4, &request, spooler), DevModeStatus::Ok);
    EXPECT_EQ(+out.documentPaperWidth, 2970u);
    EXPECT_EQ(+out.oemItemValue, 0u);
    EXPECT_EQ(+out.fitToPaper, 1u);

    PrivateRecord fresh;
    std::memset(&fresh, 0x42, sizeof fresh);
    request.recordOut = &fresh;
    EXPECT_EQ(renderDevMode(2, &request, spooler), DevModeStatus::Ok);
    EXPECT_EQ(+fresh.dwSize, 4792u);
    EXPECT_EQ(+fresh.oemItemValue, 0u);
    EXPECT_EQ(+fresh.askAtPrint, 0x42424242u) << "defaults write only the header and the item value";
    EXPECT_EQ(renderDevMode(9, &request, spooler), DevModeStatus::InvalidParameter);
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

// Each colour-correction table keeps a count only up to its own bytes.
TEST(RenderMerge, TableCountsAreBoundByEachTablesCapacity) {
    struct Case { std::uint16_t nt, nv, wantNt, wantNv; };
    const Case cases[] = {
        {253, 255, 253, 255},
        {254, 255, 0, 255},
        {255, 256, 0, 0},
        {0xFFFF, 0xFFFF, 0, 0},
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        PrivateRecord in = ourRecord();
        in.ccmTableNtCount = c.nt;
        in.ccmTableNvCount = c.nv;
        PrivateRecord out = ourRecord();
        renderMerge(&in, &out);
        EXPECT_EQ(+out.ccmTableNtCount, c.wantNt) << "ccmTableNtCount " << c.nt;
        EXPECT_EQ(+out.ccmTableNvCount, c.wantNv) << "ccmTableNvCount " << c.nv;
    }
}

}  // namespace
}  // namespace wren::test
