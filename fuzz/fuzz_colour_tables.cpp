// The colour-correction file's table texts as a hand-edited file may hold
// them: decoding never writes past the record's table fields, a table that
// does not fit is refused whole, and the counts stay within their fields.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fakes.h"
#include "ui/colour/colour_data_files.h"
#include "ui/colour/hex_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wren;
    // Direct decoding into a guarded buffer.
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    std::uint8_t buffer[40];
    std::memset(buffer, 0xCD, sizeof buffer);
    const std::size_t capacity = size % 33;
    const ui::HexDecoded decoded = ui::DecodeHexBytes(text, buffer, capacity);
    if (decoded.count > capacity) std::abort();
    for (std::size_t i = capacity; i < sizeof buffer; ++i)
        if (buffer[i] != 0xCD) std::abort();

    // The same bytes as the file's two tables of setting 1.
    test::FakeProfile profile;
    const std::string body(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = body.find('\n');
    const std::string nt = body.substr(0, cut);
    const std::string nv = cut == std::string::npos ? std::string() : body.substr(cut + 1);
    profile.addFile(u"ccm.dat", "[Color]\nCCMNT1=" + nt + "\nCCMNV1=" + nv + "\n");
    PrivateRecord record{};
    ui::LoadCorrectionTables(profile, u"ccm.dat", 0x10001, record);
    if (record.ccmTableNtCount > sizeof record.ccmTableNt || record.ccmTableNvCount > sizeof record.ccmTableNv)
        std::abort();
    return 0;
}
