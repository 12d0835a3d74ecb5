// Several devices of one spooler process rendering their jobs at once: each
// job must come out exactly as it does when printed alone, and no encrypted
// job's document may reach any spool in clear.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "render_device.h"
#include "render_fixture.h"
#include "run_together.h"

namespace wren::test {
namespace {

constexpr int kDevices = 8;
constexpr int kRounds = 3;

JobKind kindOf(int number) {
    static constexpr JobKind kKinds[] = {JobKind::Encrypted, JobKind::Plain, JobKind::Watermark, JobKind::Overlay};
    return kKinds[number % 4];
}

// Empty when equal; else where they part (a whole job is too long to print).
std::string difference(const std::string& got, const std::string& expected) {
    if (got == expected) return "";
    std::size_t at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at]) ++at;
    return "sizes " + std::to_string(got.size()) + " and " + std::to_string(expected.size()) + ", first difference at " +
           std::to_string(at) + ": \"" + visible(got.substr(at, 40)) + "\" instead of \"" +
           visible(expected.substr(at, 40)) + "\"";
}

class RenderConcurrency : public ::testing::Test {
protected:
    SharedProcess process;
    std::vector<std::unique_ptr<RenderDevice>> devices;
    std::vector<std::string> alone;  // each device's job, printed with nothing else running

    void SetUp() override {
        for (int i = 0; i < kDevices; ++i) devices.push_back(std::make_unique<RenderDevice>(kindOf(i), i, process));
        for (auto& device : devices) alone.push_back(device->printJob());
    }
    void TearDown() override { EXPECT_EQ(process.loader.live(), 0) << "every library is unloaded"; }

    // No spool holds another device's document text, and none holds an
    // encrypted document's text in clear.
    void expectEachSpoolHoldsOnlyItsOwnText(const std::vector<std::string>& spools) {
        for (std::size_t i = 0; i < spools.size(); ++i)
            for (std::size_t j = 0; j < devices.size(); ++j) {
                const RenderDevice& other = *devices[j];
                if (i == j && other.kind() != JobKind::Encrypted) continue;
                EXPECT_EQ(spools[i].find(other.marker()), std::string::npos)
                    << "spool of device " << i << " holds the text of device " << j;
            }
    }
};

TEST_F(RenderConcurrency, EachJobAloneIsWholeAndCarriesItsOwnDevicesFacts) {
    for (int i = 0; i < kDevices; ++i) {
        const RenderDevice& device = *devices[i];
        SCOPED_TRACE(std::string("device ") + std::to_string(i) + ", " + kindName(device.kind()));
        const std::string& spool = alone[i];
        ASSERT_EQ(spool.rfind("failed", 0), std::string::npos);
        EXPECT_FALSE(device.cancelled());
        if (device.kind() == JobKind::Encrypted) {
            const ParsedSpool parsed = parseSpool(spool);
            EXPECT_EQ(parsed.error, "");
            EXPECT_TRUE(parsed.ended);
            EXPECT_NE(parsed.plain.find("UserName=" + device.printerName() + "\""), std::string::npos);
            EXPECT_EQ(decryptSpool(parsed, device.key()), device.composed());
            continue;
        }
        EXPECT_EQ(difference(spool, device.composed()), "") << "a job in clear passes unchanged";
        EXPECT_NE(spool.find("@PJL JOB NAME=\"Report of device " + std::to_string(i) + "\""), std::string::npos);
        EXPECT_NE(spool.find("UserName=" + device.printerName() + "\""), std::string::npos);
        EXPECT_NE(spool.find("Application=Application of job " + std::to_string(device.jobId()) + "\""), std::string::npos);
        EXPECT_NE(spool.find(device.marker() + " page 3 line 39"), std::string::npos);
        if (device.kind() == JobKind::Watermark)
            EXPECT_NE(spool.find("(WATERMARK OF DEVICE " + std::to_string(i) + ")"), std::string::npos);
        if (device.kind() == JobKind::Overlay)
            EXPECT_NE(spool.find("/FormList [ /FORM" + std::to_string(i) + "A /FORM" + std::to_string(i) + "B]"),
                      std::string::npos);
    }
    expectEachSpoolHoldsOnlyItsOwnText(alone);
}

TEST_F(RenderConcurrency, JobsRenderedAtOnceEqualTheirJobsPrintedAlone) {
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::string> together(kDevices);
        runTogether(kDevices, [&](int i) { together[i] = devices[i]->printJob(); });
        for (int i = 0; i < kDevices; ++i)
            EXPECT_EQ(difference(together[i], alone[i]), "") << "round " << round << ", device " << i;
        expectEachSpoolHoldsOnlyItsOwnText(together);
    }
}

// The core driver may interleave two devices' calls on one thread: each
// device's start of stream, then their blocks in turn.
TEST_F(RenderConcurrency, TwoDevicesInterleavedOnOneThread) {
    const std::pair<int, int> pairs[] = {{0, 4}, {0, 1}, {2, 3}, {6, 4}};
    for (const auto& [first, second] : pairs) {
        SCOPED_TRACE(std::to_string(first) + " with " + std::to_string(second));
        RenderDevice& a = *devices[first];
        RenderDevice& b = *devices[second];
        bool moreOfA = a.step(), moreOfB = b.step();
        while (moreOfA || moreOfB) {
            if (moreOfA) moreOfA = a.step();
            if (moreOfB) moreOfB = b.step();
        }
        const std::vector<std::string> spools = {a.takeOutput(), b.takeOutput()};
        EXPECT_EQ(difference(spools[0], alone[first]), "");
        EXPECT_EQ(difference(spools[1], alone[second]), "");
        for (const std::string& spool : spools) {
            for (const RenderDevice* encrypted : {&a, &b})
                if (encrypted->kind() == JobKind::Encrypted)
                    EXPECT_EQ(spool.find(encrypted->marker()), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace wren::test
