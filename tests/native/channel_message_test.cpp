#include <gtest/gtest.h>

#include "common/appinfo/channel_message.h"

namespace wren::appinfo {
namespace {

TEST(ChannelMessage, ANameRoundTripsThroughTheBlock) {
    const MessageBlock block = encodeName(u"Wren Writer \u00e9");
    EXPECT_EQ(decodeName(block.data(), block.size()), u"Wren Writer \u00e9");
    EXPECT_EQ(block[2 * 14], 0);
}

TEST(ChannelMessage, LongNamesAreCutToSixtyCharactersAndStayTerminated) {
    const std::u16string longName(80, u'n');
    const MessageBlock block = encodeName(longName);
    EXPECT_EQ(decodeName(block.data(), block.size()), std::u16string(60, u'n'));
    EXPECT_EQ(block[120], 0);
    EXPECT_EQ(block[121], 0);
}

TEST(ChannelMessage, ReadsStayWithinWhatArrived) {
    // A full message without any terminator, as a careless writer sends it.
    MessageBlock full;
    full.fill(0x41);
    EXPECT_EQ(decodeName(full.data(), full.size()), std::u16string(60, u'\u4141'));
    // An odd byte count: the last half unit is ignored.
    const std::uint8_t odd[] = {'A', 0, 'B'};
    EXPECT_EQ(decodeName(odd, sizeof odd), u"A");
    EXPECT_EQ(decodeName(nullptr, 10), u"");
    EXPECT_EQ(decodeName(odd, 0), u"");
}

}  // namespace
}  // namespace wren::appinfo
