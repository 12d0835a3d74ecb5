#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "usage.h"

using namespace wren::host;

// The README's synopsis of wrenhost is the usage the host prints, line for
// line and in the same order.
TEST(HostUsage, TheReadmeShowsEachCommandsUsage) {
    std::ifstream file(std::string(WREN_SOURCE_DIR) + "/README.md");
    ASSERT_TRUE(file) << "README.md";
    std::vector<std::string> shown;
    bool inBlock = false, synopsis = false;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("```", 0) == 0) {
            if (inBlock && synopsis) break;
            inBlock = !inBlock;
            continue;
        }
        if (!inBlock) continue;
        if (line.rfind("wrenhost install ", 0) == 0) synopsis = true;
        if (synopsis) shown.push_back(line);
    }
    std::vector<std::string> usages;
    for (const CommandUsage& u : kCommandUsages) usages.emplace_back(u.synopsis);
    EXPECT_EQ(shown, usages);
}

TEST(HostUsage, AnUnknownCommandListsEveryCommand) {
    EXPECT_EQ(usageOf("unseal"), "usage: wrenhost unseal <job> (--password P | --card-data HEX) <out>");
    const std::string all = usageOf("");
    for (const CommandUsage& u : kCommandUsages) EXPECT_NE(all.find(u.synopsis), std::string::npos) << u.command;
}
