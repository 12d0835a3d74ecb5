#include "png_writer.h"

#include <array>
#include <cstring>
#include <string_view>

namespace wren::host {
namespace {

const std::array<std::uint32_t, 256>& crcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void chunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    put32(out, crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = crcTable()[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler) {
    std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> encodePng(std::uint32_t width, std::uint32_t height, const std::uint8_t* rgb) {
    const std::uint64_t row = 1 + std::uint64_t{width} * 3;  // filter byte, then the pixels
    const std::uint64_t rawSize = row * height;
    if (width == 0 || height == 0 || !rgb || rawSize > 0x7FFFFFFFu || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu)
        return {};

    std::vector<std::uint8_t> raw(static_cast<std::size_t>(rawSize));
    for (std::uint32_t y = 0; y < height; ++y) {
        raw[y * row] = 0;  // filter type None
        std::memcpy(&raw[y * row + 1], rgb + std::size_t{y} * width * 3, std::size_t{width} * 3);
    }

    std::vector<std::uint8_t> zlib = {0x78, 0x01};
    const std::size_t kBlock = 65535;
    for (std::size_t at = 0; at < raw.size(); at += kBlock) {
        const std::size_t n = raw.size() - at < kBlock ? raw.size() - at : kBlock;
        zlib.push_back(at + n == raw.size() ? 1 : 0);  // BFINAL, BTYPE 00
        zlib.push_back(static_cast<std::uint8_t>(n));
        zlib.push_back(static_cast<std::uint8_t>(n >> 8));
        zlib.push_back(static_cast<std::uint8_t>(~n));
        zlib.push_back(static_cast<std::uint8_t>(~n >> 8));
        zlib.insert(zlib.end(), raw.begin() + at, raw.begin() + at + n);
    }
    put32(zlib, adler32(raw.data(), raw.size()));

    std::vector<std::uint8_t> header;
    put32(header, width);
    put32(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter method, no interlace

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib);
    chunk(png, "IEND", {});
    return png;
}

}  // namespace wren::host
