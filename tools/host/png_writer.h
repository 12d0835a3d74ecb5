// A PNG encoder for screenshots: 8-bit RGB, no filtering, the image data in
// stored (uncompressed) deflate blocks. Large but exact and dependency-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wren::host {

// `rgb` holds `height` rows of `width` pixels, three bytes each, top row
// first. Empty on a zero or oversized image (more than 2^31 - 1 bytes).
std::vector<std::uint8_t> encodePng(std::uint32_t width, std::uint32_t height, const std::uint8_t* rgb);

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler = 1);

}  // namespace wren::host
