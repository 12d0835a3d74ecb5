// The cipher library while one encrypted job runs: the loaded library, its
// nine functions and the cipher handle. Every answer is checked before its
// bytes are used: a non-zero result, or a size without bytes, is a failure.
// The handle is deleted and the library unloaded when the context ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "common/family/family_exports.h"
#include "common/family/family_libraries.h"
#include "platform/library.h"

namespace wren {

// What the cipher library receives with the key.
struct KeyRecord {
    std::uint32_t mode = 0;      // cryptMode
    std::uint32_t strength = 0;  // cryptStrength
    std::uint8_t material[33] = {};
};
static_assert(offsetof(KeyRecord, material) == 8);

// Bytes handed back by the library; they stay its own.
struct CipherBytes {
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
};

class CipherContext {
public:
    // Resolves the exports and creates the handle; without all eight
    // required exports no handle is created.
    explicit CipherContext(std::unique_ptr<Library> library);
    ~CipherContext();
    CipherContext(const CipherContext&) = delete;
    CipherContext& operator=(const CipherContext&) = delete;

    bool hasHandle() const { return handle_ != nullptr; }

    // DecryptPassword into the 33-byte buffer: false when it fails.
    bool decryptPassword(const std::uint8_t* stored, std::uint32_t length, char (&out)[33]) const;
    // DispPasswordUI: the user's answer is left in the buffer.
    void askPassword(char (&buffer)[33]) const;

    // InitEncryption (password key, ended by its NUL).
    std::optional<CipherBytes> initPassword(const KeyRecord& key) const;
    // InitEncryptionEx2(…, 2, …) when exported, else InitEncryptionEx.
    std::optional<CipherBytes> initCard(const KeyRecord& key, std::uint32_t keySize) const;
    std::optional<CipherBytes> update(const void* data, std::uint32_t size) const;
    std::optional<CipherBytes> end() const;

private:
    CipherLibrary library_;
    CipherLibrary::Encryption calls_;
    family::CipherHandle handle_ = nullptr;
};

}  // namespace wren
