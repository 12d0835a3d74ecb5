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

// Every named field with the offset stored records have it at, once: the
// offsets are checked here, and the record's schema (record_schema.h) is
// made from the same list.
#define WREN_RECORD_FIELDS(X) \
    X(dwSize, 0) X(dwSignature, 4) X(dwVersion, 8) X(oemItemValue, 12) X(jobName, 16) X(password, 50) \
    X(askAtPrint, 60) X(watermarkIndex, 68) X(overlayIds, 72) X(reserved1, 80) X(reserved2, 84) \
    X(ccmTableNtCount, 88) X(ccmTableNt, 90) X(ccmTableNvCount, 343) X(ccmTableNv, 345) X(ccmSetting, 600) \
    X(reserved4, 604) X(wmSize, 608) X(wmFontIndex, 612) X(wmAngle, 616) X(wmOffsetX, 620) X(wmOffsetY, 624) \
    X(wmColor, 628) X(wmFontName, 894) X(wmWeight, 960) X(wmItalic, 964) X(wmCharSet, 965) X(wmPosition, 966) \
    X(wmBorder, 968) X(wmInBackground, 970) X(wmFirstPageOnly, 972) X(wmStyleCode, 974) X(wmColorText, 976) \
    X(driverDirectory, 992) X(pluginIniPath, 1514) X(capabilityFilePath, 2036) X(compressionLevel, 2558) \
    X(nupCode, 2560) X(finishingPaperSize, 2564) X(finishingLayoutKey, 2568) X(orientation, 2569) \
    X(wmText, 2570) X(cryptMode, 3596) X(cryptStrength, 3600) X(cryptPassword, 3604) \
    X(cryptPasswordLength, 3860) X(cryptTimeLimit, 3864) X(cryptOption, 3868) X(reserved7, 3872) \
    X(reserved8, 3880) X(reservedText3, 3884) X(reserved9, 4140) X(reservedText4, 4141) X(reserved10, 4205) \
    X(gammaSettingId, 4208) X(gammaOn, 4210) X(outputPaperSize, 4212) X(documentPaperSize, 4216) \
    X(fitToPaper, 4220) X(outputPaperIndex, 4224) X(documentPaperWidth, 4228) X(documentPaperLength, 4232) \
    X(fitScale, 4236) X(rotateSortCopy, 4240) X(collateCopy, 4244) X(colorRatioA, 4248) X(colorRatioB, 4252) \
    X(duplexScaleX, 4256) X(duplexScaleY, 4276) X(duplexOffsetX, 4296) X(duplexOffsetY, 4316) \
    X(duplexAdjust, 4336) X(duplexCorrectionOn, 4356) X(noSpecialColorSpace, 4360) X(whiteAdjust, 4364) \
    X(whiteAdjustBlack, 4368) X(reserved11, 4372) X(uaEnabled, 4376) X(uaText1, 4380) X(uaText2, 4637) \
    X(uaValid, 4704) X(uaLayout, 4708) X(uaValue1, 4712) X(uaValue2, 4716) X(uaKind, 4720) \
    X(cartridgeOff, 4788)

#define WREN_AT(field, offset) static_assert(offsetof(PrivateRecord, field) == (offset), #field);
WREN_RECORD_FIELDS(WREN_AT)
#undef WREN_AT

// The record as the core driver hands it over: any address, any alignment.
inline PrivateRecord* asRecord(void* p) { return static_cast<PrivateRecord*>(p); }
inline const PrivateRecord* asRecord(const void* p) { return static_cast<const PrivateRecord*>(p); }

}  // namespace wren
