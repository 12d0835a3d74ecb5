// The plug-ins' private extension of the printer DEVMODE: one packed,
// little-endian block of 4792 bytes that the core driver stores after the
// public DEVMODE and hands to both plug-ins. Fields start at odd offsets, so
// the struct is packed and every offset is pinned below: stored documents and
// printer defaults depend on this exact layout.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wren {

inline constexpr std::uint32_t kRecordSize = 4792;
inline constexpr std::uint32_t kRecordSignature = 0x32303030;  // "0002" in memory
inline constexpr std::uint32_t kRecordVersion = 1;

#pragma pack(push, 1)
struct PrivateRecord {
    std::uint32_t dwSize;
    std::uint32_t dwSignature;
    std::uint32_t dwVersion;
    std::uint32_t oemItemValue;
    char16_t jobName[17];
    char16_t password[5];
    std::uint32_t askAtPrint;
    std::uint8_t unused64[4];
    std::uint32_t watermarkIndex;
    std::uint16_t overlayIds[4];
    std::uint16_t reserved1;
    std::uint8_t unused82[2];
    std::uint32_t reserved2;
    std::uint16_t ccmTableNtCount;
    std::uint8_t ccmTableNt[253];
    std::uint16_t ccmTableNvCount;
    std::uint8_t ccmTableNv[255];
    std::uint32_t ccmSetting;
    std::uint32_t reserved4;
    std::int32_t wmSize;
    std::int32_t wmFontIndex;
    std::int16_t wmAngle;
    std::uint8_t unused618[2];
    std::int32_t wmOffsetX;
    std::int32_t wmOffsetY;
    std::uint32_t wmColor;
    std::uint8_t unused632[262];
    char16_t wmFontName[32];
    std::uint8_t unused958[2];
    std::int32_t wmWeight;
    std::uint8_t wmItalic;
    std::uint8_t wmCharSet;
    std::uint16_t wmPosition;
    std::uint16_t wmBorder;
    std::uint16_t wmInBackground;
    std::uint8_t wmFirstPageOnly;
    std::uint8_t unused973[1];
    std::uint16_t wmStyleCode;
    char wmColorText[16];
    char16_t driverDirectory[261];
    char16_t pluginIniPath[261];
    char16_t capabilityFilePath[261];
    std::uint16_t compressionLevel;
    std::uint8_t nupCode;
    std::uint8_t unused2561[3];
    std::uint32_t finishingPaperSize;
    std::uint8_t finishingLayoutKey;
    std::uint8_t orientation;
    char16_t wmText[513];
    std::uint32_t cryptMode;
    std::uint32_t cryptStrength;
    std::uint8_t cryptPassword[256];
    std::uint32_t cryptPasswordLength;
    std::uint32_t cryptTimeLimit;
    std::uint32_t cryptOption;
    std::uint32_t reserved7;
    std::uint8_t unused3876[4];
    std::uint32_t reserved8;
    char reservedText3[256];
    std::uint8_t reserved9;
    char reservedText4[64];
    std::uint8_t reserved10;
    std::uint8_t unused4206[2];
    std::uint16_t gammaSettingId;
    std::uint16_t gammaOn;
    std::uint32_t outputPaperSize;
    std::uint32_t documentPaperSize;
    std::uint32_t fitToPaper;
    std::uint32_t outputPaperIndex;
    std::uint32_t documentPaperWidth;
    std::uint32_t documentPaperLength;
    std::uint32_t fitScale;
    std::uint32_t rotateSortCopy;
    std::uint32_t collateCopy;
    std::uint32_t colorRatioA;
    std::uint32_t colorRatioB;
    std::int32_t duplexScaleX[5];
    std::int32_t duplexScaleY[5];
    std::int32_t duplexOffsetX[5];
    std::int32_t duplexOffsetY[5];
    std::int32_t duplexAdjust[5];
    std::uint32_t duplexCorrectionOn;
    std::uint32_t noSpecialColorSpace;
    std::int32_t whiteAdjust;
    std::uint32_t whiteAdjustBlack;
    std::uint32_t reserved11;
    // The user-authentication block: the authentication library writes
    // offsets 4376..4787 in one piece, starting at uaEnabled.
    std::uint32_t uaEnabled;
    char uaText1[257];
    char uaText2[67];
    std::uint32_t uaValid;
    std::uint32_t uaLayout;
    std::uint32_t uaValue1;
    std::uint32_t uaValue2;
    std::uint32_t uaKind;
    std::uint8_t unused4724[64];
    std::int32_t cartridgeOff;
};
#pragma pack(pop)

