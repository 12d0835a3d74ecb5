#include "ui/options/installed_option_rules.h"

#include <gtest/gtest.h>

#include <set>

using namespace wren::ui;

// Each row says one thing two ways: the tree's selection and the stored
// record's option agree for every report, on old and new systems.
TEST(InstalledOptionRules, SelectionAndStoredOptionAgreeForEveryReport) {
    const std::u16string memory[] = {u"128 MB", u"256 MB", u"512 MB"};
    for (std::uint32_t installed : {0x00u, 0x0Fu, 0x30u, 0x41u, 0xFFu})
        for (bool hardDisk : {false, true})
            for (std::int32_t mode : {0, 1})
                for (std::int32_t punch : {0, 2, 7})
                    for (bool newerOs : {false, true}) {
                        InstalledOptions r;
                        r.installed = installed;
                        r.hardDisk = hardDisk;
                        r.jobLimitationMode = mode;
                        r.punchType = punch;
                        r.memoryMb = 256;
                        r.spotColor = punch == 7 ? 9 : 1;
                        const OptionRuleInputs in{memory, newerOs};
                        for (const InstalledOptionRule& rule : InstalledOptionRules()) {
                            SCOPED_TRACE(std::string(rule.keyword));
                            const auto selection = rule.selection(r, in);
                            const auto option = rule.option(r, in);
                            if (rule.keyword == "ZEHDD" || rule.keyword == "ZEOptionDuplex" ||
                                rule.keyword == "ZEJobLimit")
                                EXPECT_EQ(*selection == 0, *option == "True");
                            else if (rule.keyword == "ZEFinisher" || rule.keyword == "ZEOptionMPF")
                                EXPECT_EQ(*selection == 1, *option == "True");
                            else if (rule.keyword == "ZEPunchUnit")
                                EXPECT_EQ(*selection == 1, punch != 0);
                            else if (rule.keyword == "ZEOptionTray")
                                EXPECT_EQ(std::to_string(*selection), *option);
                            else if (rule.keyword == "InstalledMemory")
                                EXPECT_EQ(memory[*selection], u"256 MB");
                            else
                                EXPECT_EQ(selection.has_value(), option.has_value());
                        }
                    }
}

TEST(InstalledOptionRules, EachItemKeywordAndReplacementPlaceIsUsedOnce) {
    std::set<DeviceFeature> items;
    std::set<std::string_view> keywords;
    std::set<int> orders;
    for (const InstalledOptionRule& rule : InstalledOptionRules()) {
        items.insert(rule.item);
        keywords.insert(rule.keyword);
        orders.insert(rule.keywordOrder);
    }
    EXPECT_EQ(items.size(), kOptionSelectionCount);
    EXPECT_EQ(keywords.size(), kOptionSelectionCount);
    EXPECT_EQ(orders.size(), kOptionSelectionCount);
}
