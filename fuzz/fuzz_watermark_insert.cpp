// The watermark insert formatter over arbitrary template bytes, strings and
// arguments: it must stay inside its buffers, and the measured length must
// be the length it then formats, byte for byte the same in both passes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fakes.h"
#include "ps/watermark/insert_formatter.h"

using namespace wren;

namespace {

[[noreturn]] void fail(const char* why) {
    std::fprintf(stderr, "insert formatter broken: %s\n", why);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Layout: 1 byte template length share, 1 byte argument count, then
    // the template, the text and the font name, and the arguments.
    if (size < 2) return 0;
    const std::size_t templateLength = data[0] * (size - 2) / 255;
    const std::size_t argumentCount = data[1] % 16;
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    // The template in its own allocation, so that a read past its end is caught.
    std::vector<char> templ(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(templateLength));
    rest.remove_prefix(templateLength);
    std::u16string text, font;
    const std::size_t half = rest.size() / 2;
    for (std::size_t i = 0; i + 1 < half; i += 2)
        text.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(rest[i]) | (static_cast<std::uint8_t>(rest[i + 1]) << 8)));
    for (std::size_t i = half; i < rest.size(); ++i) font.push_back(static_cast<std::uint8_t>(rest[i]));
    std::vector<std::string> strings;
    std::vector<InsertArgument> arguments;
    for (std::size_t i = 0; i < argumentCount; ++i) {
        const std::size_t at = (i * 7) % (rest.size() + 1);
        if (i % 2) arguments.push_back(InsertArgument::of(static_cast<std::uint32_t>(at * 2654435761u)));
        else strings.emplace_back(rest.substr(at, i + 3));
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < argumentCount; ++i)
        if (i % 2 == 0) arguments.insert(arguments.begin() + static_cast<std::ptrdiff_t>(i), InsertArgument::of(std::string_view(strings[next++])));

    test::FakeCodePage codePage;
    InsertInput input{std::string_view(templ.data(), templ.size()), {text, font}, arguments, codePage};
    const std::size_t measured = formatInserts(input, nullptr, 0);
    std::optional<FormattedText> formatted = formatTemplate(input);
    if (!formatted) fail("no result");
    if (formatted->length != measured) fail("measured length differs from the formatted length");
    if (formatted->bytes[measured] != '\0') fail("no terminator");
    // A short buffer takes a prefix of the same result and nothing more.
    if (measured > 1) {
        std::vector<char> small(measured / 2);
        if (formatInserts(input, small.data(), small.size()) != measured) fail("length depends on the buffer");
        if (std::memcmp(small.data(), formatted->bytes.get(), small.size()) != 0) fail("prefix differs");
    }
    return 0;
}
