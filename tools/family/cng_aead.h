// AES-256-GCM and PBKDF2-HMAC-SHA256 through Windows CNG (bcrypt.dll), for the
// stand-in cipher library and for wrenhost's printer-side unseal.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "stand_in_cipher.h"

namespace wren::stand_in {

// An AES-256-GCM key; null when CNG refuses.
std::unique_ptr<Aead> cngAead(const std::array<unsigned char, 32>& key);

// The job key of the sealed-job format: PBKDF2-HMAC-SHA256 over the key
// material's length byte and the material. Null for empty material or when CNG refuses.
std::unique_ptr<Aead> cngDeriveJobKey(const unsigned char* material, std::size_t size,
                                      const std::array<unsigned char, kSaltBytes>& salt, std::uint32_t iterations);

// Bytes from the system's random number generator.
bool cngRandom(unsigned char* out, std::size_t size);

}  // namespace wren::stand_in
