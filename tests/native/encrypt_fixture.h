// An encrypted job on a test device: an in-memory cipher library whose every
// export can be missing or fail, an IC-card library, a spooler that records
// what it takes and can refuse the n-th write, and a reader of the spool
// that checks the framing and decrypts the chunks.
//
// The fake cipher turns each byte into two bytes of 0xE0..0xFF (the nibbles
// of the byte under a key-dependent keystream), so with documents of ASCII
// text not one byte of cipher output can be mistaken for a document byte,
// and a spool can be proven to hold nothing of the document in clear.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/family/family_exports.h"
#include "fakes.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/render_context.h"

namespace wren::test {

struct FakeCipherControl {
    std::set<std::string> missing;    // exports the library lacks
    std::string failing;              // the call that answers failure
    int failUpdateAt = 0;             // the n-th UpdateEncryption fails
    bool sizeWithoutBytes = false;    // every answer: a size, but no bytes
    std::string dialogPassword = "typed-secret-7";
    std::vector<std::string> calls;
    std::string lastKey;              // key material as the init call took it
    int lastTwo = 0;
    std::uint32_t lastMode = 0, lastStrength = 0;
    int liveSessions = 0;
    int updates = 0;

    bool cardPresent = false;
    std::optional<std::string> cardData = std::string("CARD-KEY-0042");
};

inline FakeCipherControl& fakeCipher() {
    static FakeCipherControl control;
    return control;
}

inline std::uint8_t keyHash(const std::string& key, std::uint32_t mode, std::uint32_t strength) {
    std::uint32_t h = 2166136261u ^ mode ^ (strength << 8);
    for (unsigned char c : key) h = (h ^ c) * 16777619u;
    return static_cast<std::uint8_t>(h ^ (h >> 8) ^ (h >> 16));
}

inline void encodeByte(std::uint8_t b, std::uint8_t key, std::uint64_t at, std::vector<std::uint8_t>& out) {
    const std::uint8_t v = static_cast<std::uint8_t>(b ^ static_cast<std::uint8_t>(key + at * 31));
    out.push_back(static_cast<std::uint8_t>(0xE0 | (v >> 4)));
    out.push_back(static_cast<std::uint8_t>(0xF0 | (v & 0x0F)));
}

// Reverses the fake cipher; nothing when a byte is not cipher output.
inline std::optional<std::string> decodeCipher(const std::string& bytes, std::uint8_t key) {
    if (bytes.size() % 2) return std::nullopt;
    std::string plain;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto hi = static_cast<std::uint8_t>(bytes[i]), lo = static_cast<std::uint8_t>(bytes[i + 1]);
        if ((hi & 0xF0) != 0xE0 || (lo & 0xF0) != 0xF0) return std::nullopt;
        const std::uint8_t v = static_cast<std::uint8_t>(((hi & 0x0F) << 4) | (lo & 0x0F));
        plain.push_back(static_cast<char>(v ^ static_cast<std::uint8_t>(key + (i / 2) * 31)));
    }
    return plain;
}

// A stored password as the fake library keeps it.
inline std::vector<std::uint8_t> storedPassword(const std::string& plain) {
    std::vector<std::uint8_t> out{0xA5};
    for (unsigned char c : plain) out.push_back(static_cast<std::uint8_t>(c ^ 0x5A));
    return out;
}

