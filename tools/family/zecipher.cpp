// Stand-in for the printer family's cipher library ("CryptoDll"). It shows no
// dialog: the INI file beside it (zecipher.ini) gives the answers a user or the
// real library would give. The job cipher itself is stand_in_cipher.h.
#include <windows.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "common/family/family_exports.h"
#include "stand_in_cipher.h"
#include "stand_in_config.h"

using namespace wren::family;
using wren::stand_in::Config;
using wren::stand_in::JobCipher;
using wren::stand_in::LogLine;

namespace {

// Result codes of the encryption calls: 0 is success for the plug-in.
constexpr int kOk = 0;
constexpr int kBadArgument = 1;
constexpr int kWrongState = 2;
constexpr int kForcedFailure = 3;

// The key record: two uint32 parameters, then the key material.
constexpr std::size_t kKeyMaterialBytes = 33;

constexpr std::uint32_t kSessionTag = 0x5A454353;  // "ZECS"

struct Session {
    std::uint32_t tag = kSessionTag;
    std::unique_ptr<JobCipher> cipher;
    bool ended = false;
    long long updates = 0;
    std::vector<unsigned char> out;  // what the last call handed back
};

Session* sessionOf(CipherHandle handle) {
    auto* session = static_cast<Session*>(handle);
    return session && session->tag == kSessionTag ? session : nullptr;
}

void put32(void* base, std::size_t offset, std::uint32_t value) {
    std::memcpy(static_cast<unsigned char*>(base) + offset, &value, 4);
}

bool forced(const Config& config, const wchar_t* key) {
    return config.integer(L"Encryption", key, 0) != 0;
}

int handBack(Session& session, std::vector<unsigned char> bytes, const std::uint8_t** outData,
             std::uint32_t* outSize) {
    session.out = std::move(bytes);
    *outData = session.out.data();
    *outSize = static_cast<std::uint32_t>(session.out.size());
    return kOk;
}

// The three initialisations differ only in where the key material's size
// comes from; a password key ends at its first NUL.
int start(LogLine line, CipherHandle handle, const void* keyRecord, std::size_t keySize,
          const std::uint8_t** outData, std::uint32_t* outSize, const wchar_t* failKey) {
    Config config;
    Session* session = sessionOf(handle);
    const auto* record = static_cast<const unsigned char*>(keyRecord);
    std::uint32_t mode = 0, strength = 0;
    if (record) {
        std::memcpy(&mode, record, 4);
        std::memcpy(&strength, record + 4, 4);
        line.number("mode", mode).number("strength", strength).number("keySize", static_cast<long long>(keySize))
            .bytes("key", record + 8, keySize);
    }
    line.write(config);
    if (!session || !record || !outData || !outSize || keySize > kKeyMaterialBytes) return kBadArgument;
    if (session->cipher) return kWrongState;
    if (forced(config, failKey)) return kForcedFailure;
    session->cipher = std::make_unique<JobCipher>(mode, strength, record + 8, keySize);
    return handBack(*session, session->cipher->start(), outData, outSize);
}

}  // namespace

