#include <optional>
#include <gtest/gtest.h>

#include <cstring>

#include "common/settings/record_text.h"
#include "png_writer.h"
#include "ticket_writer.h"

namespace wren::host {
namespace {

bool sameTicket(const Ticket& a, const Ticket& b) {
    return a.printer == b.printer && a.features == b.features && a.postScriptOutput == b.postScriptOutput &&
           a.devmode == b.devmode && a.privateFields == b.privateFields && a.document == b.document &&
           a.input == b.input && a.output == b.output && a.application == b.application;
}

TEST(TicketWriter, WhatItWritesReadsBackTheSame) {
    Ticket t;
    t.printer = u"Wren Test";
    t.features = {{"ZEJob_Type", "Secure"}, {"PageSize", "A3"}};
    t.postScriptOutput = 3;
    t.devmode = {{"dmOrientation", "2"}, {"dmCopies", "7"}, {"dmPaperSize", "8"}};
    PrivateRecord record{};
    writeField(record.jobName, u"  \"Quoted\" ; =x ");
    writeField(record.password, u"4711");
    record.nupCode = 5;
    record.whiteAdjust = -3;
    record.duplexOffsetX[4] = -20;
    record.ccmSetting = 2;
    record.ccmTableNvCount = 3;
    record.ccmTableNv[0] = 0x0A, record.ccmTableNv[1] = 0x1B, record.ccmTableNv[2] = 0xFF;
    t.privateFields = privateFieldsOf(record);
    t.document = u"Payroll March";
    t.input = u"C:\\docs\\report.ps";
    t.output = u"../../out/x.prn";
    t.application = u"Golden Writer";

    TicketError error;
    auto text = writeTicket(t, error);
    ASSERT_TRUE(text) << error.message;
    auto back = parseTicket(*text, error);
    ASSERT_TRUE(back) << error.message << "\n" << *text;
    EXPECT_TRUE(sameTicket(t, *back)) << *text;

    PrivateRecord applied{};
    ASSERT_TRUE(applyPrivateFields(*back, applied, error)) << error.message;
    EXPECT_EQ(readField(applied.jobName), u"  \"Quoted\" ; =x ");
    EXPECT_EQ(+applied.nupCode, 5);
    EXPECT_EQ(applied.whiteAdjust, -3);
    EXPECT_EQ(applied.duplexOffsetX[4], -20);
    EXPECT_EQ(+applied.ccmSetting, 2u);
    ASSERT_EQ(+applied.ccmTableNvCount, 3);
    EXPECT_EQ(applied.ccmTableNv[2], 0xFF);
    EXPECT_EQ(+applied.ccmTableNtCount, 0);
}

TEST(TicketWriter, ColourTablesAreWholeHexTablesThatFitTheirField) {
    auto apply = [](const std::string& table) {
        Ticket t;
        t.privateFields = {{"ccmTableNt", table}};
        PrivateRecord record{};
        TicketError error;
        return applyPrivateFields(t, record, error) ? std::optional<int>(record.ccmTableNtCount) : std::nullopt;
    };
    EXPECT_EQ(apply("0a1B"), 2);
    EXPECT_EQ(apply(std::string(506, 'F')), 253);
    EXPECT_EQ(apply(std::string(508, 'F')), std::nullopt);  // one byte more than the table holds
    EXPECT_EQ(apply("0A1"), std::nullopt);                   // half a byte
}

TEST(TicketWriter, CoversEveryPrivateFieldTheReaderKnows) {
    PrivateRecord record{};
    std::vector<std::string> written;
    for (const auto& f : privateFieldsOf(record)) written.push_back(f.first);
    std::sort(written.begin(), written.end());
    std::vector<std::string> known = privateFieldNames();
    std::sort(known.begin(), known.end());
    EXPECT_EQ(written, known);
}

TEST(TicketWriter, UnterminatedTextFieldsAreCutToWhatTheRecordHolds) {
    PrivateRecord record{};
    for (char16_t& c : record.jobName) c = u'J';   // no terminator at all
    for (char16_t& c : record.password) c = u'9';
    Ticket t;
    t.printer = u"P";
    t.input = u"a.ps";
    t.privateFields = privateFieldsOf(record);
    TicketError error;
    auto text = writeTicket(t, error);
    ASSERT_TRUE(text);
    auto back = parseTicket(*text, error);
    ASSERT_TRUE(back) << error.message;
    EXPECT_EQ(back->privateFields[0].second, std::string(16, 'J'));
    EXPECT_EQ(back->privateFields[1].second, "9999");
}

TEST(TicketWriter, RefusesWhatAnIniFileCannotCarry) {
    const std::pair<std::map<std::string, std::string>, const char*> cases[] = {
        {{{"ZEJob_Type", "a\nb"}}, "line break"},
        {{{"Bad=Key", "x"}}, "cannot be written"},
        {{{";Comment", "x"}}, "cannot be written"},
        {{{"Duplex", "x"}, {"duplex", "y"}}, "differ only in case"},
    };
    for (const auto& [features, message] : cases) {
        Ticket t;
        t.printer = u"P";
        t.input = u"a.ps";
        t.features = features;
        TicketError error;
        EXPECT_FALSE(writeTicket(t, error));
        EXPECT_NE(error.message.find(message), std::string::npos) << error.message;
    }
}

TEST(TicketWriter, DevmodeFieldsByName) {
    PublicDevmode dm{};
    dm.dmOrientation = 2;
    dm.dmPrintQuality = 1200;
    auto fields = devmodeFieldsOf(dm, {"dmPrintQuality", "dmOrientation", "dmNoSuchField"});
    EXPECT_EQ(fields, (TicketFields{{"dmPrintQuality", "1200"}, {"dmOrientation", "2"}}));
}

// A reader of the encoder's own output: chunk CRCs, the stored blocks and
// the Adler checksum, checked independently of how they were written.
std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

TEST(PngWriter, WritesAValidImageWithStoredBlocks) {
    // Wide enough that the image data needs more than one stored block.
    const std::uint32_t w = 300, h = 80;
    std::vector<std::uint8_t> rgb(w * h * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7);
    auto png = encodePng(w, h, rgb.data());
    ASSERT_GT(png.size(), 8u);
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_EQ(std::memcmp(png.data(), signature, 8), 0);

    std::vector<std::string> types;
    std::vector<std::uint8_t> idat;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = be32(&png[at]);
        ASSERT_LE(at + 12 + length, png.size());
        types.emplace_back(reinterpret_cast<const char*>(&png[at + 4]), 4);
        EXPECT_EQ(be32(&png[at + 8 + length]), crc32(&png[at + 4], length + 4)) << types.back();
        if (types.back() == "IHDR") {
            EXPECT_EQ(be32(&png[at + 8]), w);
            EXPECT_EQ(be32(&png[at + 12]), h);
            EXPECT_EQ(png[at + 16], 8);  // bit depth
            EXPECT_EQ(png[at + 17], 2);  // RGB
        }
        if (types.back() == "IDAT") idat.insert(idat.end(), &png[at + 8], &png[at + 8 + length]);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

    ASSERT_GE(idat.size(), 6u);
    EXPECT_EQ((idat[0] * 256 + idat[1]) % 31, 0);  // the zlib header check
    std::vector<std::uint8_t> raw;
    std::size_t p = 2;
    bool last = false;
    int blocks = 0;
    while (!last) {
        ASSERT_LE(p + 5, idat.size());
        last = idat[p] & 1;
        ASSERT_EQ(idat[p] & 6, 0);  // stored
        const unsigned len = idat[p + 1] | (idat[p + 2] << 8), nlen = idat[p + 3] | (idat[p + 4] << 8);
        ASSERT_EQ(len ^ 0xFFFF, nlen);
        raw.insert(raw.end(), &idat[p + 5], &idat[p + 5 + len]);
        p += 5 + len;
        ++blocks;
    }
    EXPECT_GT(blocks, 1);
    ASSERT_EQ(p + 4, idat.size());
    EXPECT_EQ(be32(&idat[p]), adler32(raw.data(), raw.size()));
    ASSERT_EQ(raw.size(), (1 + w * 3) * h);
    for (std::uint32_t y = 0; y < h; ++y) {
        EXPECT_EQ(raw[y * (1 + w * 3)], 0);
        EXPECT_EQ(std::memcmp(&raw[y * (1 + w * 3) + 1], &rgb[y * w * 3], w * 3), 0);
    }
}

TEST(PngWriter, KnownChecksumsAndRefusals) {
    const std::uint8_t text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(crc32(text, 9), 0xCBF43926u);
    EXPECT_EQ(adler32(reinterpret_cast<const std::uint8_t*>("Wikipedia"), 9), 0x11E60398u);
    std::uint8_t pixel[3] = {};
    EXPECT_TRUE(encodePng(0, 1, pixel).empty());
    EXPECT_TRUE(encodePng(1, 0, pixel).empty());
    EXPECT_TRUE(encodePng(1, 1, nullptr).empty());
    EXPECT_TRUE(encodePng(0x7FFFFFFF, 2, pixel).empty());
}

}  // namespace
}  // namespace wren::host