namespace fake_cipher {

struct Session {
    std::uint8_t key = 0;
    std::uint64_t at = 0;
    bool started = false, ended = false;
    std::vector<std::uint8_t> out;
};

inline bool fails(const char* name) {
    fakeCipher().calls.push_back(name);
    return fakeCipher().failing == name;
}

inline int handBack(Session& s, const std::uint8_t** data, std::uint32_t* size) {
    *data = fakeCipher().sizeWithoutBytes ? nullptr : s.out.data();
    *size = static_cast<std::uint32_t>(fakeCipher().sizeWithoutBytes ? s.out.size() + 1 : s.out.size());
    return 0;
}

inline int start(void* handle, const void* keyRecord, std::uint32_t keySize, const std::uint8_t** data,
                 std::uint32_t* size) {
    auto* s = static_cast<Session*>(handle);
    if (!s || !keyRecord || !data || !size || s->started || keySize > 33) return 1;
    const auto* record = static_cast<const std::uint8_t*>(keyRecord);
    FakeCipherControl& c = fakeCipher();
    std::memcpy(&c.lastMode, record, 4);
    std::memcpy(&c.lastStrength, record + 4, 4);
    c.lastKey.assign(reinterpret_cast<const char*>(record + 8), keySize);
    s->key = keyHash(c.lastKey, c.lastMode, c.lastStrength);
    s->started = true;
    s->out.clear();
    for (std::uint8_t salt : {0x11, 0x22, 0x33}) encodeByte(salt, 0, 0, s->out);
    return handBack(*s, data, size);
}

inline void* WREN_FAMILY_CALL create() {
    if (fails("CreateEncryption")) return nullptr;
    ++fakeCipher().liveSessions;
    return new Session;
}
inline int WREN_FAMILY_CALL init(void* h, const void* key, const std::uint8_t** d, std::uint32_t* n) {
    if (fails("InitEncryption")) return 3;
    const char* text = key ? static_cast<const char*>(key) + 8 : "";
    return start(h, key, static_cast<std::uint32_t>(strnlen(text, 33)), d, n);
}
inline int WREN_FAMILY_CALL initEx(void* h, const void* key, std::uint32_t size, const std::uint8_t** d,
                                   std::uint32_t* n) {
    if (fails("InitEncryptionEx")) return 3;
    return start(h, key, size, d, n);
}
inline int WREN_FAMILY_CALL initEx2(void* h, int two, const void* key, std::uint32_t size, const std::uint8_t** d,
                                    std::uint32_t* n) {
    fakeCipher().lastTwo = two;
    if (fails("InitEncryptionEx2") || two != 2) return 3;
    return start(h, key, size, d, n);
}
inline int WREN_FAMILY_CALL update(void* h, const void* data, std::uint32_t size, const std::uint8_t** d,
                                   std::uint32_t* n) {
    auto* s = static_cast<Session*>(h);
    if (fails("UpdateEncryption") || ++fakeCipher().updates == fakeCipher().failUpdateAt) return 3;
    if (!s || !s->started || s->ended || !data || !d || !n) return 2;
    s->out.clear();
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::uint32_t i = 0; i < size; ++i) encodeByte(bytes[i], s->key, s->at++, s->out);
    return handBack(*s, d, n);
}
inline int WREN_FAMILY_CALL end(void* h, const std::uint8_t** d, std::uint32_t* n) {
    auto* s = static_cast<Session*>(h);
    if (fails("EndEncryption")) return 3;
    if (!s || !s->started || s->ended) return 2;
    s->ended = true;
    s->out.clear();
    encodeByte(static_cast<std::uint8_t>(s->at), 0, 0, s->out);
    return handBack(*s, d, n);
}
inline void WREN_FAMILY_CALL destroy(void* h) {
    fakeCipher().calls.push_back("DeleteEncryption");
    --fakeCipher().liveSessions;
    delete static_cast<Session*>(h);
}
inline int WREN_FAMILY_CALL decryptPassword(const std::uint8_t* stored, std::uint32_t length, char* out,
                                            std::uint32_t* size) {
    if (fails("DecryptPassword")) return 0;
    if (!stored || length < 1 || stored[0] != 0xA5 || !size || length > *size) return 0;
    std::memset(out, 0, *size);
    for (std::uint32_t i = 1; i < length; ++i) out[i - 1] = static_cast<char>(stored[i] ^ 0x5A);
    *size = length - 1;
    return 1;
}
inline int WREN_FAMILY_CALL askPassword(char* buffer) {
    if (fails("DispPasswordUI")) return 0;
    std::memset(buffer, 0, 33);
    std::memcpy(buffer, fakeCipher().dialogPassword.data(), std::min<std::size_t>(32, fakeCipher().dialogPassword.size()));
    return 1;
}
inline int WREN_FAMILY_CALL queryCardDriver(const char*, const char*) { return fakeCipher().cardPresent; }
inline int WREN_FAMILY_CALL getCardData(const char*, const char*, std::uint8_t* buffer, std::uint32_t* size) {
    fakeCipher().calls.push_back("GetCardData");
    const std::optional<std::string>& data = fakeCipher().cardData;
    if (!data || data->size() > *size) return 0;
    std::memcpy(buffer, data->data(), data->size());
    *size = static_cast<std::uint32_t>(data->size());
    return 1;
}

}  // namespace fake_cipher