extern "C" {

int WREN_FAMILY_CALL GetDefaultSetting(void* settings, int one) {
    Config config;
    LogLine("GetDefaultSetting").pointer("settings", settings).number("one", one).write(config);
    int result = int(config.integer(L"GetDefaultSetting", L"Result", 1));
    if (!settings || result == 0) return result;
    // Only the 32 bytes that every caller provides are written.
    std::memset(settings, 0, 32);
    put32(settings, 0, std::uint32_t(config.integer(L"GetDefaultSetting", L"Mode", 0)));
    put32(settings, 4, std::uint32_t(config.integer(L"GetDefaultSetting", L"Strength", 1)));
    put32(settings, 24, std::uint32_t(config.integer(L"GetDefaultSetting", L"Option", 0)));
    put32(settings, 28, std::uint32_t(config.integer(L"GetDefaultSetting", L"KeepingTime", 0x00030000)));
    return result;
}

int WREN_FAMILY_CALL DispCryptoUIEx(void* ownerWindow, CipherBlock* block, int mode) {
    Config config;
    LogLine line("DispCryptoUIEx");
    line.pointer("owner", ownerWindow).number("mode", mode);
    if (block) {
        line.number("blockMode", block->mode).number("blockStrength", block->strength)
            .text("password", block->password, sizeof block->password)
            .number("option", block->option).hex32("keepingTime", block->keepingTime);
    }
    line.write(config);
    int result = int(config.integer(L"DispCryptoUIEx", L"Result", 1));
    if (!block || result == 0) return result;
    // What the user "typed": only the keys that are set change the block.
    const wchar_t* section = L"DispCryptoUIEx";
    if (auto v = config.integerIfSet(section, L"Mode")) block->mode = std::uint32_t(*v);
    if (auto v = config.integerIfSet(section, L"Strength")) block->strength = std::uint32_t(*v);
    if (auto v = config.integerIfSet(section, L"Option")) block->option = std::uint32_t(*v);
    if (auto v = config.integerIfSet(section, L"KeepingTime")) block->keepingTime = std::uint32_t(*v);
    if (auto v = config.textIfSet(section, L"Password")) {
        std::memset(block->password, 0, sizeof block->password);
        std::memcpy(block->password, v->data(), std::min(v->size(), sizeof block->password - 1));
    }
    return result;
}

int WREN_FAMILY_CALL EncryptPassword(const char* plain, std::uint32_t length, std::uint8_t* out,
                                     std::uint32_t* inOutLength) {
    Config config;
    LogLine("EncryptPassword").text("plain", plain, length).number("length", length)
        .number("capacity", inOutLength ? static_cast<long long>(*inOutLength) : -1).write(config);
    if (!plain || !out || !inOutLength || config.integer(L"EncryptPassword", L"Fail", 0)) return 0;
    std::vector<unsigned char> sealed = wren::stand_in::sealPassword(plain, length, *inOutLength);
    if (sealed.empty()) return 0;
    std::memcpy(out, sealed.data(), sealed.size());
    *inOutLength = std::uint32_t(sealed.size());
    return 1;
}

int WREN_FAMILY_CALL DecryptPassword(const std::uint8_t* stored, std::uint32_t storedLength, char* out,
                                     std::uint32_t* inOutSize) {
    Config config;
    LogLine("DecryptPassword").number("storedLength", storedLength)
        .number("size", inOutSize ? static_cast<long long>(*inOutSize) : -1).write(config);
    if (!out || !inOutSize || *inOutSize == 0 || config.integer(L"DecryptPassword", L"Fail", 0)) return 0;
    std::string plain;
    if (storedLength != 0 && (!stored || !wren::stand_in::openPassword(stored, storedLength, plain))) return 0;
    if (plain.size() + 1 > *inOutSize) return 0;
    std::memcpy(out, plain.c_str(), plain.size() + 1);
    *inOutSize = std::uint32_t(plain.size());
    return 1;
}

int WREN_FAMILY_CALL DispPasswordUI(char* buffer33) {
    Config config;
    LogLine("DispPasswordUI").pointer("buffer", buffer33).write(config);
    if (!buffer33) return 0;
    std::string password = config.text(L"DispPasswordUI", L"Password", "");
    std::memset(buffer33, 0, 33);
    std::memcpy(buffer33, password.data(), std::min<std::size_t>(password.size(), 32));
    return int(config.integer(L"DispPasswordUI", L"Result", 1));
}

CipherHandle WREN_FAMILY_CALL CreateEncryption() {
    Config config;
    LogLine("CreateEncryption").write(config);
    if (forced(config, L"FailCreate")) return nullptr;
    return new (std::nothrow) Session;
}

int WREN_FAMILY_CALL InitEncryption(CipherHandle handle, const void* keyRecord, const std::uint8_t** outData,
                                    std::uint32_t* outSize) {
    // No size is given: the key is the password text of the record's 33 bytes.
    std::size_t keySize = 0;
    if (keyRecord) keySize = strnlen(static_cast<const char*>(keyRecord) + 8, kKeyMaterialBytes);
    return start(LogLine("InitEncryption"), handle, keyRecord, keySize, outData, outSize, L"FailInit");
}

int WREN_FAMILY_CALL InitEncryptionEx(CipherHandle handle, const void* keyRecord, std::uint32_t keySize,
                                      const std::uint8_t** outData, std::uint32_t* outSize) {
    return start(LogLine("InitEncryptionEx"), handle, keyRecord, keySize, outData, outSize, L"FailInitEx");
}

int WREN_FAMILY_CALL InitEncryptionEx2(CipherHandle handle, int two, const void* keyRecord, std::uint32_t keySize,
                                       const std::uint8_t** outData, std::uint32_t* outSize) {
    if (two != 2) {
        Config config;
        LogLine("InitEncryptionEx2").number("two", two).write(config);
        return kBadArgument;
    }
    return start(LogLine("InitEncryptionEx2").number("two", two), handle, keyRecord, keySize, outData, outSize,
                 L"FailInitEx2");
}

int WREN_FAMILY_CALL UpdateEncryption(CipherHandle handle, const void* data, std::uint32_t size,
                                      const std::uint8_t** outData, std::uint32_t* outSize) {
    Config config;
    LogLine("UpdateEncryption").number("size", size).write(config);
    Session* session = sessionOf(handle);
    if (!session || (!data && size) || !outData || !outSize) return kBadArgument;
    if (!session->cipher || session->ended) return kWrongState;
    ++session->updates;
    if (forced(config, L"FailUpdate") ||
        session->updates == config.integer(L"Encryption", L"FailUpdateCall", 0))
        return kForcedFailure;
    return handBack(*session, session->cipher->encrypt(data, size), outData, outSize);
}

int WREN_FAMILY_CALL EndEncryption(CipherHandle handle, const std::uint8_t** outData, std::uint32_t* outSize) {
    Config config;
    LogLine("EndEncryption").write(config);
    Session* session = sessionOf(handle);
    if (!session || !outData || !outSize) return kBadArgument;
    if (!session->cipher || session->ended) return kWrongState;
    if (forced(config, L"FailEnd")) return kForcedFailure;
    session->ended = true;
    return handBack(*session, session->cipher->end(), outData, outSize);
}

void WREN_FAMILY_CALL DeleteEncryption(CipherHandle handle) {
    Config config;
    LogLine("DeleteEncryption").pointer("handle", handle).write(config);
    if (Session* session = sessionOf(handle)) {
        session->tag = 0;
        delete session;
    }
}

}  // extern "C"

// The stand-in must match the declarations the plug-ins call through.
static_assert(std::is_same_v<decltype(&GetDefaultSetting), GetDefaultSettingFn>);
static_assert(std::is_same_v<decltype(&DispCryptoUIEx), DispCryptoUIExFn>);
static_assert(std::is_same_v<decltype(&EncryptPassword), EncryptPasswordFn>);
static_assert(std::is_same_v<decltype(&DecryptPassword), DecryptPasswordFn>);
static_assert(std::is_same_v<decltype(&DispPasswordUI), DispPasswordUIFn>);
static_assert(std::is_same_v<decltype(&CreateEncryption), CreateEncryptionFn>);
static_assert(std::is_same_v<decltype(&InitEncryption), InitEncryptionFn>);
static_assert(std::is_same_v<decltype(&InitEncryptionEx), InitEncryptionExFn>);
static_assert(std::is_same_v<decltype(&InitEncryptionEx2), InitEncryptionEx2Fn>);
static_assert(std::is_same_v<decltype(&UpdateEncryption), UpdateEncryptionFn>);
static_assert(std::is_same_v<decltype(&EndEncryption), EndEncryptionFn>);
static_assert(std::is_same_v<decltype(&DeleteEncryption), DeleteEncryptionFn>);
