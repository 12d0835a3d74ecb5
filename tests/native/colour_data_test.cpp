// Hexadecimal tables and the colour data files: the decoding rules, and the
// record's table fields that a long text must not overrun.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "fakes.h"
#include "ui/colour/colour_data_files.h"
#include "ui/colour/hex_bytes.h"
#include "ui/colour/swatch_program.h"

namespace wren::test {
namespace {

using ui::HexStatus;

TEST(DecodeHexBytes, PairsOfEitherCaseBecomeBytesAndMalformedTextsKeepTheWholePairs) {
    struct Row {
        std::u16string text;
        std::vector<std::uint8_t> bytes;
        HexStatus status;
    };
    const Row rows[] = {
        {u"0A1b", {0x0A, 0x1B}, HexStatus::Complete},
        {u"0A1", {0x0A}, HexStatus::Malformed},
        {u"", {}, HexStatus::Complete},
        {u"ffG0", {0xFF}, HexStatus::Malformed},   // stops before the end
        {u"0G", {}, HexStatus::Malformed},         // second character not a digit
        {u"7f 01", {0x7F}, HexStatus::Malformed},
        {u"Z1", {}, HexStatus::Malformed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text.begin(), row.text.end()));
        std::array<std::uint8_t, 8> out{};
        const ui::HexDecoded d = ui::DecodeHexBytes(row.text, out.data(), out.size());
        EXPECT_EQ(d.status, row.status);
        ASSERT_EQ(d.count, row.bytes.size());
        for (std::size_t i = 0; i < d.count; ++i) EXPECT_EQ(out[i], row.bytes[i]);
    }
}

TEST(DecodeHexBytes, NeverWritesPastTheDestination) {
    std::array<std::uint8_t, 4> out{};
    out[3] = 0xEE;
    const ui::HexDecoded d = ui::DecodeHexBytes(u"010203040506", out.data(), 3);
    EXPECT_EQ(d.status, HexStatus::TooLong);
    EXPECT_EQ(d.count, 3u);
    EXPECT_EQ(out[3], 0xEE);
}

class CorrectionTablesTest : public ::testing::Test {
protected:
    FakeProfile profile;
    PrivateRecord record{};
    static constexpr const char16_t* kFile = u"C:\\d\\ccm.dat";
    void withTables(std::size_t ntDigits, std::size_t nvDigits) {
        profile.addFile(kFile, "[Color]\nCCMNT3=" + std::string(ntDigits, 'a') + "\nCCMNV3=" +
                                   std::string(nvDigits, '5') + "\n");
    }
};

TEST_F(CorrectionTablesTest, TablesUpToTheirFieldsAreKept) {
    withTables(506, 509);  // 253 bytes; 509 digits give 254 whole pairs
    ui::LoadCorrectionTables(profile, kFile, 0x10003, record);
    EXPECT_EQ(+record.ccmTableNtCount, 253);
    EXPECT_EQ(+record.ccmTableNt[252], 0xAA);
    EXPECT_EQ(+record.ccmTableNvCount, 254);
}

TEST_F(CorrectionTablesTest, ATableLongerThanItsFieldIsRefusedAndTheNextFieldIsUntouched) {
    withTables(508, 4);
    ui::LoadCorrectionTables(profile, kFile, 0x10003, record);
    EXPECT_EQ(+record.ccmTableNtCount, 0);
    EXPECT_EQ(+record.ccmTableNvCount, 2);  // the count right behind the table kept its own value
    EXPECT_EQ(+record.ccmTableNv[0], 0x55);
    // Longer than any table text: refused, not cut to what the read took.
    withTables(4, 600);
    ui::LoadCorrectionTables(profile, kFile, 0x10003, record);
    EXPECT_EQ(+record.ccmTableNtCount, 2);
    EXPECT_EQ(+record.ccmTableNvCount, 0);
}

TEST_F(CorrectionTablesTest, MissingFileOrKeysGiveEmptyTables) {
    record.ccmTableNtCount = 5;
    record.ccmTableNvCount = 5;
    ui::LoadCorrectionTables(profile, u"", 0x10003, record);
    EXPECT_EQ(+record.ccmTableNtCount, 0);
    EXPECT_EQ(+record.ccmTableNvCount, 0);
    withTables(4, 4);
    ui::LoadCorrectionTables(profile, kFile, 0x10009, record);
    EXPECT_EQ(+record.ccmTableNtCount, 0);
}

TEST(NamedSettings, ReadsByIdentifierSkipsNamelessAndCapsAClaimedHugeCount) {
    FakeProfile profile;
    profile.addFile(u"g.dat", "[PSGamma]\nSettingNum=2000000000\nSettingID0=7\nSettingID1=8\nSettingName7=Seven\n");
    const auto settings = ui::ReadNamedSettings(profile, u"g.dat", u"PSGamma");
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_EQ(settings[0].id, 7);
    EXPECT_EQ(settings[0].name, u"Seven");
}

class OneKeyRegistry : public ui::MachineRegistry {
public:
    std::optional<std::u16string> readString(std::u16string_view key, std::u16string_view value) const override {
        if (key == u"SOFTWARE\\S" && value == u"install") return u"D:\\Tools";
        return std::nullopt;
    }
};

TEST(SwatchProgram, IsTheInstallFolderWithTheProgramName) {
    OneKeyRegistry registry;
    EXPECT_EQ(ui::SwatchProgramPath(registry, u"SOFTWARE\\S"), u"D:\\Tools\\swatch.exe");
    EXPECT_EQ(ui::SwatchProgramPath(registry, u"SOFTWARE\\Other"), std::nullopt);
    EXPECT_EQ(ui::SwatchProgramPath(registry, u""), std::nullopt);
}

}  // namespace
}  // namespace wren::test
