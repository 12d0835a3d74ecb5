// Port: the core driver's DrvWriteSpoolBuf, the one way injected bytes enter
// the PostScript stream.
#pragma once

#include <cstdint>

namespace wren {

class SpoolStream {
public:
    virtual ~SpoolStream() = default;
    // Returns the number of bytes the core driver took.
    virtual std::uint32_t write(const void* data, std::uint32_t size) = 0;
};

}  // namespace wren
