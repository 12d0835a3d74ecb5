// The printer family's libraries as one process holds them while several
// devices print: loaded once, their exports shared by every thread. A real
// library keeps a job's state in the handle it gives out, so these do too:
// no counters, no last-call records, nothing written outside a session.
// (The unit tests' cipher keeps a process-wide control block for its
// fault injection; it is not fit for several threads.)
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "common/family/family_exports.h"
#include "encrypt_fixture.h"
#include "shared_loader.h"

namespace wren::test {

// The unit tests' cipher format (each byte as two bytes of 0xE0..0xFF under
// a key-dependent keystream), so that their spool reader decrypts it.
namespace shared_cipher {

using fake_cipher::Session;

inline int answer(Session& s, const std::uint8_t** data, std::uint32_t* size) {
    *data = s.out.data();
    *size = static_cast<std::uint32_t>(s.out.size());
    return 0;
}

inline int start(void* handle, const void* keyRecord, std::uint32_t keySize, const std::uint8_t** data,
                 std::uint32_t* size) {
    auto* s = static_cast<Session*>(handle);
    if (!s || !keyRecord || !data || !size || s->started || keySize > 33) return 1;
    const auto* record = static_cast<const std::uint8_t*>(keyRecord);
    std::uint32_t mode = 0, strength = 0;
    std::memcpy(&mode, record, 4);
    std::memcpy(&strength, record + 4, 4);
    s->key = keyHash(std::string(reinterpret_cast<const char*>(record + 8), keySize), mode, strength);
    s->started = true;
    s->out.clear();
    for (std::uint8_t salt : {0x11, 0x22, 0x33}) encodeByte(salt, 0, 0, s->out);
    return answer(*s, data, size);
}

inline void* WREN_FAMILY_CALL create() { return new Session; }
inline int WREN_FAMILY_CALL init(void* h, const void* key, const std::uint8_t** d, std::uint32_t* n) {
    const char* text = key ? static_cast<const char*>(key) + 8 : "";
    return start(h, key, static_cast<std::uint32_t>(strnlen(text, 33)), d, n);
}
inline int WREN_FAMILY_CALL initEx(void* h, const void* key, std::uint32_t size, const std::uint8_t** d,
                                   std::uint32_t* n) {
    return start(h, key, size, d, n);
}
inline int WREN_FAMILY_CALL update(void* h, const void* data, std::uint32_t size, const std::uint8_t** d,
                                   std::uint32_t* n) {
    auto* s = static_cast<Session*>(h);
    if (!s || !s->started || s->ended || !data || !d || !n) return 2;
    s->out.clear();
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::uint32_t i = 0; i < size; ++i) encodeByte(bytes[i], s->key, s->at++, s->out);
    return answer(*s, d, n);
}
inline int WREN_FAMILY_CALL end(void* h, const std::uint8_t** d, std::uint32_t* n) {
    auto* s = static_cast<Session*>(h);
    if (!s || !s->started || s->ended) return 2;
    s->ended = true;
    s->out.clear();
    encodeByte(static_cast<std::uint8_t>(s->at), 0, 0, s->out);
    return answer(*s, d, n);
}
inline void WREN_FAMILY_CALL destroy(void* h) { delete static_cast<Session*>(h); }
inline int WREN_FAMILY_CALL decryptPassword(const std::uint8_t* stored, std::uint32_t length, char* out,
                                            std::uint32_t* size) {
    if (!stored || length < 1 || stored[0] != 0xA5 || !size || length > *size) return 0;
    std::memset(out, 0, *size);
    for (std::uint32_t i = 1; i < length; ++i) out[i - 1] = static_cast<char>(stored[i] ^ 0x5A);
    *size = length - 1;
    return 1;
}
// Nobody answers a dialog on the spooler's threads: a job that asks fails.
inline int WREN_FAMILY_CALL askPassword(char*) { return 0; }
inline int WREN_FAMILY_CALL noCardReader(const char*, const char*) { return 0; }

// Defaults of the UI side's cipher settings.
inline int WREN_FAMILY_CALL defaultSetting(void* settings, int one) {
    if (one != 1) return 0;
    family::CipherSettings s{};
    s.mode = 1;
    s.strength = 2;
    s.option = 0;
    s.keepingTime = 0x00040000;
    std::memcpy(settings, &s, sizeof s);
    return 1;
}

}  // namespace shared_cipher

