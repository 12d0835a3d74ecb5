// The stand-in cipher library's job format, kept free of Windows so that the
// printer-side tool (wrenhost unseal), native tests and the fuzzer share the
// exact bytes the library produces. The cryptography itself comes through the
// Aead port: AES-256-GCM over CNG in the library and in wrenhost, a fake in
// native tests.
//
// One encrypted job is three kinds of output (every number little-endian):
//   start (InitEncryption*):  "ZESJ", version, mode, strength, PBKDF2 iteration
//                             count, salt[16], nonce base[8]   = the 44-byte header
//                             then the key check: the tag of sealing nothing
//   data  (UpdateEncryption): one record per call: 'D', length, cipher bytes, tag
//   end   (EndEncryption):    'E', record count, plain byte total (64-bit), tag
// The key is PBKDF2-HMAC-SHA256 over the key material's length (one byte) and
// the material, with the header's salt and count. Record i is sealed with nonce = base || i (big-endian); every
// record's additional data is the header, the record's own prefix and its
// index, so a record cannot move to another job or another place, and the end
// record, sealed under the next index, fixes how many records there were and
// how many bytes they held: reordering, dropping and cutting are all caught.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace wren::stand_in {

inline constexpr std::size_t kKeyMaterialBytes = 33;  // what the key record carries
inline constexpr std::size_t kSaltBytes = 16;
inline constexpr std::size_t kNonceBaseBytes = 8;
inline constexpr std::size_t kNonceBytes = 12;
inline constexpr std::size_t kTagBytes = 16;
inline constexpr std::uint32_t kFormatVersion = 2;
// Modest on purpose: the printer derives the key once per job, and tests
// derive it hundreds of times.
inline constexpr std::uint32_t kDefaultIterations = 10000;
inline constexpr std::uint32_t kMaxIterations = 10000000;  // a header asking more is not ours
inline constexpr std::size_t kHeaderBytes = 4 + 4 * 4 + kSaltBytes + kNonceBaseBytes;
inline constexpr std::size_t kStartBytes = kHeaderBytes + kTagBytes;
inline constexpr std::size_t kRecordOverhead = 1 + 4 + kTagBytes;
inline constexpr std::size_t kEndBytes = 1 + 4 + 8 + kTagBytes;
inline constexpr unsigned char kDataType = 'D';
inline constexpr unsigned char kEndType = 'E';
inline constexpr unsigned char kCheckType = 'K';
inline constexpr std::uint32_t kCheckIndex = 0xFFFFFFFFu;  // never a record's index

using Bytes = std::vector<unsigned char>;
using Nonce = std::array<unsigned char, kNonceBytes>;
using Tag = std::array<unsigned char, kTagBytes>;

// Authenticated encryption under one key. Cipher bytes are as long as the
// plain bytes; open() fails when the tag does not match.
class Aead {
public:
    virtual ~Aead() = default;
    virtual bool seal(const Nonce& nonce, const Bytes& aad, const unsigned char* plain, std::size_t size,
                      unsigned char* cipher, Tag& tag) = 0;
    virtual bool open(const Nonce& nonce, const Bytes& aad, const unsigned char* cipher, std::size_t size,
                      unsigned char* plain, const Tag& tag) = 0;
};

// Derives the job key from the key material and the header's salt and count;
// null when the platform cannot.
using KeyDerivation = std::function<std::unique_ptr<Aead>(const unsigned char* material, std::size_t size,
                                                           const std::array<unsigned char, kSaltBytes>& salt,
                                                           std::uint32_t iterations)>;

inline void putU32(Bytes& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<unsigned char>(v >> (8 * k)));
}
inline void putU64(Bytes& out, std::uint64_t v) {
    for (int k = 0; k < 8; ++k) out.push_back(static_cast<unsigned char>(v >> (8 * k)));
}
inline std::uint32_t getU32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
inline std::uint64_t getU64(const unsigned char* p) { return getU32(p) | std::uint64_t(getU32(p + 4)) << 32; }

