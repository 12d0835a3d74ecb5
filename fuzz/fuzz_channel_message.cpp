// The application-info channel's message reader over whatever a writer or
// the companion program put into the block or the pipe: the name never
// exceeds its room and encodes back into a terminated block.
#include <cstdint>
#include <cstdlib>

#include "common/appinfo/channel_message.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wren::appinfo;
    const std::u16string name = decodeName(data, size);
    if (name.size() > kNameChars || name.find(u'\0') != std::u16string::npos) std::abort();
    const MessageBlock block = encodeName(name);
    if (block[kMessageBytes - 1] != 0 || block[kMessageBytes - 2] != 0) std::abort();
    if (decodeName(block.data(), block.size()) != name) std::abort();
    return 0;
}