static_assert(sizeof(PrivateRecord) == kRecordSize);
static_assert(alignof(PrivateRecord) == 1);

#define WREN_AT(field, offset) static_assert(offsetof(PrivateRecord, field) == (offset), #field)
WREN_AT(dwSize, 0);
WREN_AT(dwSignature, 4);
WREN_AT(dwVersion, 8);
WREN_AT(oemItemValue, 12);
WREN_AT(jobName, 16);
WREN_AT(password, 50);
WREN_AT(askAtPrint, 60);
WREN_AT(watermarkIndex, 68);
WREN_AT(overlayIds, 72);
WREN_AT(reserved1, 80);
WREN_AT(reserved2, 84);
WREN_AT(ccmTableNtCount, 88);
WREN_AT(ccmTableNvCount, 343);
WREN_AT(ccmSetting, 600);
WREN_AT(reserved4, 604);
WREN_AT(wmSize, 608);
WREN_AT(wmFontIndex, 612);
WREN_AT(wmAngle, 616);
WREN_AT(wmOffsetX, 620);
WREN_AT(wmOffsetY, 624);
WREN_AT(wmColor, 628);
WREN_AT(wmFontName, 894);
WREN_AT(wmWeight, 960);
WREN_AT(wmItalic, 964);
WREN_AT(wmCharSet, 965);
WREN_AT(wmPosition, 966);
WREN_AT(wmBorder, 968);
WREN_AT(wmInBackground, 970);
WREN_AT(wmFirstPageOnly, 972);
WREN_AT(wmStyleCode, 974);
WREN_AT(wmColorText, 976);
WREN_AT(driverDirectory, 992);
WREN_AT(pluginIniPath, 1514);
WREN_AT(capabilityFilePath, 2036);
WREN_AT(compressionLevel, 2558);
WREN_AT(nupCode, 2560);
WREN_AT(finishingPaperSize, 2564);
WREN_AT(finishingLayoutKey, 2568);
WREN_AT(orientation, 2569);
WREN_AT(wmText, 2570);
WREN_AT(cryptMode, 3596);
WREN_AT(cryptStrength, 3600);
WREN_AT(cryptPassword, 3604);
WREN_AT(cryptPasswordLength, 3860);
WREN_AT(cryptTimeLimit, 3864);
WREN_AT(cryptOption, 3868);
WREN_AT(reserved7, 3872);
WREN_AT(reserved8, 3880);
WREN_AT(reservedText3, 3884);
WREN_AT(reserved9, 4140);
WREN_AT(reservedText4, 4141);
WREN_AT(reserved10, 4205);
WREN_AT(gammaSettingId, 4208);
WREN_AT(gammaOn, 4210);
WREN_AT(outputPaperSize, 4212);
WREN_AT(documentPaperSize, 4216);
WREN_AT(fitToPaper, 4220);
WREN_AT(outputPaperIndex, 4224);
WREN_AT(documentPaperWidth, 4228);
WREN_AT(documentPaperLength, 4232);
WREN_AT(fitScale, 4236);
WREN_AT(rotateSortCopy, 4240);
WREN_AT(collateCopy, 4244);
WREN_AT(colorRatioA, 4248);
WREN_AT(colorRatioB, 4252);
WREN_AT(duplexScaleX, 4256);
WREN_AT(duplexScaleY, 4276);
WREN_AT(duplexOffsetX, 4296);
WREN_AT(duplexOffsetY, 4316);
WREN_AT(duplexAdjust, 4336);
WREN_AT(duplexCorrectionOn, 4356);
WREN_AT(noSpecialColorSpace, 4360);
WREN_AT(whiteAdjust, 4364);
WREN_AT(whiteAdjustBlack, 4368);
WREN_AT(reserved11, 4372);
WREN_AT(uaEnabled, 4376);
WREN_AT(uaText1, 4380);
WREN_AT(uaText2, 4637);
WREN_AT(uaValid, 4704);
WREN_AT(uaLayout, 4708);
WREN_AT(uaValue1, 4712);
WREN_AT(uaValue2, 4716);
WREN_AT(uaKind, 4720);
WREN_AT(cartridgeOff, 4788);
#undef WREN_AT

// The record as the core driver hands it over: any address, any alignment.
inline PrivateRecord* asRecord(void* p) { return static_cast<PrivateRecord*>(p); }
inline const PrivateRecord* asRecord(const void* p) { return static_cast<const PrivateRecord*>(p); }

}  // namespace wren