struct JobHeader {
    std::uint32_t mode = 0;
    std::uint32_t strength = 0;
    std::uint32_t iterations = kDefaultIterations;
    std::array<unsigned char, kSaltBytes> salt{};
    std::array<unsigned char, kNonceBaseBytes> nonceBase{};

    Bytes bytes() const {
        Bytes out{'Z', 'E', 'S', 'J'};
        putU32(out, kFormatVersion);
        putU32(out, mode);
        putU32(out, strength);
        putU32(out, iterations);
        out.insert(out.end(), salt.begin(), salt.end());
        out.insert(out.end(), nonceBase.begin(), nonceBase.end());
        return out;
    }

    // The header of a start block of exactly kStartBytes, or nothing.
    static std::optional<JobHeader> parse(const unsigned char* p, std::size_t size) {
        if (size != kStartBytes || std::memcmp(p, "ZESJ", 4) != 0 || getU32(p + 4) != kFormatVersion)
            return std::nullopt;
        JobHeader h;
        h.mode = getU32(p + 8);
        h.strength = getU32(p + 12);
        h.iterations = getU32(p + 16);
        if (h.iterations == 0 || h.iterations > kMaxIterations) return std::nullopt;
        std::memcpy(h.salt.data(), p + 20, kSaltBytes);
        std::memcpy(h.nonceBase.data(), p + 20 + kSaltBytes, kNonceBaseBytes);
        return h;
    }

    Nonce nonce(std::uint32_t index) const {
        Nonce n{};
        std::memcpy(n.data(), nonceBase.data(), kNonceBaseBytes);
        for (int k = 0; k < 4; ++k) n[kNonceBaseBytes + k] = static_cast<unsigned char>(index >> (24 - 8 * k));
        return n;
    }

    // Header, the record's prefix, its index.
    Bytes aad(const unsigned char* prefix, std::size_t prefixSize, std::uint32_t index) const {
        Bytes out = bytes();
        out.insert(out.end(), prefix, prefix + prefixSize);
        putU32(out, index);
        return out;
    }
};

// The library's side: one object per cipher handle.
class JobSealer {
public:
    JobSealer(JobHeader header, std::unique_ptr<Aead> aead) : header_(header), aead_(std::move(aead)) {}

    bool start(Bytes& out) {
        out = header_.bytes();
        const unsigned char type = kCheckType;
        Tag tag{};
        if (!aead_->seal(header_.nonce(kCheckIndex), header_.aad(&type, 1, kCheckIndex), &type, 0, nullptr, tag))
            return false;
        out.insert(out.end(), tag.begin(), tag.end());
        return true;
    }

    // One record; no bytes give no record (and no output).
    bool update(const unsigned char* plain, std::size_t size, Bytes& out) {
        out.clear();
        if (size == 0) return true;
        if (size > 0xFFFFFFFFu - kRecordOverhead || records_ + 1 >= kCheckIndex) return false;
        out.push_back(kDataType);
        putU32(out, static_cast<std::uint32_t>(size));
        out.resize(5 + size + kTagBytes);
        Tag tag{};
        if (!aead_->seal(header_.nonce(records_), header_.aad(out.data(), 5, records_), plain, size, out.data() + 5, tag))
            return false;
        std::memcpy(out.data() + 5 + size, tag.data(), kTagBytes);
        ++records_;
        total_ += size;
        return true;
    }

    bool end(Bytes& out) {
        out = endPrefix(records_, total_);
        Tag tag{};
        if (!aead_->seal(header_.nonce(records_), header_.aad(out.data(), out.size(), records_), out.data(), 0,
                         nullptr, tag))
            return false;
        out.insert(out.end(), tag.begin(), tag.end());
        return true;
    }

    static Bytes endPrefix(std::uint32_t records, std::uint64_t total) {
        Bytes out{kEndType};
        putU32(out, records);
        putU64(out, total);
        return out;
    }

private:
    JobHeader header_;
    std::unique_ptr<Aead> aead_;
    std::uint32_t records_ = 0;
    std::uint64_t total_ = 0;
};

