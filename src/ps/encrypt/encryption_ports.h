// What the job encryption needs from the world: the cipher library that the
// configuration names, the owner's IC-card data, and the spooler that takes
// the encrypted job.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/library.h"

namespace wren {

class EncryptionPorts {
public:
    virtual ~EncryptionPorts() = default;
    // The cipher library; null when none is configured or it does not load.
    virtual std::unique_ptr<Library> cipherLibrary() = 0;
    // GetCardData into a buffer of `size` bytes; nothing when it fails.
    virtual std::optional<std::vector<std::uint8_t>> cardData(std::uint32_t size) = 0;
    // WritePrinter; true only when the spooler took every byte.
    virtual bool send(const void* data, std::uint32_t size) = 0;
};

}  // namespace wren
