// The document-name clean-up over arbitrary bytes in a double-byte code page.
#include "fakes.h"
#include "ps/job/document_name.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static test::FakeCodePage codePage = [] {
        test::FakeCodePage cp;
        for (int b = 0x81; b <= 0x9F; ++b) cp.leadBytes.insert(static_cast<std::uint8_t>(b));
        return cp;
    }();
    std::string name(reinterpret_cast<const char*>(data), size);
    std::string clean = cleanDocumentName(name, codePage);
    if (clean.size() > name.size() || clean.find('"') != std::string::npos) __builtin_trap();
    for (std::size_t i = 0; i < clean.size(); ++i) {
        auto b = static_cast<std::uint8_t>(clean[i]);
        if (codePage.isLeadByte(b)) {
            if (i + 1 >= clean.size()) __builtin_trap();  // never a lone lead byte
            ++i;
        } else if (b < 0x20 && b != '\t') {
            __builtin_trap();
        }
    }
    return 0;
}
