// The stand-in cipher library's algorithm, kept free of Windows so that a test
// can decrypt what the stand-in produced and compare it with the plain job.
//
// It is an honest, simple cipher, not a secure one: the key record picks a
// 64-bit seed (FNV-1a), the seed drives a SplitMix64 keystream, and the job
// bytes are XORed with it. The output of one encrypted job is
//   start  (InitEncryption*): "ZESJ", version 1, mode, strength, key check
//   data   (UpdateEncryption): the job bytes XOR the keystream, same length
//   end    (EndEncryption):    "ZEND", plain byte count, FNV-1a/32 of the plain bytes
// with every number a little-endian uint32. Stored passwords use the same
// keystream under a fixed seed: a marker byte 0xE5, the length, the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wren::stand_in {

inline constexpr std::uint64_t kFnvBasis64 = 0xCBF29CE484222325ull;
inline constexpr std::uint64_t kFnvPrime64 = 0x00000100000001B3ull;
inline constexpr std::uint32_t kFnvBasis32 = 0x811C9DC5u;
inline constexpr std::uint32_t kFnvPrime32 = 0x01000193u;

inline std::uint64_t fnv1a64(const void* data, std::size_t size, std::uint64_t hash = kFnvBasis64) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ p[i]) * kFnvPrime64;
    return hash;
}

inline std::uint32_t fnv1a32(const void* data, std::size_t size, std::uint32_t hash = kFnvBasis32) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ p[i]) * kFnvPrime32;
    return hash;
}

class Keystream {
public:
    explicit Keystream(std::uint64_t seed) : state_(seed) {}

    // XOR is its own inverse: the same call encrypts and decrypts.
    void apply(unsigned char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            if (used_ == 8) refill();
            data[i] ^= block_[used_++];
        }
    }

private:
    void refill() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        for (int k = 0; k < 8; ++k) block_[k] = static_cast<unsigned char>(z >> (8 * k));
        used_ = 0;
    }

    std::uint64_t state_;
    unsigned char block_[8] = {};
    unsigned used_ = 8;
};

inline void appendU32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<unsigned char>(value >> (8 * k)));
}

// One encrypted job. The same object decrypts when fed the cipher bytes with
// decrypt(): both directions keep the count and checksum of the plain bytes.
class JobCipher {
public:
    static constexpr std::uint32_t kVersion = 1;

    JobCipher(std::uint32_t mode, std::uint32_t strength, const void* key, std::size_t keySize)
        : mode_(mode), strength_(strength), keystream_(seedOf(mode, strength, key, keySize)),
          keyCheck_(fnv1a32(key, keySize, fnv1a32("check", 5))) {}

    std::vector<unsigned char> start() const {
        std::vector<unsigned char> out{'Z', 'E', 'S', 'J'};
        appendU32(out, kVersion);
        appendU32(out, mode_);
        appendU32(out, strength_);
        appendU32(out, keyCheck_);
        return out;
    }

    std::vector<unsigned char> encrypt(const void* plain, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(plain);
        std::vector<unsigned char> out(p, p + size);
        count(out.data(), size);
        keystream_.apply(out.data(), size);
        return out;
    }

    std::vector<unsigned char> decrypt(const void* cipher, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(cipher);
        std::vector<unsigned char> out(p, p + size);
        keystream_.apply(out.data(), size);
        count(out.data(), size);
        return out;
    }

    std::vector<unsigned char> end() const {
        std::vector<unsigned char> out{'Z', 'E', 'N', 'D'};
        appendU32(out, total_);
        appendU32(out, checksum_);
        return out;
    }

    static std::uint64_t seedOf(std::uint32_t mode, std::uint32_t strength, const void* key, std::size_t keySize) {
        std::vector<unsigned char> record;
        appendU32(record, mode);
        appendU32(record, strength);
        const auto* k = static_cast<const unsigned char*>(key);
        record.insert(record.end(), k, k + keySize);
        return fnv1a64(record.data(), record.size());
    }

private:
    void count(const unsigned char* plain, std::size_t size) {
        total_ += static_cast<std::uint32_t>(size);
        checksum_ = fnv1a32(plain, size, checksum_);
    }

    std::uint32_t mode_;
    std::uint32_t strength_;
    Keystream keystream_;
    std::uint32_t keyCheck_;
    std::uint32_t total_ = 0;
    std::uint32_t checksum_ = kFnvBasis32;
};

inline constexpr unsigned char kPasswordMarker = 0xE5;
inline constexpr std::uint64_t kPasswordSeed = 0x5A45504153535744ull;  // fixed: the stand-in has no secret

// A stored password: marker, length, then the bytes under the keystream.
// Empty when the password does not fit in `capacity` bytes.
inline std::vector<unsigned char> sealPassword(const char* plain, std::size_t length, std::size_t capacity) {
    if (length > 253 || length + 2 > capacity) return {};
    std::vector<unsigned char> out{kPasswordMarker, static_cast<unsigned char>(length)};
    out.insert(out.end(), plain, plain + length);
    Keystream(kPasswordSeed).apply(out.data() + 2, length);
    return out;
}

// The plain password, or false when the bytes are not a stored password.
inline bool openPassword(const unsigned char* stored, std::size_t size, std::string& plain) {
    if (size < 2 || stored[0] != kPasswordMarker || stored[1] != size - 2) return false;
    std::vector<unsigned char> bytes(stored + 2, stored + size);
    Keystream(kPasswordSeed).apply(bytes.data(), bytes.size());
    plain.assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace wren::stand_in
