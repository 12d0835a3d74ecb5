#include "ui/pages/gamma_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes.h"

using namespace wren;

namespace {

constexpr char16_t kIni[] = u"C:\\drivers\\x64\\3\\wren.ini";
constexpr char16_t kGammaFile[] = u"C:\\drivers\\x64\\3\\wrengam.dat";

class GammaSettingsTest : public ::testing::Test {
protected:
    GammaSettingsTest() { profile.addFile(kIni, "[DependentFiles]\nHALFTONE=wrengam.dat\n"); }
    ui::GammaSettings read(const std::string& gammaFile) {
        profile.addFile(kGammaFile, gammaFile);
        profile.reads = 0;
        return ui::readGammaSettings(profile, DriverConfig{spooler, profile, reinterpret_cast<PrinterHandle>(1)}, kIni);
    }
    static std::vector<std::pair<int, std::u16string>> listed(const ui::GammaSettings& gamma) {
        std::vector<std::pair<int, std::u16string>> out;
        for (const auto& s : gamma.settings) out.emplace_back(s.id, s.name);
        return out;
    }
    test::FakeProfile profile;
    test::FakeSpooler spooler;
};

}  // namespace

// A setting without an identifier is setting 0; names are looked up by
// identifier, keys without case ("SettingID01" is not setting 1's), and
// unnamed settings are left out.
TEST_F(GammaSettingsTest, ListsEachClaimedSettingByItsIdentifiersName) {
    const auto gamma = read("[PSGamma]\nSettingNum=5\nsettingid0=3\nSettingID01=3\nSettingID2=3\nSettingID4=9\n"
                            "SettingName0=Zero\nSETTINGNAME3=Three\n");
    EXPECT_TRUE(gamma.offered);
    const std::vector<std::pair<int, std::u16string>> expected{{3, u"Three"}, {0, u"Zero"}, {3, u"Three"}, {0, u"Zero"}};
    EXPECT_EQ(listed(gamma), expected);
}

TEST_F(GammaSettingsTest, NoFileOrNoClaimOffersNoGamma) {
    EXPECT_FALSE(read("[PSGamma]\nSettingNum=0\nSettingName0=Zero\n").offered);
    EXPECT_FALSE(read("[PSGamma]\nSettingNum=-3\n").offered);
    profile.addFile(kIni, "[DependentFiles]\nHALFTONE=\n");
    EXPECT_FALSE(read("[PSGamma]\nSettingNum=2\nSettingName0=Zero\n").offered);
}

// Identifiers are 8-bit: no more than 256 settings are listed, and a file
// claiming more than it names costs reads for what it names.
TEST_F(GammaSettingsTest, AHugeClaimIsCutToTheIdentifiersAndReadsOnlyTheKeysPresent) {
    const auto gamma = read("[PSGamma]\nSettingNum=100000\nSettingID7=300\nSettingName0=Zero\nSettingName300=Big\n");
    ASSERT_EQ(gamma.settings.size(), 256u);
    EXPECT_EQ(gamma.settings[7].id, 300 & 0xFF);
    EXPECT_EQ(gamma.settings[7].name, u"Big");
    EXPECT_EQ(gamma.settings[8].name, u"Zero");
    EXPECT_LT(profile.reads, 10);
}

// A key list too long to be sure it is whole: every key is read in turn,
// with the same result.
TEST_F(GammaSettingsTest, AKeyListThatMayBeCutFallsBackToReadingEachKey) {
    std::string text = "[PSGamma]\nSettingNum=3\nSettingID1=2\nSettingName2=Two\nSettingName0=Zero\n";
    for (int i = 0; i < 5000; ++i) text += "PaddingKeyNumber" + std::to_string(i) + "=x\n";
    const auto gamma = read(text);
    const std::vector<std::pair<int, std::u16string>> expected{{0, u"Zero"}, {2, u"Two"}, {0, u"Zero"}};
    EXPECT_EQ(listed(gamma), expected);
}
