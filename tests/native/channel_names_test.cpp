#include <gtest/gtest.h>

#include "common/appinfo/channel_names.h"

namespace wren::appinfo {
namespace {

ChannelPrinter local(std::u16string name) {
    ChannelPrinter p;
    p.printerName = std::move(name);
    p.driverName = u"Wren ZE Colour PS";
    return p;
}

TEST(ChannelNames, SharedBlockAndMutexNamesKeyOnPrinterAndJob) {
    const SharedNames names = localNames(local(u"Office/Color:1"), 26);
    EXPECT_EQ(names.block, u"Local\\Office0Color010000001aA");
    EXPECT_EQ(names.mutex, u"Local\\Office0Color010000001aB");
    const SharedNames seen = sessionNames(local(u"Office/Color:1"), 26, 3);
    EXPECT_EQ(seen.block, u"Session\\3\\Office0Color010000001aA");
    EXPECT_EQ(seen.mutex, u"Session\\3\\Office0Color010000001aB");
}

TEST(ChannelNames, EveryForbiddenCharacterBecomesZeroWithinTheFirst1024) {
    EXPECT_EQ(objectSafeKey(u"a\\b/c:d*e?f\"g<h>i|j"), u"a0b0c0d0e0f0g0h0i0j");
    std::u16string longKey(1030, u'x');
    longKey[1023] = u'|';
    longKey[1024] = u'|';
    const std::u16string safe = objectSafeKey(longKey);
    EXPECT_EQ(safe[1023], u'0');
    EXPECT_EQ(safe[1024], u'|');
}

TEST(ChannelNames, JobIdsAreEightLowerCaseHexDigits) {
    EXPECT_EQ(jobHex(0), u"00000000");
    EXPECT_EQ(jobHex(26), u"0000001a");
    EXPECT_EQ(jobHex(0xDEADBEEF), u"deadbeef");
}

TEST(ChannelNames, ASharedPrinterIsKnownByItsShareName) {
    ChannelPrinter p = local(u"Wren Test");
    p.shared = true;
    p.shareName = u"wren";
    EXPECT_EQ(localNames(p, 1).block, u"Local\\wren00000001A");
}

struct PipeCase {
    const char* what;
    bool shared;
    std::u16string server;
    bool raw;
    bool newerOs;
    std::optional<std::uint32_t> emf;
    std::u16string writer;
    bool sharedMemory;
};

TEST(ChannelNames, WriterPipeByCase) {
    const PipeCase cases[] = {
        {"local", false, u"", false, true, std::nullopt, u"\\\\.\\pipe\\Wren Test\\0000001a\\AppInfo", true},
        {"local shared", true, u"", false, true, std::nullopt, u"\\\\.\\pipe\\wren\\0000001a\\AppInfo", true},
        {"server, raw", true, u"\\\\srv", true, true, 1u, u"\\\\.\\pipe\\wren\\0000001a\\AppInfo", true},
        {"server, client-side rendering", true, u"\\\\srv", false, true, 0u, u"\\\\.\\pipe\\Wren ZE Colour PS\\AppInfo",
         false},
        {"server, no despooling value", true, u"\\\\srv", false, true, std::nullopt,
         u"\\\\.\\pipe\\Wren ZE Colour PS\\AppInfo", false},
        {"server renders", true, u"\\\\srv", false, true, 1u, u"\\\\srv\\pipe\\wren\\0000001a\\AppInfo", false},
        {"server, older system", true, u"\\\\srv", false, false, 0u, u"\\\\srv\\pipe\\wren\\0000001a\\AppInfo", false},
        {"connection not shared", false, u"\\\\srv", false, true, 1u, u"\\\\srv\\pipe\\wren\\0000001a\\AppInfo", true},
    };
    for (const PipeCase& c : cases) {
        ChannelPrinter p = local(u"Wren Test");
        p.shared = c.shared;
        p.shareName = u"wren";
        p.serverName = c.server;
        EXPECT_EQ(writerPipeName(p, 26, c.raw, c.newerOs, c.emf), c.writer) << c.what;
        EXPECT_EQ(writerUsesSharedMemory(p, c.raw), c.sharedMemory) << c.what;
    }
}

TEST(ChannelNames, ReaderPipeByCase) {
    ChannelPrinter p = local(u"Wren Test");
    EXPECT_EQ(readerPipeName(p, 26), u"\\\\.\\pipe\\Wren Test\\0000001a\\AppInfo");
    p.shareName = u"wren";
    p.shared = true;
    EXPECT_EQ(readerPipeName(p, 26), u"\\\\.\\pipe\\wren\\0000001a\\AppInfo");
    p.shared = false;
    p.serverName = u"\\\\srv";
    EXPECT_EQ(readerPipeName(p, 26), u"\\\\.\\pipe\\wren\\0000001a\\AppInfo");
    p.printerName = u"\\\\csr|Wren Test";
    EXPECT_EQ(readerPipeName(p, 26), u"\\\\.\\pipe\\Wren ZE Colour PS\\AppInfo");
}

}  // namespace
}  // namespace wren::appinfo
