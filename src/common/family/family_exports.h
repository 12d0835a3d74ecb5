// The exports of the printer family's four libraries (cipher, user
// authentication, IC card, job information), declared once for the plug-ins
// that call them and for the stand-ins that implement them. All text is
// 8-bit, all counts and sizes 32-bit.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define WREN_FAMILY_CALL __stdcall
#else
#define WREN_FAMILY_CALL
#endif

namespace wren::family {

// ---- cipher library ("CryptoDll") ----
// Settings structure of GetDefaultSetting: the plug-ins read four members.
struct CipherSettings {
    std::uint32_t mode;          // offset 0
    std::uint32_t strength;      // offset 4
    std::uint8_t other[16];      // offsets 8..23: the library's own
    std::uint32_t option;        // offset 24
    std::uint32_t keepingTime;   // offset 28
    std::uint8_t spare[32];      // room for a library that writes more
};
static_assert(sizeof(CipherSettings) >= 32);
static_assert(offsetof(CipherSettings, mode) == 0 && offsetof(CipherSettings, strength) == 4);
static_assert(offsetof(CipherSettings, option) == 24 && offsetof(CipherSettings, keepingTime) == 28);

// The 36-byte block that the encryption dialog confirms.
#pragma pack(push, 1)
struct CipherBlock {
    std::uint32_t mode;
    std::uint32_t strength;
    char password[16];
    std::uint32_t option;
    std::uint32_t keepingTime;
    std::uint8_t reserved[4];
};
#pragma pack(pop)
static_assert(sizeof(CipherBlock) == 36);

using CipherHandle = void*;
using GetDefaultSettingFn = int(WREN_FAMILY_CALL*)(void* settings, int one);
using DispCryptoUIExFn = int(WREN_FAMILY_CALL*)(void* ownerWindow, CipherBlock* block, int mode);
using EncryptPasswordFn = int(WREN_FAMILY_CALL*)(const char* plain, std::uint32_t length,
                                                 std::uint8_t* out, std::uint32_t* inOutLength);
using DecryptPasswordFn = int(WREN_FAMILY_CALL*)(const std::uint8_t* stored, std::uint32_t storedLength,
                                                 char* out, std::uint32_t* inOutSize);
using DispPasswordUIFn = int(WREN_FAMILY_CALL*)(char* buffer33);
using CreateEncryptionFn = CipherHandle(WREN_FAMILY_CALL*)();
using InitEncryptionFn = int(WREN_FAMILY_CALL*)(CipherHandle, const void* keyRecord,
                                                const std::uint8_t** outData, std::uint32_t* outSize);
using InitEncryptionExFn = int(WREN_FAMILY_CALL*)(CipherHandle, const void* keyRecord, std::uint32_t keySize,
                                                  const std::uint8_t** outData, std::uint32_t* outSize);
using InitEncryptionEx2Fn = int(WREN_FAMILY_CALL*)(CipherHandle, int two, const void* keyRecord,
                                                   std::uint32_t keySize, const std::uint8_t** outData,
                                                   std::uint32_t* outSize);
using UpdateEncryptionFn = int(WREN_FAMILY_CALL*)(CipherHandle, const void* data, std::uint32_t size,
                                                  const std::uint8_t** outData, std::uint32_t* outSize);
using EndEncryptionFn = int(WREN_FAMILY_CALL*)(CipherHandle, const std::uint8_t** outData,
                                               std::uint32_t* outSize);
using DeleteEncryptionFn = void(WREN_FAMILY_CALL*)(CipherHandle);

// ---- user-authentication library ("UA_DLL") ----
// The block starts at uaEnabled of the private settings record (412 bytes).
inline constexpr std::uint32_t kUserAuthBlockSize = 412;
using UaGetDefaultSettingExFn = int(WREN_FAMILY_CALL*)(int three, const char* capabilityFile,
                                                      const char* driverName, void* userAuthBlock);
using UaDispUserAuthUIExFn = int(WREN_FAMILY_CALL*)(int three, void* ownerWindow, const char* capabilityFile,
                                                   const char* printerName, void* userAuthBlock);
using UaDispUserAuthUIFn = int(WREN_FAMILY_CALL*)();  // only its presence is tested

// ---- IC-card library ("CARD_DLL") ----
using QueryCardDriverFn = int(WREN_FAMILY_CALL*)(const char* driverName, const char* capabilityFile);
using GetCardDataFn = int(WREN_FAMILY_CALL*)(const char* driverName, const char* capabilityFile,
                                             std::uint8_t* buffer, std::uint32_t* inOutSize);

// ---- job-information library ("JobInfoDLL") ----
using GetPrintingApplicationFn = int(WREN_FAMILY_CALL*)(int zero, char* buffer120, std::uint32_t* size);
using GetJobInfoCmdFn = int(WREN_FAMILY_CALL*)(int mode, const void* record, char* buffer, std::uint32_t* size);
using GetJobInfoAccessCtrlCmdFn = int(WREN_FAMILY_CALL*)(int four, const void* record, char* prefix,
                                                        std::uint32_t* prefixSize, char* text,
                                                        std::uint32_t* textSize);

// Job-information records, as the library receives them.
struct JobInfoRecord {           // mode 2
    const char* printerName;
    const char* capabilityFile;
    std::uint32_t jobId;
    std::uint8_t pagesPerSheet;
    std::uint8_t padding[3];
    const char* applicationName;
};
struct JobInfoRecordOld {        // mode 0
    const char* printerName;
    const char* capabilityFile;
    std::uint32_t jobId;
    std::uint32_t pagesPerSheet;  // the 8-bit value and the three bytes after it
    std::uint32_t zero;
};
struct AccessControlRecord {     // mode 4
    const char* printerName;
    const char* capabilityFile;
    std::uint32_t jobId;
    std::uint8_t pagesPerSheet;
    std::uint8_t padding[3];
    const char* applicationName;
    std::uint32_t outputManagement;
    const char* userAuthText1;
    const char* userAuthText2;
    std::uint32_t jobFlags;
};

}  // namespace wren::family