namespace shared_job_info {

// The job-information text names the device's printer and job, so that a
// job carrying another device's facts shows.
inline std::string textFor(const family::JobInfoRecord& r) {
    return std::string("@PJL ZELAUXJOBINFO DATA=\"ComputerName=DESK-7\"\r\n") +
           "@PJL ZELAUXJOBINFO DATA=\"UserName=" + r.printerName + "\"\r\n" +
           "@PJL ZELAUXJOBINFO DATA=\"ReceptionTime=2024/05/06 07:08:09\"\r\n" +
           "@PJL ZELAUXJOBINFO DATA=\"JobId=" + std::to_string(r.jobId) + "\"\r\n" +
           "@PJL ZELAUXJOBINFO DATA=\"Application=" + (r.applicationName ? r.applicationName : "") + "\"\r\n";
}

inline int WREN_FAMILY_CALL jobInfoCommand(int mode, const void* record, char* buffer, std::uint32_t* size) {
    if (mode != 2 || !record || !size) return 3;
    const std::string text = textFor(*static_cast<const family::JobInfoRecord*>(record));
    const auto needed = static_cast<std::uint32_t>(text.size() + 1);
    if (!buffer) {
        *size = needed;
        return 1;
    }
    if (*size < needed) return 2;
    std::memcpy(buffer, text.c_str(), needed);
    return 0;
}

}  // namespace shared_job_info

namespace shared_user_auth {

// The defaults follow the capability file the caller names, so that one
// printer's answer in another printer's record shows.
inline int WREN_FAMILY_CALL defaults(int three, const char* capabilityFile, const char*, void* block) {
    if (three != 3 || !capabilityFile) return 0;
    *static_cast<std::uint32_t*>(block) = 1;
    std::snprintf(static_cast<char*>(block) + 4, 64, "user of %s", capabilityFile);
    return 1;
}

}  // namespace shared_user_auth

inline const std::u16string kSharedCipherPath = u"C:\\drivers\\x64\\3\\zecipher.dll";
inline const std::u16string kSharedCardPath = u"C:\\drivers\\x64\\3\\zeiccard.dll";
inline const std::u16string kSharedJobInfoPath = u"C:\\drivers\\x64\\3\\zejobinfo.dll";
inline const std::u16string kSharedUserAuthPath = u"C:\\drivers\\x64\\3\\zeuauth.dll";

// The family's libraries as the driver directory holds them.
inline std::map<std::u16string, SharedLibraryLoader::Exports> familyLibraries() {
    using namespace shared_cipher;
    return {
        {kSharedCipherPath,
         {{"CreateEncryption", exportOf(&create)},
          {"InitEncryption", exportOf(&init)},
          {"InitEncryptionEx", exportOf(&initEx)},
          {"UpdateEncryption", exportOf(&update)},
          {"EndEncryption", exportOf(&end)},
          {"DeleteEncryption", exportOf(&destroy)},
          {"DecryptPassword", exportOf(&decryptPassword)},
          {"DispPasswordUI", exportOf(&askPassword)},
          {"GetDefaultSetting", exportOf(&defaultSetting)}}},
        {kSharedCardPath, {{"QueryCardDriver", exportOf(&noCardReader)}}},
        {kSharedJobInfoPath, {{"GetJobInfoCmd", exportOf(&shared_job_info::jobInfoCommand)}}},
        {kSharedUserAuthPath, {{"ZEUA_GetDefaultSettingEx", exportOf(&shared_user_auth::defaults)}}},
    };
}

}  // namespace wren::test
