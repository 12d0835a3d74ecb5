// Stand-in for the printer family's cipher library ("CryptoDll"). Its job
// cipher is real: AES-256-GCM through CNG with a PBKDF2 key, in the format of
// stand_in_cipher.h, which wrenhost's unseal reads back. What a user or the
// real library would answer otherwise comes from the INI file beside it
// (zecipher.ini); without a password there, DispPasswordUI shows a dialog.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "cng_aead.h"
#include "common/family/family_exports.h"
#include "password_prompt.h"
#include "stand_in_cipher.h"
#include "stand_in_config.h"

using namespace wren::family;
using wren::stand_in::Bytes;
using wren::stand_in::Config;
using wren::stand_in::JobHeader;
using wren::stand_in::JobSealer;
using wren::stand_in::LogLine;
using wren::stand_in::kKeyMaterialBytes;

namespace {

// Result codes of the encryption calls: 0 is success for the plug-in.
constexpr int kOk = 0;
constexpr int kBadArgument = 1;
constexpr int kWrongState = 2;
constexpr int kForcedFailure = 3;
constexpr int kCryptoFailure = 4;

constexpr std::uint32_t kSessionTag = 0x5A454353;  // "ZECS"

struct Session {
    std::uint32_t tag = kSessionTag;
    std::unique_ptr<JobSealer> sealer;
    bool ended = false;
    long long updates = 0;
    Bytes out;  // what the last call handed back; the plug-in never frees it
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

// A test may make the library report a wrong size: shorter than its bytes, or
// longer, with zero bytes behind so that the caller still reads owned memory.
int handBack(const Config& config, const wchar_t* sizeDeltaKey, Session& session, Bytes bytes,
             const std::uint8_t** outData, std::uint32_t* outSize) {
    long long size = static_cast<long long>(bytes.size());
    const long long delta = config.integer(L"Encryption", sizeDeltaKey, 0);
    if (delta > 0) bytes.resize(bytes.size() + std::size_t(std::min(delta, 1ll << 20)), 0);
    size = std::clamp(size + delta, 0ll, static_cast<long long>(bytes.size()));
    session.out = std::move(bytes);
    *outData = session.out.data();
    *outSize = static_cast<std::uint32_t>(size);
    return kOk;
}

// The three initialisations differ only in where the key material's size
// comes from; a password key ends at its first NUL.
int start(LogLine line, CipherHandle handle, const void* keyRecord, std::size_t keySize,
          const std::uint8_t** outData, std::uint32_t* outSize, const wchar_t* failKey) {
    Config config;
    Session* session = sessionOf(handle);
    const auto* record = static_cast<const unsigned char*>(keyRecord);
    JobHeader header;
    if (record) {
        std::memcpy(&header.mode, record, 4);
        std::memcpy(&header.strength, record + 4, 4);
        line.number("mode", header.mode).number("strength", header.strength)
            .number("keySize", static_cast<long long>(keySize));
        line.bytes("key", record + 8, std::min(keySize, kKeyMaterialBytes));
    }
    line.write(config);
    // An empty key would seal a job that anybody can open.
    if (!session || !record || !outData || !outSize || keySize == 0 || keySize > kKeyMaterialBytes)
        return kBadArgument;
    if (session->sealer || session->ended) return kWrongState;
    if (forced(config, failKey)) return kForcedFailure;
    header.iterations = std::uint32_t(config.integer(L"Encryption", L"Iterations", wren::stand_in::kDefaultIterations));
    if (header.iterations == 0 || header.iterations > wren::stand_in::kMaxIterations) return kBadArgument;
    if (!wren::stand_in::cngRandom(header.salt.data(), header.salt.size()) ||
        !wren::stand_in::cngRandom(header.nonceBase.data(), header.nonceBase.size()))
        return kCryptoFailure;
    auto aead = wren::stand_in::cngDeriveJobKey(record + 8, keySize, header.salt, header.iterations);
    if (!aead) return kCryptoFailure;
    auto sealer = std::make_unique<JobSealer>(header, std::move(aead));
    Bytes out;
    if (!sealer->start(out)) return kCryptoFailure;
    session->sealer = std::move(sealer);
    return handBack(config, L"InitSizeDelta", *session, std::move(out), outData, outSize);
}

// Stored passwords: a marker, a random nonce, the text under AES-GCM with the
// library's fixed key, the tag. The stand-in has no secret of its own, so
// this only keeps the password out of plain sight in the settings record.
constexpr unsigned char kPasswordMarker = 0xE6;
constexpr std::size_t kPasswordOverhead = 1 + wren::stand_in::kNonceBytes + wren::stand_in::kTagBytes;
constexpr std::size_t kMaxPasswordText = 224;
constexpr std::array<unsigned char, 32> kPasswordKey = {
    0x5a, 0x45, 0x2d, 0x50, 0x57, 0x44, 0x2d, 0x4b, 0x45, 0x59, 0x2d, 0x76, 0x31, 0x00, 0x9e, 0x37,
    0x79, 0xb9, 0x7f, 0x4a, 0x7c, 0x15, 0xbf, 0x58, 0x47, 0x6d, 0x1c, 0xe4, 0xe5, 0xb9, 0x94, 0xd0};
const Bytes kPasswordAad = {'Z', 'E', '-', 'P', 'W', 'D'};

std::optional<Bytes> sealPassword(const char* plain, std::size_t length) {
    if (length > kMaxPasswordText) return std::nullopt;
    auto aead = wren::stand_in::cngAead(kPasswordKey);
    wren::stand_in::Nonce nonce{};
    if (!aead || !wren::stand_in::cngRandom(nonce.data(), nonce.size())) return std::nullopt;
    Bytes out(kPasswordOverhead + length);
    out[0] = kPasswordMarker;
    std::memcpy(out.data() + 1, nonce.data(), nonce.size());
    wren::stand_in::Tag tag{};
    if (!aead->seal(nonce, kPasswordAad, reinterpret_cast<const unsigned char*>(plain), length, out.data() + 13, tag))
        return std::nullopt;
    std::memcpy(out.data() + 13 + length, tag.data(), tag.size());
    return out;
}

std::optional<std::string> openPassword(const std::uint8_t* stored, std::size_t size) {
    if (size < kPasswordOverhead || stored[0] != kPasswordMarker) return std::nullopt;
    const std::size_t length = size - kPasswordOverhead;
    auto aead = wren::stand_in::cngAead(kPasswordKey);
    if (!aead) return std::nullopt;
    wren::stand_in::Nonce nonce{};
    std::memcpy(nonce.data(), stored + 1, nonce.size());
    wren::stand_in::Tag tag{};
    std::memcpy(tag.data(), stored + 13 + length, tag.size());
    std::string plain(length, '\0');
    if (!aead->open(nonce, kPasswordAad, stored + 13, length, reinterpret_cast<unsigned char*>(plain.data()), tag))
        return std::nullopt;
    return plain;
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
    std::optional<Bytes> sealed = sealPassword(plain, length);
    if (!sealed || sealed->size() > *inOutLength) return 0;
    std::memcpy(out, sealed->data(), sealed->size());
    *inOutLength = std::uint32_t(sealed->size());
    return 1;
}

int WREN_FAMILY_CALL DecryptPassword(const std::uint8_t* stored, std::uint32_t storedLength, char* out,
                                     std::uint32_t* inOutSize) {
    Config config;
    LogLine("DecryptPassword").number("storedLength", storedLength)
        .number("size", inOutSize ? static_cast<long long>(*inOutSize) : -1).write(config);
    if (!out || !inOutSize || *inOutSize == 0 || config.integer(L"DecryptPassword", L"Fail", 0)) return 0;
    std::string plain;
    if (storedLength != 0) {
        std::optional<std::string> opened = stored ? openPassword(stored, storedLength) : std::nullopt;
        if (!opened) return 0;
        plain = std::move(*opened);
    }
    if (plain.size() + 1 > *inOutSize) return 0;
    std::memcpy(out, plain.c_str(), plain.size() + 1);
    *inOutSize = std::uint32_t(plain.size());
    return 1;
}

int WREN_FAMILY_CALL DispPasswordUI(char* buffer33) {
    Config config;
    LogLine("DispPasswordUI").pointer("buffer", buffer33).write(config);
    if (!buffer33) return 0;
    // A test answers through the INI file; a user through the dialog.
    std::optional<std::string> password = config.textIfSet(L"DispPasswordUI", L"Password");
    const bool asked = !password;
    if (asked) password = wren::stand_in::askPassword();
    std::memset(buffer33, 0, 33);
    if (!password) return 0;  // cancelled: no password
    std::memcpy(buffer33, password->data(), std::min<std::size_t>(password->size(), 32));
    SecureZeroMemory(password->data(), password->size());
    return asked ? 1 : int(config.integer(L"DispPasswordUI", L"Result", 1));
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
    if (!session->sealer || session->ended) return kWrongState;
    ++session->updates;
    if (forced(config, L"FailUpdate") ||
        session->updates == config.integer(L"Encryption", L"FailUpdateCall", 0))
        return kForcedFailure;
    Bytes out;
    if (!session->sealer->update(static_cast<const unsigned char*>(data), size, out)) return kCryptoFailure;
    return handBack(config, L"UpdateSizeDelta", *session, std::move(out), outData, outSize);
}

int WREN_FAMILY_CALL EndEncryption(CipherHandle handle, const std::uint8_t** outData, std::uint32_t* outSize) {
    Config config;
    LogLine("EndEncryption").write(config);
    Session* session = sessionOf(handle);
    if (!session || !outData || !outSize) return kBadArgument;
    if (!session->sealer || session->ended) return kWrongState;
    if (forced(config, L"FailEnd")) return kForcedFailure;
    Bytes out;
    if (!session->sealer->end(out)) return kCryptoFailure;
    session->ended = true;
    return handBack(config, L"EndSizeDelta", *session, std::move(out), outData, outSize);
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
