// A keyed stand-in for AES-GCM in native tests of the sealed-job format: a
// keystream and a 16-byte tag that both depend on the key, the nonce, the
// additional data and every cipher byte. Not secure, only faithful: a wrong
// key, a moved record or a changed byte fails open() as GCM would.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "stand_in_cipher.h"
#include "unseal_framing.h"

namespace wren::test {

class FakeAead final : public stand_in::Aead {
public:
    explicit FakeAead(std::uint64_t key) : key_(key) {}

    bool seal(const stand_in::Nonce& nonce, const stand_in::Bytes& aad, const unsigned char* plain, std::size_t size,
              unsigned char* cipher, stand_in::Tag& tag) override {
        std::uint64_t stream = mix(key_, nonce.data(), nonce.size());
        for (std::size_t i = 0; i < size; ++i) cipher[i] = plain[i] ^ next(stream);
        tag = tagOf(nonce, aad, cipher, size);
        return true;
    }
    bool open(const stand_in::Nonce& nonce, const stand_in::Bytes& aad, const unsigned char* cipher, std::size_t size,
              unsigned char* plain, const stand_in::Tag& tag) override {
        if (tagOf(nonce, aad, cipher, size) != tag) return false;
        std::uint64_t stream = mix(key_, nonce.data(), nonce.size());
        for (std::size_t i = 0; i < size; ++i) plain[i] = cipher[i] ^ next(stream);
        return true;
    }

    static std::uint64_t mix(std::uint64_t h, const unsigned char* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 0x100000001B3ull;
        return h;
    }

private:
    static unsigned char next(std::uint64_t& s) {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned char>(s >> 56);
    }
    stand_in::Tag tagOf(const stand_in::Nonce& nonce, const stand_in::Bytes& aad, const unsigned char* c,
                        std::size_t n) const {
        std::uint64_t a = mix(mix(mix(key_ ^ 0x7A67, nonce.data(), nonce.size()), aad.data(), aad.size()), c, n);
        std::uint64_t b = mix(a ^ n, reinterpret_cast<const unsigned char*>(&key_), sizeof key_);
        stand_in::Tag tag{};
        std::memcpy(tag.data(), &a, 8);
        std::memcpy(tag.data() + 8, &b, 8);
        return tag;
    }
    std::uint64_t key_;
};

inline std::unique_ptr<stand_in::Aead> fakeDerive(const unsigned char* material, std::size_t size,
                                                  const std::array<unsigned char, stand_in::kSaltBytes>& salt,
                                                  std::uint32_t iterations) {
    if (size == 0) return nullptr;
    std::uint64_t key = FakeAead::mix(0xCBF29CE484222325ull, material, size);
    key = FakeAead::mix(key, salt.data(), salt.size()) ^ iterations;
    return std::make_unique<FakeAead>(key);
}

// The plug-in's framing around the cipher library's outputs.
inline std::string frame(std::string_view line, const stand_in::Bytes& payload) {
    std::string out(line);
    out += std::to_string(payload.size()) + "\n";
    out.append(payload.begin(), payload.end());
    out += host::kUniversalExit;
    return out;
}

// A whole encrypted job as the plug-in writes it: the plain header, then the
// library's outputs for `plain` cut into pieces of `piece` bytes.
inline std::string sealedJob(std::string_view header, std::string_view plain, std::size_t piece,
                             std::string_view password = "wren1234", unsigned char saltByte = 7) {
    stand_in::JobHeader h;
    h.mode = 1;
    h.strength = 2;
    h.salt.fill(saltByte);
    h.nonceBase.fill(0x42);
    stand_in::JobSealer sealer(h, fakeDerive(reinterpret_cast<const unsigned char*>(password.data()), password.size(),
                                             h.salt, h.iterations));
    std::string job(header);
    stand_in::Bytes out;
    sealer.start(out);
    job += frame(host::kWriteStartLine, out);
    for (std::size_t at = 0; at < plain.size(); at += piece) {
        std::string_view part = plain.substr(at, piece);
        sealer.update(reinterpret_cast<const unsigned char*>(part.data()), part.size(), out);
        if (!out.empty()) job += frame(host::kWriteLine, out);
    }
    sealer.end(out);
    job += frame(host::kWriteEndLine, out);
    job += host::kJobEndLine;
    return job;
}

}  // namespace wren::test