// The printer's side. The data records arrive as the concatenated payloads of
// the write chunks, so a record cut across chunks still opens.
enum class OpenFailure { None, BadStart, NoKey, WrongKey, BadRecord, Tampered, BadEnd, Incomplete };

struct OpenResult {
    OpenFailure failure = OpenFailure::None;
    std::uint32_t records = 0;  // records opened (before the failure)
    std::string message;        // one line for the user; empty on success
};

inline OpenResult openJob(const Bytes& start, const Bytes& records, const Bytes& end, const unsigned char* material,
                          std::size_t materialSize, const KeyDerivation& derive, Bytes& plain) {
    auto fail = [](OpenFailure f, std::uint32_t n, std::string message) { return OpenResult{f, n, std::move(message)}; };
    plain.clear();
    std::optional<JobHeader> header = JobHeader::parse(start.data(), start.size());
    if (!header) return fail(OpenFailure::BadStart, 0, "the write_start block is not a sealed-job header");
    std::unique_ptr<Aead> aead = derive(material, materialSize, header->salt, header->iterations);
    if (!aead) return fail(OpenFailure::NoKey, 0, "the job key cannot be derived");
    const unsigned char check = kCheckType;
    Tag tag{};
    std::memcpy(tag.data(), start.data() + kHeaderBytes, kTagBytes);
    unsigned char none = 0;
    if (!aead->open(header->nonce(kCheckIndex), header->aad(&check, 1, kCheckIndex), &none, 0, &none, tag))
        return fail(OpenFailure::WrongKey, 0, "wrong key: the password or card data does not open this job");

    std::uint32_t index = 0;
    std::size_t at = 0;
    while (at < records.size()) {
        const std::string where = "record " + std::to_string(index + 1) + " at byte " + std::to_string(at);
        if (records.size() - at < kRecordOverhead || records[at] != kDataType)
            return fail(OpenFailure::BadRecord, index, where + " is cut short or not a data record");
        const std::uint32_t size = getU32(records.data() + at + 1);
        if (records.size() - at - kRecordOverhead < size)
            return fail(OpenFailure::BadRecord, index, where + " claims more bytes than the job holds");
        if (index + 1 >= kCheckIndex) return fail(OpenFailure::BadRecord, index, "too many records");
        const std::size_t from = plain.size();
        plain.resize(from + size);
        std::memcpy(tag.data(), records.data() + at + 5 + size, kTagBytes);
        if (!aead->open(header->nonce(index), header->aad(records.data() + at, 5, index), records.data() + at + 5, size,
                        plain.data() + from, tag)) {
            plain.resize(from);
            return fail(OpenFailure::Tampered, index, where + " does not authenticate: the job was altered");
        }
        at += kRecordOverhead + size;
        ++index;
    }
    if (end.size() != kEndBytes || end[0] != kEndType)
        return fail(OpenFailure::BadEnd, index, "the write_end block is not an end record");
    Bytes prefix = JobSealer::endPrefix(index, plain.size());
    std::memcpy(tag.data(), end.data() + kEndBytes - kTagBytes, kTagBytes);
    if (std::memcmp(prefix.data(), end.data(), prefix.size()) != 0)
        return fail(OpenFailure::Incomplete, index,
                    "the job is incomplete: the end record counts " + std::to_string(getU32(end.data() + 1)) +
                        " records of " + std::to_string(getU64(end.data() + 5)) + " bytes, the job holds " +
                        std::to_string(index) + " of " + std::to_string(plain.size()));
    if (!aead->open(header->nonce(index), header->aad(prefix.data(), prefix.size(), index), &none, 0, &none, tag))
        return fail(OpenFailure::Tampered, index, "the end record does not authenticate: the job was altered");
    return OpenResult{OpenFailure::None, index, {}};
}

}  // namespace wren::stand_in
