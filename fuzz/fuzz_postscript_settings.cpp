// The prolog's globaldict entries over an arbitrary record and public
// DEVMODE, as they arrive and after the merge. Every entry must be
// "globaldict /<key> <value> put " with a value the PostScript reader takes
// (an integer, a decimal with digits on both sides of the point, true or
// false), and nothing but printable ASCII and the entry separators.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/settings/render_devmode.h"
#include "fakes.h"
#include "ps/inject/postscript_settings.h"

using namespace wren;

namespace {

class NoStream : public SpoolStream {
public:
    std::uint32_t write(const void*, std::uint32_t size) override { return size; }
};

[[noreturn]] void fail(const char* why, std::string_view text) {
    std::fprintf(stderr, "settings broken: %s in [%.*s]\n", why, static_cast<int>(text.size()), text.data());
    std::abort();
}

bool isNumber(std::string_view v) {
    if (!v.empty() && v.front() == '-') v.remove_prefix(1);
    const std::size_t point = v.find('.');
    std::string_view whole = v.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : v.substr(point + 1);
    auto digits = [](std::string_view s) {
        if (s.empty()) return false;
        for (char c : s) if (c < '0' || c > '9') return false;
        return true;
    };
    return digits(whole) && (point == std::string_view::npos || digits(fraction));
}

void checkEntry(std::string_view entry) {
    constexpr std::string_view kStart = "globaldict /", kEnd = " put ";
    if (entry.substr(0, kStart.size()) != kStart) fail("entry without globaldict", entry);
    if (entry.size() < kStart.size() + kEnd.size() || entry.substr(entry.size() - kEnd.size()) != kEnd)
        fail("entry without put", entry);
    std::string_view body = entry.substr(kStart.size(), entry.size() - kStart.size() - kEnd.size());
    const std::size_t blank = body.find(' ');
    if (blank == 0 || blank == std::string_view::npos) fail("entry without key or value", entry);
    std::string_view value = body.substr(blank + 1);
    if (value == "true ") return;  // the card entry has two blanks before put
    if (value != "true" && value != "false" && !isNumber(value)) fail("value the reader does not take", entry);
}

void checkSettings(std::string_view text) {
    for (char c : text)
        if (c != '\r' && c != '\n' && (c < 0x20 || c > 0x7E)) fail("byte outside printable ASCII", text);
    constexpr std::string_view kSeparator = "\r\n\n";
    while (!text.empty()) {
        const std::size_t end = text.find(kSeparator);
        if (end == std::string_view::npos) fail("entry without its line end", text);
        checkEntry(text.substr(0, end));
        text.remove_prefix(end + kSeparator.size());
    }
}

const char* const kControls[] = {"Color", "Gray", "Auto"};
const char* const kToners[] = {"None", "White", "Clear"};
const char* const kSpecialControls[] = {"OnlySpecialColor", "Mixed"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    const std::uint8_t flags = data[0];
    PublicDevmode devmode{};
    std::int16_t color, duplex;
    std::memcpy(&color, data + 1, 2);
    std::memcpy(&duplex, data + 3, 2);
    devmode.dmColor = color;
    devmode.dmDuplex = duplex;
    std::uint32_t nup;
    std::memcpy(&nup, data + 5, 4);
    devmode.dmNup = (flags & 0x01) ? 1 : nup;
    data += 9;
    size -= 9;

    PrivateRecord arrived{};
    std::memcpy(&arrived, data, std::min(size, sizeof arrived));
    PrivateRecord record{};
    if (flags & 0x02) {
        arrived.dwSignature = kRecordSignature;
        record.dwSize = kRecordSize;
        record.dwSignature = kRecordSignature;
        renderMerge(&arrived, &record);
    } else {
        record = arrived;
    }

    test::FakeProfile profile;
    test::FakeSpooler spooler;
    test::FakeLibraryLoader loader;
    test::FakeCodePage codePage;
    RenderPorts ports{spooler, profile, loader, codePage};
    test::FakeDriverSettings settings;
    settings.features["ZEControl"] = kControls[(flags >> 2) % 3];
    settings.features["ZESpecialTonerInstalled"] = kToners[(flags >> 4) % 3];
    settings.features["ZESpecialColorControl"] = kSpecialControls[(flags >> 6) & 1];
    NoStream stream;
    JobState job;
    RenderContext ctx{ports, reinterpret_cast<PrinterHandle>(0x20), record, devmode, settings, stream, job};

    checkSettings(prologSettings(ctx, (flags & 0x80) != 0));
    checkSettings(adjustmentEntries(record, devmode.dmDuplex));
    return 0;
}
