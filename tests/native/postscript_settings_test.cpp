#include "ps/inject/number_format.h"
#include "ps/inject/postscript_settings.h"
#include "ps/job/render_services.h"
#include "render_fixture.h"

namespace wren::test {
namespace {

TEST(NumberFormat, RatiosAndFixedDecimals) {
    EXPECT_EQ(ratioText(10000), "1.0000");
    EXPECT_EQ(ratioText(9950), "0.9950");
    EXPECT_EQ(ratioText(10200), "1.0200");
    EXPECT_EQ(fixedTwoPlaces(-5), "-0.05");
    EXPECT_EQ(fixedTwoPlaces(150), "1.50");
    EXPECT_EQ(fixedTwoPlaces(0), "0.00");
    EXPECT_EQ(fixedTwoPlaces(-150), "-1.50");
    EXPECT_EQ(fixedTwoPlaces(99999), "999.99");
}

TEST(NumberFormat, OffsetsBecomePointHundredthsRoundedAwayFromZero) {
    EXPECT_EQ(fixedTwoPlaces(offsetInPointHundredths(1, +1)), "0.28");
    EXPECT_EQ(fixedTwoPlaces(offsetInPointHundredths(1, -1)), "-0.28");
    EXPECT_EQ(fixedTwoPlaces(offsetInPointHundredths(-1, +1)), "-0.28");
    EXPECT_EQ(fixedTwoPlaces(offsetInPointHundredths(0, +1)), "0.00");
    EXPECT_EQ(fixedTwoPlaces(offsetInPointHundredths(0, -1)), "0.00");
    EXPECT_EQ(fixedTwoPlaces(offsetInPointHundredths(20, +1)), "5.67");
    EXPECT_EQ(fixedTwoPlaces(offsetInPointHundredths(-20, -1)), "5.67");
}

TEST(NupCount, PagesPerSheet) {
    const int expected[] = {1, 2, 4, 6, 9, 16, 2, 1, 1};
    for (int code = 0; code < 9; ++code) EXPECT_EQ(nupCount(static_cast<std::uint8_t>(code)), expected[code]);
}

using PostScriptSettingsTest = RenderFixture;

TEST_F(PostScriptSettingsTest, PlainPrologEntries) {
    record.nupCode = 5;
    record.whiteAdjustBlack = 1;
    EXPECT_EQ(visible(prologSettings(ctx, false)),
              visible("globaldict /ZE@NupNumber 16 put \r\n\n"
                      "globaldict /ZE@Orientation 0 put \r\n\n"
                      "globaldict /ZE@ColorMono 2 put \r\n\n"
                      "globaldict /ZE@_WhiteAdjust 100 put \r\n\n"
                      "globaldict /ZE@_WhiteAdjustBlack100 0 put \r\n\n"
                      "globaldict /ZE@_ResolutionFirst 0 put \r\n\n"
                      "globaldict /ZE@_Cartridge 1 put \r\n\n"));
}

TEST_F(PostScriptSettingsTest, CardColourSpaceResolutionAndCartridgeVariants) {
    record.noSpecialColorSpace = 0;
    record.cartridgeOff = 1;
    std::string out = prologSettings(ctx, true);
    EXPECT_NE(out.find("globaldict /ZE@ICCARD true  put \r\n\n"), std::string::npos);
    EXPECT_NE(out.find("globaldict /ZE@_SpecialColorSpace 1 put \r\n\n"), std::string::npos);
    EXPECT_NE(out.find("globaldict /ZE@_WhiteAdjustBlack100 100 put"), std::string::npos);
    EXPECT_NE(out.find("globaldict /ZE@_Cartridge 0 put"), std::string::npos);

    settings.features["ZEControl"] = "Gray";
    EXPECT_NE(prologSettings(ctx, false).find("ResolutionFirst 1"), std::string::npos);
    settings.features["ZEControl"] = "Color";
    settings.features["ZESpecialTonerInstalled"] = "White";
    settings.features["ZESpecialColorControl"] = "OnlySpecialColor";
    EXPECT_NE(prologSettings(ctx, false).find("ResolutionFirst 1"), std::string::npos);
    settings.features["ZESpecialTonerInstalled"] = "None";
    EXPECT_NE(prologSettings(ctx, false).find("ResolutionFirst 0"), std::string::npos);
    devmode.dmColor = 1;
    EXPECT_NE(prologSettings(ctx, false).find("ResolutionFirst 1"), std::string::npos);
}

TEST_F(PostScriptSettingsTest, AdjustmentEntriesPerDuplexMode) {
    record.duplexCorrectionOn = 1;
    for (int i = 0; i < 5; ++i) {
        record.duplexScaleX[i] = 10000 + i;
        record.duplexOffsetX[i] = i;
        record.duplexAdjust[i] = -i;
    }
    EXPECT_EQ(visible(adjustmentEntries(record, 1)),
              visible("globaldict /ZE@_ScaleXFront 1.0000 put \r\n\n"
                      "globaldict /ZE@_ScaleYFront 1.0000 put \r\n\n"
                      "globaldict /ZE@_OffsetXFront 0.00 put \r\n\n"
                      "globaldict /ZE@_OffsetYFront 0.00 put \r\n\n"
                      "globaldict /ZE@_SkewFront 0.00 put \r\n\n"
                      "globaldict /ZE@_Duplex_Correction false put \r\n\n"));
    std::string longEdge = adjustmentEntries(record, 2);
    EXPECT_NE(longEdge.find("ScaleXFront 1.0001 "), std::string::npos);
    EXPECT_NE(longEdge.find("OffsetXFront 0.28 "), std::string::npos);
    EXPECT_NE(longEdge.find("SkewFront 0.01 "), std::string::npos);
    EXPECT_NE(longEdge.find("ScaleXBack 1.0002 "), std::string::npos);
    EXPECT_NE(longEdge.find("Duplex_Correction true"), std::string::npos);
    std::string shortEdge = adjustmentEntries(record, 3);
    EXPECT_NE(shortEdge.find("ScaleXFront 1.0003 "), std::string::npos);
    EXPECT_NE(shortEdge.find("ScaleXBack 1.0004 "), std::string::npos);

    EXPECT_NE(prologSettings(ctx, false).find("ScaleXFront"), std::string::npos);
    devmode.dmNup = 0;  // the application does its own N-up
    EXPECT_EQ(prologSettings(ctx, false).find("ScaleXFront"), std::string::npos);
    writeMediaOverride(ctx);
    EXPECT_EQ(stream.bytes, "");
    devmode.dmNup = 1;
    writeMediaOverride(ctx);
    EXPECT_EQ(stream.bytes, kMediaOverrideFragment);
}

TEST_F(PostScriptSettingsTest, GammaFeatureFromTheHalftoneFile) {
    EXPECT_TRUE(writeGammaFeature(ctx));
    EXPECT_EQ(stream.bytes, "") << "gamma off";
    record.gammaOn = 1;
    record.gammaSettingId = 0x0101;  // only the low byte picks the setting
    EXPECT_TRUE(writeGammaFeature(ctx));
    EXPECT_EQ(visible(stream.bytes), visible("featurebegin{\r\n%%BeginFeature: *ZETone Gumma1\r\n"
                                             "{0.9 exp} settransfer\r\n"
                                             "%%EndFeature\r\n}featurecleanup\r\n"));
    stream.bytes.clear();
    profile.addFile(u"C:\\drv\\3\\wren.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n");
    writeGammaFeature(ctx);
    EXPECT_EQ(visible(stream.bytes),
              visible("featurebegin{\r\n%%BeginFeature: *ZETone Gumma1\r\n%%EndFeature\r\n}featurecleanup\r\n"));
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

// The formatters meet records that never went through the merge: every
// 32-bit value gives a well-formed number with its exact value.
TEST(NumberFormat, EveryValueGivesAWellFormedNumber) {
    struct Ratio { std::int32_t value; const char* text; };
    const Ratio ratios[] = {
        {-5, "-0.0005"}, {-10000, "-1.0000"}, {-19999, "-1.9999"}, {1, "0.0001"}, {0, "0.0000"},
        {INT32_MAX, "214748.3647"}, {INT32_MIN, "-214748.3648"},
    };
    for (const Ratio& r : ratios) EXPECT_EQ(ratioText(r.value), r.text) << r.value;

    struct Fixed { std::int64_t value; const char* text; };
    const Fixed fixed[] = {
        {-1, "-0.01"}, {-100, "-1.00"}, {100000, "1000.00"},
        {-static_cast<std::int64_t>(INT32_MIN), "21474836.48"}, {INT64_MIN, "-92233720368547758.08"},
        {INT64_MAX, "92233720368547758.07"},
    };
    for (const Fixed& f : fixed) EXPECT_EQ(fixedTwoPlaces(f.value), f.text) << f.value;

    struct Offset { std::int32_t tenthsMm; int sign; std::int64_t hundredths; };
    const Offset offsets[] = {
        {INT32_MAX, +1, 60873552198}, {INT32_MIN, +1, -60873552227}, {INT32_MIN, -1, 60873552227},
        {INT32_MAX, -1, -60873552198}, {21, +1, 595}, {1, 7, 28}, {1, -7, -28},
    };
    for (const Offset& o : offsets)
        EXPECT_EQ(offsetInPointHundredths(o.tenthsMm, o.sign), o.hundredths) << o.tenthsMm << " sign " << o.sign;
}

TEST_F(PostScriptSettingsTest, ExtremeAdjustmentsStayWellFormed) {
    record.duplexCorrectionOn = 1;
    devmode.dmDuplex = 2;
    for (int i = 0; i < 5; ++i) {
        record.duplexScaleX[i] = INT32_MIN;
        record.duplexScaleY[i] = -5;
        record.duplexOffsetX[i] = INT32_MIN;
        record.duplexOffsetY[i] = INT32_MAX;
        record.duplexAdjust[i] = INT32_MIN;
    }
    record.whiteAdjust = INT32_MIN;
    const std::string out = prologSettings(ctx, false);
    EXPECT_NE(out.find("globaldict /ZE@_ScaleXFront -214748.3648 put \r\n\n"), std::string::npos);
    EXPECT_NE(out.find("globaldict /ZE@_ScaleYBack -0.0005 put \r\n\n"), std::string::npos);
    EXPECT_NE(out.find("globaldict /ZE@_SkewBack 21474836.48 put \r\n\n"), std::string::npos);
    EXPECT_NE(out.find("globaldict /ZE@_OffsetXFront -608735522.27 put \r\n\n"), std::string::npos);
    EXPECT_NE(out.find("globaldict /ZE@_WhiteAdjust -2147483648 put \r\n\n"), std::string::npos);
    for (char c : out) EXPECT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E)) << int(c);
}

}  // namespace
}  // namespace wren::test