inline const char* const kCipherExports[] = {"CreateEncryption", "InitEncryption",   "InitEncryptionEx",
                                             "InitEncryptionEx2", "UpdateEncryption", "EndEncryption",
                                             "DeleteEncryption",  "DecryptPassword",  "DispPasswordUI"};

// A spooler that keeps what it takes and can refuse its n-th write.
class RecordingSpooler : public FakeSpooler {
public:
    mutable int writes = 0;
    int failAt = 0;
    bool write(PrinterHandle p, const void* data, std::uint32_t size, std::uint32_t* count) const override {
        if (++writes == failAt) return false;
        return FakeSpooler::write(p, data, size, count);
    }
};

// The spool of an encrypted job, taken apart.
struct ParsedSpool {
    std::string plain;                 // before the first frame
    std::vector<std::string> kinds;    // write_start, write, write_end
    std::vector<std::string> payloads;
    bool ended = false;                // write_end followed by the job end
    std::string error;                 // empty when well formed
};

inline ParsedSpool parseSpool(const std::string& spool) {
    static const std::string kLine = "@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:";
    static const std::string kUel = "\x1B%-12345X";
    static const std::string kJobEnd = "@PJL EOJ NAME = \"END\"\n\x1B%-12345X";
    ParsedSpool out;
    std::size_t at = spool.find(kLine);
    out.plain = spool.substr(0, at);
    while (at != std::string::npos && at < spool.size()) {
        if (spool.compare(at, kLine.size(), kLine) != 0) { out.error = "garbage at " + std::to_string(at); break; }
        std::size_t quote = spool.find('"', at + kLine.size());
        std::size_t eol = spool.find('\n', at);
        if (quote == std::string::npos || eol == std::string::npos) { out.error = "cut frame line"; break; }
        std::string kind = spool.substr(at + kLine.size(), quote - at - kLine.size());
        std::string size = spool.substr(quote, eol - quote);
        if (size.rfind("\" SIZE=", 0) != 0 || size.size() <= 7) { out.error = "bad size " + size; break; }
        std::size_t n = std::stoul(size.substr(7));
        if (eol + 1 + n + kUel.size() > spool.size()) { out.error = "cut frame"; break; }
        out.kinds.push_back(kind);
        out.payloads.push_back(spool.substr(eol + 1, n));
        at = eol + 1 + n;
        if (spool.compare(at, kUel.size(), kUel) != 0) { out.error = "no exit after frame"; break; }
        at += kUel.size();
        if (kind == "write_end") {
            out.ended = spool.compare(at, std::string::npos, kJobEnd) == 0;
            if (!out.ended) out.error = "no job end";
            break;
        }
    }
    return out;
}

// The job's bytes as the printer recovers them from the chunks.
inline std::optional<std::string> decryptSpool(const ParsedSpool& spool, const std::string& key,
                                               std::uint32_t mode = 0, std::uint32_t strength = 0) {
    std::string cipher;
    for (std::size_t i = 0; i < spool.kinds.size(); ++i)
        if (spool.kinds[i] == "write") cipher += spool.payloads[i];
    return decodeCipher(cipher, keyHash(key, mode, strength));
}

class FakeSpoolStream : public SpoolStream {
public:
    std::string bytes;
    std::uint32_t write(const void* data, std::uint32_t size) override {
        bytes.append(static_cast<const char*>(data), size);
        return size;
    }
};

