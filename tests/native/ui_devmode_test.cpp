#include "common/settings/compression.h"
#include "common/settings/record_text.h"
#include "common/settings/ui_devmode.h"
#include "settings_fixture.h"

namespace wren::test {
namespace {

using UiDevModeTest = SettingsFixture;

TEST_F(UiDevModeTest, DefaultsWriteEveryConstantAndConsultTheConfiguration) {
    PrivateRecord r = filled(0xAB);
    uiDefaults(r, printer, env);

    EXPECT_EQ(+r.dwSize, 4792u);
    EXPECT_EQ(+r.dwSignature, 0x32303030u);
    EXPECT_EQ(+r.dwVersion, 1u);
    EXPECT_EQ(+r.oemItemValue, 0u);
    EXPECT_EQ(+r.jobName[0], u'\0');
    EXPECT_EQ(+r.overlayIds[0], 255);
    EXPECT_EQ(+r.overlayIds[1], 0xABAB);  // slots 2..4 are not written
    EXPECT_EQ(+r.ccmTableNtCount, 0xAB00);  // only the low byte of the count
    EXPECT_EQ(+r.reserved4, 1u);
    EXPECT_EQ(+r.outputPaperSize, 9u);
    EXPECT_EQ(+r.outputPaperIndex, 100u);
    EXPECT_EQ(+r.documentPaperWidth, 2100u);
    EXPECT_EQ(+r.documentPaperLength, 2970u);
    EXPECT_EQ(+r.fitScale, 1000u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(+r.duplexScaleX[i], 10000);
        EXPECT_EQ(+r.duplexOffsetY[i], 0);
    }
    EXPECT_EQ(+r.noSpecialColorSpace, 1u);
    EXPECT_EQ(+r.whiteAdjust, 100);
    EXPECT_EQ(+r.reserved11, 1u);
    EXPECT_EQ(+r.cartridgeOff, 0);
    EXPECT_EQ(+r.wmSize, static_cast<std::int32_t>(0xABABABAB));  // the watermark copy is never written

    EXPECT_EQ(readField(r.pluginIniPath), u"C:\\drv\\3\\wren.ini");
    EXPECT_EQ(+r.whiteAdjustBlack, 1u);
    EXPECT_EQ(readField(r.capabilityFilePath), u"C:\\drv\\3\\wren.cap");
    EXPECT_EQ(readField(r.driverDirectory), u"C:\\drivers\\x64");
    EXPECT_EQ(+r.compressionLevel, 2);

    // User authentication: constants, then the library's answer, then the layout.
    EXPECT_EQ(answers.uaCalls, 1);
    EXPECT_EQ(answers.uaCapability, "C:\\drv\\3\\wren.cap");
    EXPECT_EQ(answers.uaDriver, "Wren ZE Colour PS");
    EXPECT_EQ(+r.uaEnabled, 1u);
    EXPECT_EQ(readField(r.uaText1), "alice");
    EXPECT_EQ(+r.uaValid, 3u);
    EXPECT_EQ(+r.uaLayout, 4u);

    EXPECT_EQ(+r.cryptMode, 1u);
    EXPECT_EQ(+r.cryptStrength, 2u);
    EXPECT_EQ(+r.cryptOption, 1u);
    EXPECT_EQ(+r.cryptTimeLimit, 0x00030000u);
    EXPECT_EQ(+r.cryptPasswordLength, 0u);
    EXPECT_EQ(loader.live, 0) << "every family library is unloaded after its use";
}

TEST_F(UiDevModeTest, MissingLibrariesLeaveTheirFieldsAlone) {
    loader.libraries.clear();
    PrivateRecord r = filled(0x11);
    uiDefaults(r, printer, env);
    EXPECT_EQ(+r.uaEnabled, 0x11111111u);
    EXPECT_EQ(+r.uaLayout, 0x11111111u);
    EXPECT_EQ(+r.cryptMode, 0x11111111u);

    // A cipher library that answers 0 has no defaults either.
    loader.libraries[u"C:\\drivers\\x64\\3\\zecipher.dll"] = {{"GetDefaultSetting", exportOf(&fakeGetDefaultSetting)}};
    answers.cipherResult = 0;
    uiDefaults(r, printer, env);
    EXPECT_EQ(+r.cryptMode, 0x11111111u);

    // A library without the export still sets the user-authentication constants.
    loader.libraries[u"C:\\drivers\\x64\\3\\zeuauth.dll"] = {};
    uiDefaults(r, printer, env);
    EXPECT_EQ(+r.uaEnabled, 0u);
    EXPECT_EQ(+r.uaValid, 3u);
    EXPECT_EQ(+r.uaLayout, 4u);
}

TEST_F(UiDevModeTest, DriverWithoutItsFilesKeepsThePluginPathAndHasNoModelSection) {
    spooler.printers[printer].dependentFiles = FakeSpooler::list({u"C:\\drv\\3\\wrenps.dll"});
    capabilityPath = u"stale";
    PrivateRecord r = filled(0);
    writeField(r.pluginIniPath, u"C:\\drv\\3\\wren.ini");
    uiDefaults(r, printer, env);
    EXPECT_EQ(capabilityPath, u"");
    EXPECT_EQ(readField(r.pluginIniPath), u"C:\\drv\\3\\wren.ini");
    EXPECT_EQ(+r.whiteAdjustBlack, 1u);  // read from the path the record held
    EXPECT_EQ(readField(r.capabilityFilePath), u"");
    EXPECT_EQ(+r.compressionLevel, 0);
    EXPECT_TRUE(loader.loads.empty()) << "no model section, so no family library";
}

TEST_F(UiDevModeTest, CompressionLevelsFollowBitsEightToEleven) {
    EXPECT_EQ(compressionLevelFor(0x0500), 2);
    EXPECT_EQ(compressionLevelFor(0x00FF), 0);
    EXPECT_EQ(compressionLevelFor(0x0100), 1);
    EXPECT_EQ(compressionLevelFor(0x0300), 1);
    EXPECT_EQ(compressionLevelFor(0x0700), 3);
    EXPECT_EQ(compressionLevelFor(0x0900), 3);
    EXPECT_EQ(compressionLevelFor(0x0A00), 0);
    EXPECT_EQ(compressionLevelFor(0x1100), 1);  // higher bits do not count
    setCapability("Compression=0x00FF\n");
    PrivateRecord r = filled(0);
    uiDefaults(r, printer, env);
    EXPECT_EQ(+r.compressionLevel, 0);
}

TEST_F(UiDevModeTest, ConvertOfAForeignRecordRebuildsOnlyWhatThePluginsRelyOn) {
    PrivateRecord in = filled(0x5A);
    PrivateRecord out = filled(0x33);
    out.dwSignature = 0x12345678;
    out.reserved2 = 7;
    uiConvert(&in, &out, printer, env);
    EXPECT_EQ(+out.dwSize, 4792u);
    EXPECT_EQ(+out.dwSignature, 0x32303030u);
    EXPECT_EQ(+out.dwVersion, 1u);
    EXPECT_EQ(+out.reserved2, 0u);
    EXPECT_EQ(+out.wmSize, 0x33333333) << "the watermark copy stays as it was";
    EXPECT_EQ(+out.fitScale, 1000u);
    EXPECT_EQ(+out.whiteAdjustBlack, 1u);
    EXPECT_EQ(+out.cryptMode, 1u);
    EXPECT_EQ(+out.uaLayout, 0x33333333u) << "no user-authentication step for a foreign record";
    EXPECT_EQ(+out.reserved8, 0x33333333u);
}

TEST_F(UiDevModeTest, ConvertOfOurRecordCopiesItOverTheFreshFields) {
    PrivateRecord in = filled(0);
    uiDefaults(in, printer, env);
    writeField(in.jobName, u"Report");
    in.whiteAdjust = 42;
    in.compressionLevel = 3;
    PrivateRecord out = filled(0x44);
    out.dwSignature = kRecordSignature;
    out.dwSize = 4792;
    uiConvert(&in, &out, printer, env);
    EXPECT_EQ(readField(out.jobName), u"Report");
    EXPECT_EQ(+out.whiteAdjust, 42);
    EXPECT_EQ(+out.compressionLevel, 3);

    // A shorter stored record: the fields past its end keep the fresh values.
    in.dwSize = 4360;
    out = filled(0x44);
    out.dwSignature = kRecordSignature;
    out.dwSize = 4792;
    uiConvert(&in, &out, printer, env);
    EXPECT_EQ(+out.dwSize, 4792u);
    EXPECT_EQ(+out.whiteAdjust, 100);
    EXPECT_EQ(+out.noSpecialColorSpace, 1u);
    EXPECT_EQ(+out.uaLayout, 4u);
    EXPECT_EQ(+out.duplexCorrectionOn, in.duplexCorrectionOn);  // offset 4356 < 4360
}

TEST_F(UiDevModeTest, ADamagedSizeNeverCopiesPastOneRecord) {
    struct Guarded {
        PrivateRecord record;
        std::uint8_t guard[64];
    };
    Guarded in{}, out{};
    std::memset(&in, 0x77, sizeof in);
    std::memset(out.guard, 0xEE, sizeof out.guard);
    in.record.dwSignature = out.record.dwSignature = kRecordSignature;
    in.record.dwSize = out.record.dwSize = 0xFFFFFFFF;
    uiConvert(&in.record, &out.record, printer, env);
    for (std::uint8_t b : out.guard) ASSERT_EQ(b, 0xEE);
    EXPECT_EQ(+out.record.dwSize, 4792u);
}

TEST_F(UiDevModeTest, MergeResetsAnItemValueAboveOneHundred) {
    PrivateRecord in = filled(0);
    uiDefaults(in, printer, env);
    PrivateRecord out = in;
    in.oemItemValue = 100;
    uiMerge(&in, &out, printer, env);
    EXPECT_EQ(+out.oemItemValue, 100u);
    in.oemItemValue = 101;
    uiMerge(&in, &out, printer, env);
    EXPECT_EQ(+out.oemItemValue, 0u);
    in.oemItemValue = 0xFFFFFFFF;  // -1: kept, the comparison is signed
    uiMerge(&in, &out, printer, env);
    EXPECT_EQ(+out.oemItemValue, 0xFFFFFFFFu);
}

TEST_F(UiDevModeTest, RequestsCheckTheirModeAndAnswerTheSize) {
    std::uint32_t size = 0;
    DevModeRequest request;
    request.bufferSize = &size;
    EXPECT_EQ(uiDevMode(1, &request, env), DevModeStatus::Ok);
    EXPECT_EQ(size, 4792u);
    EXPECT_EQ(uiDevMode(0, &request, env), DevModeStatus::InvalidParameter);
    EXPECT_EQ(uiDevMode(5, &request, env), DevModeStatus::InvalidParameter);
    EXPECT_EQ(uiDevMode(2, nullptr, env), DevModeStatus::InvalidParameter);
    EXPECT_EQ(uiDevMode(3, &request, env), DevModeStatus::Ok) << "absent records: nothing done, still S_OK";
}

}  // namespace
}  // namespace wren::test
