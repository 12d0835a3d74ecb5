// wrenui's DEVMODE requests on the installed printer: the defaults it writes
// from the driver's configuration files and the family libraries found
// through the real spooler, and how it converts and merges records.
#include "wine_fixture.h"

namespace wren::wine_test {
namespace {

constexpr std::uint8_t kFill = 0xAB;
constexpr std::uint32_t kFill32 = 0xABABABAB;

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class UiDevMode : public UiPluginTest {
protected:
    PrivateRecord defaults() {
        PrivateRecord r = filledRecord(kFill);
        OEMDMPARAM param = devmodeParam(nullptr, &r);
        EXPECT_EQ(plugin_->DevMode(OEMDM_DEFAULT, &param), S_OK);
        return r;
    }
    HRESULT request(DWORD mode, PrivateRecord& in, PrivateRecord& out) {
        OEMDMPARAM param = devmodeParam(&in, &out);
        return plugin_->DevMode(mode, &param);
    }
};

TEST_F(UiDevMode, DefaultsWriteTheirConstants) {
    const PrivateRecord r = defaults();
    EXPECT_EQ(+r.dwSize, 4792u);
    EXPECT_EQ(+r.dwSignature, 0x32303030u);
    EXPECT_EQ(+r.dwVersion, 1u);
    EXPECT_EQ(+r.oemItemValue, 0u);
    EXPECT_EQ(+r.jobName[0], 0);
    EXPECT_EQ(+r.password[0], 0);
    EXPECT_EQ(+r.askAtPrint, 0u);
    EXPECT_EQ(+r.watermarkIndex, 0u);
    EXPECT_EQ(+r.overlayIds[0], 255);
    EXPECT_EQ(+r.reserved1, 0);
    EXPECT_EQ(r.ccmTableNtCount & 0xFF, 0);
    EXPECT_EQ(r.ccmTableNvCount & 0xFF, 0);
    EXPECT_EQ(+r.ccmSetting, 0u);
    EXPECT_EQ(+r.reserved4, 1u);
    EXPECT_EQ(+r.nupCode, 0);
    EXPECT_EQ(+r.finishingPaperSize, 0u);
    EXPECT_EQ(+r.finishingLayoutKey, 0);
    EXPECT_EQ(+r.orientation, 0);
    EXPECT_EQ(+r.reserved7, 0u);
    EXPECT_EQ(+r.reserved8, 0u);
    EXPECT_EQ(+r.reservedText3[0], 0);
    EXPECT_EQ(+r.reservedText4[0], 0);
    EXPECT_EQ(+r.gammaSettingId, 0);
    EXPECT_EQ(+r.gammaOn, 0);
    EXPECT_EQ(+r.outputPaperSize, 9u);
    EXPECT_EQ(+r.documentPaperSize, 9u);
    EXPECT_EQ(+r.fitToPaper, 0u);
    EXPECT_EQ(+r.outputPaperIndex, 100u);
    EXPECT_EQ(+r.documentPaperWidth, 2100u);
    EXPECT_EQ(+r.documentPaperLength, 2970u);
    EXPECT_EQ(+r.fitScale, 1000u);
    EXPECT_EQ(+r.rotateSortCopy, 0u);
    EXPECT_EQ(+r.collateCopy, 0u);
    EXPECT_EQ(+r.colorRatioA, 10000u);
    EXPECT_EQ(+r.colorRatioB, 10000u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(+r.duplexScaleX[i], 10000) << i;
        EXPECT_EQ(+r.duplexScaleY[i], 10000) << i;
        EXPECT_EQ(+r.duplexOffsetX[i], 0) << i;
        EXPECT_EQ(+r.duplexOffsetY[i], 0) << i;
        EXPECT_EQ(+r.duplexAdjust[i], 0) << i;
    }
    EXPECT_EQ(+r.duplexCorrectionOn, 0u);
    EXPECT_EQ(+r.noSpecialColorSpace, 1u);
    EXPECT_EQ(+r.whiteAdjust, 100);
    EXPECT_EQ(+r.reserved11, 1u);
    EXPECT_EQ(+r.cartridgeOff, 0);
    // The sample capability file says Compression=0x0500.
    EXPECT_EQ(+r.compressionLevel, 2);
    // What the sample's stand-ins answer: zecipher.ini and zeuauth.ini as shipped.
    EXPECT_EQ(+r.cryptMode, 0u);
    EXPECT_EQ(+r.cryptStrength, 1u);
    EXPECT_EQ(+r.cryptOption, 0u);
    EXPECT_EQ(+r.cryptTimeLimit, 0x00030000u);
    EXPECT_EQ(+r.cryptPasswordLength, 0u);
    EXPECT_EQ(+r.uaEnabled, 0u);
    EXPECT_EQ(+r.uaValid, 3u);
    EXPECT_EQ(+r.uaLayout, 4u);
    // Owned by the watermark page and the carried fields: not the defaults' business.
    EXPECT_EQ(static_cast<std::uint32_t>(r.wmSize), kFill32);
    EXPECT_EQ(+r.wmText[0], 0xABAB);
    EXPECT_EQ(+r.reserved2, kFill32);
    EXPECT_EQ(+r.reserved9, kFill);
    EXPECT_EQ(+r.overlayIds[1], 0xABAB);
}

TEST_F(UiDevMode, DefaultsPointIntoTheInstalledDriver) {
    const PrivateRecord r = defaults();
    const std::wstring capability = dependentFileEndingIn(printer_, L".cap");
    const std::wstring pluginIni = dependentFileEndingIn(printer_, L"\\wren.ini");
    ASSERT_FALSE(capability.empty()) << "the spooler lists no capability file";
    ASSERT_FALSE(pluginIni.empty());
    EXPECT_EQ(capability, installedFolder() + L"wren.cap");
    EXPECT_EQ(pluginIni, installedFolder() + L"wren.ini");
    EXPECT_EQ(text(r.capabilityFilePath), capability);
    // Of the five INI files among the dependent files only wren.ini has
    // OEMConfigFile1; the stand-ins' INI files must not be taken for it.
    EXPECT_EQ(text(r.pluginIniPath), pluginIni);
    EXPECT_EQ(text(r.driverDirectory), printerDriverDirectory());
    // wren.ini has 1PassSeries=1.
    EXPECT_EQ(+r.whiteAdjustBlack, 1u);
}

TEST_F(UiDevMode, WhiteAdjustBlackFollowsThePluginIni) {
    ReplacedFile ini(L"wren.ini", "[OEMFiles]\r\nOEMConfigFile1=wrenui.dll\r\n[SpecialKey]\r\n1PassSeries=2\r\n");
    ASSERT_TRUE(ini.written());
    EXPECT_EQ(+defaults().whiteAdjustBlack, 0u) << "only the value 1 turns it on";
}

TEST_F(UiDevMode, CipherDefaultsComeFromTheCipherLibrary) {
    ReplacedFile cipher(L"zecipher.ini",
                        "[GetDefaultSetting]\r\nResult=1\r\nMode=2\r\nStrength=3\r\nOption=1\r\n"
                        "KeepingTime=0x0017003B\r\n");
    ASSERT_TRUE(cipher.written());
    const PrivateRecord r = defaults();
    EXPECT_EQ(+r.cryptMode, 2u);
    EXPECT_EQ(+r.cryptStrength, 3u);
    EXPECT_EQ(+r.cryptOption, 1u);
    EXPECT_EQ(+r.cryptTimeLimit, 0x0017003Bu);
    EXPECT_EQ(+r.cryptPasswordLength, 0u);
    EXPECT_EQ(+r.cryptPassword[0], 0);
    EXPECT_EQ(+r.cryptPassword[1], kFill) << "only the first byte of the password is cleared";
}

TEST_F(UiDevMode, CipherLibraryWithoutDefaultsLeavesItsFieldsAlone) {
    ReplacedFile cipher(L"zecipher.ini", "[GetDefaultSetting]\r\nResult=0\r\nMode=2\r\n");
    ASSERT_TRUE(cipher.written());
    const PrivateRecord r = defaults();
    EXPECT_EQ(+r.cryptMode, kFill32);
    EXPECT_EQ(+r.cryptStrength, kFill32);
    EXPECT_EQ(+r.cryptTimeLimit, kFill32);
    EXPECT_EQ(+r.cryptPasswordLength, kFill32);
    EXPECT_EQ(+r.cryptPassword[0], kFill);
}

TEST_F(UiDevMode, UserAuthDefaultsComeFromTheLibraryWithTheDriversNames) {
    TempFile log(L"wua");
    ReplacedFile auth(L"zeuauth.ini",
                      "[GetDefaultSettingEx]\r\nFill=1\r\nEnabled=1\r\nText1=alice\r\nText2=secret\r\nValid=2\r\n"
                      "Layout=9\r\nValue1=5\r\nValue2=1\r\nKind=2\r\n[Log]\r\nFile=" +
                          narrow(log.path()) + "\r\n");
    ASSERT_TRUE(auth.written());
    const PrivateRecord r = defaults();
    EXPECT_EQ(+r.uaEnabled, 1u);
    EXPECT_EQ(readField(r.uaText1), "alice");
    EXPECT_EQ(readField(r.uaText2), "secret");
    EXPECT_EQ(+r.uaValid, 2u);
    EXPECT_EQ(+r.uaValue1, 5u);
    EXPECT_EQ(+r.uaValue2, 1u);
    EXPECT_EQ(+r.uaKind, 2u);
    EXPECT_EQ(+r.uaLayout, 4u) << "written after the library call";

    const std::string calls = readFile(log.path());
    const std::string expected = "ZEUA_GetDefaultSettingEx three=3 capabilityFile=\"" +
                                 narrow(installedFolder()) + "wren.cap\" driverName=\"Wren ZE Colour PS\" block=set";
    EXPECT_NE(calls.find(expected), std::string::npos) << calls;
}

TEST_F(UiDevMode, UserAuthFieldsGetTheirConstantsWhenTheLibraryWritesNothing) {
    ReplacedFile auth(L"zeuauth.ini", "[GetDefaultSettingEx]\r\nFill=0\r\n");
    ASSERT_TRUE(auth.written());
    const PrivateRecord r = defaults();
    EXPECT_EQ(+r.uaEnabled, 0u);
    EXPECT_EQ(+r.uaText1[0], 0);
    EXPECT_EQ(+r.uaText2[0], 0);
    EXPECT_EQ(+r.uaValid, 3u);
    EXPECT_EQ(+r.uaLayout, 4u);
    EXPECT_EQ(+r.uaValue1, 0u);
    EXPECT_EQ(+r.uaValue2, 0u);
    EXPECT_EQ(+r.uaKind, 0u);
    EXPECT_EQ(+r.unused4724[0], kFill);
}

TEST_F(UiDevMode, ConvertRebuildsARecordOfAnotherSignatureWithoutReadingIt) {
    PrivateRecord in = ourRecord();
    in.dwSignature = 0x31303030;  // "0001": somebody else's
    writeField(in.jobName, u"FROMIN");
    in.whiteAdjust = 50;
    PrivateRecord out = filledRecord(kFill);
    out.dwSignature = kRecordSignature;
    out.wmSize = 36;
    writeField(out.wmText, u"DRAFT");
    ASSERT_EQ(request(OEMDM_CONVERT, in, out), S_OK);

    EXPECT_EQ(+out.dwSize, 4792u);
    EXPECT_EQ(+out.dwSignature, 0x32303030u);
    EXPECT_EQ(+out.dwVersion, 1u);
    EXPECT_EQ(+out.reserved2, 0u);
    EXPECT_EQ(+out.jobName[0], 0);
    EXPECT_EQ(+out.whiteAdjust, 100);
    EXPECT_EQ(+out.outputPaperSize, 9u);
    EXPECT_EQ(+out.noSpecialColorSpace, 1u);
    EXPECT_EQ(+out.cartridgeOff, 0);
    EXPECT_EQ(text(out.pluginIniPath), dependentFileEndingIn(printer_, L"\\wren.ini"));
    EXPECT_EQ(+out.whiteAdjustBlack, 1u);
    EXPECT_EQ(+out.cryptStrength, 1u) << "the sample cipher library's default";
    // The watermark copy and what only a same-signature convert renews stay.
    EXPECT_EQ(+out.wmSize, 36);
    EXPECT_EQ(text(out.wmText), L"DRAFT");
    EXPECT_EQ(+out.uaLayout, kFill32);
    EXPECT_EQ(+out.compressionLevel, 0xABAB);
}

TEST_F(UiDevMode, MergeCopiesOurRecordAndLimitsTheItemValue) {
    PrivateRecord in = ourRecord();
    writeField(in.jobName, u"Payroll");
    writeField(in.capabilityFilePath, u"D:\\elsewhere\\other.cap");
    in.compressionLevel = 3;
    in.fitToPaper = 1;
    in.watermarkIndex = 4;
    // The limit compares signed: -5 stays.
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {{100, 100}, {101, 0}, {0xFFFFFFFB, 0xFFFFFFFB}};
    for (auto [value, kept] : cases) {
        in.oemItemValue = value;
        PrivateRecord out = ourRecord();
        ASSERT_EQ(request(OEMDM_MERGE, in, out), S_OK);
        EXPECT_EQ(+out.oemItemValue, kept) << "value " << value;
        EXPECT_EQ(text(out.jobName), L"Payroll");
        EXPECT_EQ(+out.fitToPaper, 1u);
        EXPECT_EQ(+out.watermarkIndex, 4u);
        // Not renewed by a merge: they travel with the document.
        EXPECT_EQ(text(out.capabilityFilePath), L"D:\\elsewhere\\other.cap");
        EXPECT_EQ(+out.compressionLevel, 3);
        EXPECT_EQ(+out.dwSize, 4792u);
        EXPECT_EQ(+out.dwVersion, 1u);
    }
}

}  // namespace
}  // namespace wren::wine_test
