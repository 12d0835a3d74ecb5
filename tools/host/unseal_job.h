// Unsealing an encrypted job as the printer does: its framing, then the
// stand-in cipher's records under the key the owner gives. Portable: the
// cryptography comes in through the key derivation.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "stand_in_cipher.h"
#include "unseal_framing.h"

namespace wren::host {

struct UnsealResult {
    bool ok = false;
    std::string message;            // one line: why the job does not open
    std::size_t chunks = 0;         // write chunks in the job
    std::size_t records = 0;        // cipher records opened
    std::string_view plainHeader;   // the job's plain header, a view into the job
};

// `plain` receives the job as the plug-in received it, or stays empty.
UnsealResult unsealJob(std::string_view job, std::string_view keyMaterial, const stand_in::KeyDerivation& derive,
                       std::string& plain);

}  // namespace wren::host