class EncryptFixture : public ::testing::Test {
protected:
    PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x20);
    FakeProfile profile;
    RecordingSpooler spooler;
    FakeLibraryLoader loader;
    FakeCodePage codePage;
    RenderPorts ports{spooler, profile, loader, codePage};
    PrivateRecord record{};
    PublicDevmode devmode{};
    FakeDriverSettings settings;
    FakeSpoolStream stream;
    JobState job;
    RenderContext ctx{ports, printer, record, devmode, settings, stream, job};

    static constexpr const char16_t* kCipherPath = u"C:\\drivers\\x64\\3\\zecipher.dll";
    static constexpr const char16_t* kCardPath = u"C:\\drivers\\x64\\3\\zeiccard.dll";

    void SetUp() override {
        fakeCipher() = FakeCipherControl{};
        spooler.printers[printer].dependentFiles = FakeSpooler::list({u"C:\\drv\\3\\wren.cap"});
        profile.addFile(u"C:\\drv\\3\\wren.cap",
                        "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nCryptoDll=zecipher.dll\n"
                        "CARD_DLL=zeiccard.dll\n");
        record.cryptTimeLimit = 0x00020000;
        settings.features["ZEJob_Type"] = "Secure_Chip";
        job.capabilityFile = u"C:\\drv\\3\\wren.cap";
        installLibraries();
    }
    void TearDown() override {
        job.encryption.reset();
        EXPECT_EQ(fakeCipher().liveSessions, 0) << "every cipher handle is deleted";
        EXPECT_EQ(loader.live, 0) << "every library is unloaded";
    }

    // (Re)builds the fake libraries from the control's missing exports.
    void installLibraries() {
        using namespace fake_cipher;
        FakeLibraryLoader::Exports cipher = {
            {"CreateEncryption", exportOf(&create)},          {"InitEncryption", exportOf(&init)},
            {"InitEncryptionEx", exportOf(&initEx)},          {"InitEncryptionEx2", exportOf(&initEx2)},
            {"UpdateEncryption", exportOf(&update)},          {"EndEncryption", exportOf(&end)},
            {"DeleteEncryption", exportOf(&destroy)},         {"DecryptPassword", exportOf(&decryptPassword)},
            {"DispPasswordUI", exportOf(&askPassword)},
        };
        for (const std::string& name : fakeCipher().missing) cipher.erase(name);
        loader.libraries[kCipherPath] = cipher;
        loader.libraries[kCardPath] = {{"QueryCardDriver", exportOf(&queryCardDriver)},
                                       {"GetCardData", exportOf(&getCardData)}};
    }

    void storePassword(const std::string& plain) {
        std::vector<std::uint8_t> stored = storedPassword(plain);
        std::memcpy(record.cryptPassword, stored.data(), stored.size());
        record.cryptPasswordLength = static_cast<std::uint32_t>(stored.size());
    }

    // Hands the stream to the plug-in in blocks of the given sizes (the
    // last size repeats); returns what each block reported written.
    std::vector<std::uint32_t> print(const std::string& bytes, std::vector<std::size_t> cuts) {
        std::vector<std::uint32_t> written;
        std::size_t at = 0, i = 0;
        while (at < bytes.size()) {
            std::size_t n = std::min(cuts[std::min(i++, cuts.size() - 1)], bytes.size() - at);
            std::uint32_t count = 0xFEED;
            writeBlock(ctx, bytes.data() + at, static_cast<std::uint32_t>(n), &count);
            written.push_back(count);
            at += n;
        }
        return written;
    }

    // A fresh job on the same device, as a start of stream leaves it.
    void newJob() {
        job = JobState{};
        job.capabilityFile = u"C:\\drv\\3\\wren.cap";
        spooler.written.clear();
        spooler.cancelled.clear();
    }

    bool cancelled() const { return !spooler.cancelled.empty(); }
};

// A job as the plug-in's own header writer and the job-information library
// would start it, then a document and the trailer.
inline std::string jobHeader(bool withJobLine = true, bool withCardLines = false) {
    std::string h = "\x1B%-12345X";
    if (withJobLine) h += "@PJL JOB NAME=\"Quarterly report\"\r\n";
    if (withCardLines) h += "@PJL COMMENT Device Name :Wren ZE Colour PS\r\n@PJL COMMENT Version     :1.0.3.0\r\n";
    h += "@PJL ZELAUXJOBINFO DATA=\"ComputerName=DESK-7\"\r\n"
         "@PJL ZELAUXJOBINFO DATA=\"UserName=ada\"\r\n"
         "@PJL ZELAUXJOBINFO DATA=\"ReceptionTime=2024/05/06 07:08:09\"\r\n";
    return h;
}

inline std::string documentBody(std::size_t lines) {
    std::string body = "@PJL ENTER LANGUAGE=POSTSCRIPT\n%!PS-Adobe-3.0\n";
    for (std::size_t i = 0; i < lines; ++i)
        body += "(CONFIDENTIAL figure " + std::to_string(i * 7919 % 100003) + ") show %%EOF-ish\n";
    return body;
}

// The plug-in's own trailer: the job ends with the end pattern's line.
inline const std::string kTrailer = "\x1B%-12345X@PJL EOJ\r\n";

}  // namespace wren::test
