#include "cng_aead.h"

#include <windows.h>
#include <bcrypt.h>

namespace wren::stand_in {
namespace {

bool ok(NTSTATUS status) { return status >= 0; }

struct AlgorithmCloser {
    void operator()(void* h) const { BCryptCloseAlgorithmProvider(h, 0); }
};
struct KeyCloser {
    void operator()(void* h) const { BCryptDestroyKey(h); }
};
using UniqueAlgorithm = std::unique_ptr<void, AlgorithmCloser>;
using UniqueKey = std::unique_ptr<void, KeyCloser>;

UniqueAlgorithm openAlgorithm(const wchar_t* id, ULONG flags) {
    BCRYPT_ALG_HANDLE handle = nullptr;
    if (!ok(BCryptOpenAlgorithmProvider(&handle, id, nullptr, flags))) return {};
    return UniqueAlgorithm(handle);
}

class CngAead final : public Aead {
public:
    CngAead(UniqueAlgorithm algorithm, UniqueKey key) : algorithm_(std::move(algorithm)), key_(std::move(key)) {}

    bool seal(const Nonce& nonce, const Bytes& aad, const unsigned char* plain, std::size_t size,
              unsigned char* cipher, Tag& tag) override {
        return run(true, nonce, aad, plain, size, cipher, tag.data());
    }
    bool open(const Nonce& nonce, const Bytes& aad, const unsigned char* cipher, std::size_t size,
              unsigned char* plain, const Tag& tag) override {
        Tag copy = tag;  // CNG takes the tag through a non-const pointer
        return run(false, nonce, aad, cipher, size, plain, copy.data());
    }

private:
    bool run(bool encrypt, const Nonce& nonce, const Bytes& aad, const unsigned char* in, std::size_t size,
             unsigned char* out, unsigned char* tag) {
        if (size > 0xFFFFFFFFu || aad.size() > 0xFFFFFFFFu) return false;
        Nonce iv = nonce;
        Bytes data = aad;
        BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
        BCRYPT_INIT_AUTH_MODE_INFO(info);
        info.pbNonce = iv.data();
        info.cbNonce = ULONG(iv.size());
        info.pbAuthData = data.empty() ? nullptr : data.data();
        info.cbAuthData = ULONG(data.size());
        info.pbTag = tag;
        info.cbTag = ULONG(kTagBytes);
        // Sealing nothing still needs valid pointers for some CNG versions.
        unsigned char spare = 0;
        PUCHAR input = size ? const_cast<PUCHAR>(in) : &spare;
        PUCHAR output = size ? out : &spare;
        ULONG done = 0;
        NTSTATUS status = encrypt
            ? BCryptEncrypt(key_.get(), input, ULONG(size), &info, nullptr, 0, output, ULONG(size), &done, 0)
            : BCryptDecrypt(key_.get(), input, ULONG(size), &info, nullptr, 0, output, ULONG(size), &done, 0);
        return ok(status) && done == size;
    }

    UniqueAlgorithm algorithm_;  // outlives the key
    UniqueKey key_;
};

}  // namespace

std::unique_ptr<Aead> cngAead(const std::array<unsigned char, 32>& key) {
    UniqueAlgorithm aes = openAlgorithm(BCRYPT_AES_ALGORITHM, 0);
    if (!aes) return nullptr;
    if (!ok(BCryptSetProperty(aes.get(), BCRYPT_CHAINING_MODE,
                              reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM)),
                              sizeof BCRYPT_CHAIN_MODE_GCM, 0)))
        return nullptr;
    BCRYPT_KEY_HANDLE handle = nullptr;
    std::array<unsigned char, 32> secret = key;
    if (!ok(BCryptGenerateSymmetricKey(aes.get(), &handle, nullptr, 0, secret.data(), ULONG(secret.size()), 0)))
        return nullptr;
    SecureZeroMemory(secret.data(), secret.size());
    return std::make_unique<CngAead>(std::move(aes), UniqueKey(handle));
}

std::unique_ptr<Aead> cngDeriveJobKey(const unsigned char* material, std::size_t size,
                                      const std::array<unsigned char, kSaltBytes>& salt, std::uint32_t iterations) {
    if (!material || size == 0 || size > kKeyMaterialBytes || iterations == 0) return nullptr;
    UniqueAlgorithm hmac = openAlgorithm(BCRYPT_SHA256_ALGORITHM, BCRYPT_ALG_HANDLE_HMAC_FLAG);
    if (!hmac) return nullptr;
    // HMAC pads its key with zeros, so "K" and "K\0" would derive the same
    // key; card data may end in zeros. The length in front keeps them apart.
    Bytes password{static_cast<unsigned char>(size)};
    password.insert(password.end(), material, material + size);
    std::array<unsigned char, kSaltBytes> saltCopy = salt;
    std::array<unsigned char, 32> key{};
    NTSTATUS status = BCryptDeriveKeyPBKDF2(hmac.get(), password.data(), ULONG(password.size()), saltCopy.data(),
                                            ULONG(saltCopy.size()), iterations, key.data(), ULONG(key.size()), 0);
    SecureZeroMemory(password.data(), password.size());
    if (!ok(status)) return nullptr;
    std::unique_ptr<Aead> aead = cngAead(key);
    SecureZeroMemory(key.data(), key.size());
    return aead;
}

bool cngRandom(unsigned char* out, std::size_t size) {
    return size <= 0xFFFFFFFFu && ok(BCryptGenRandom(nullptr, out, ULONG(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

}  // namespace wren::stand_in
