// The reader's end of the application-info channel, linked into the test so
// that its pipe wait can be short: the plug-in waits 10 seconds for the
// companion program, which would make a test of "no writer at all" slow.
// A writer is played here with the real kernel objects, under the names the
// UI plug-in would use, on the installed printer "Wren Test".
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "common/appinfo/channel_message.h"
#include "common/appinfo/channel_names.h"
#include "platform/win32/app_info_printer.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"
#include "ps/plugin/app_info_reader.h"

namespace wren::wine_test {
namespace {

using win32::UniqueHandle;

constexpr DWORD kShortPipeWaitMs = 300;

DWORD processSession() {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return session;
}

// A writer's 122-byte block and its mutex under the given names.
class PlayedWriter {
public:
    PlayedWriter(const appinfo::SharedNames& names, std::u16string_view application) {
        mutex_ = UniqueHandle(CreateMutexW(nullptr, FALSE, win32::wz(names.mutex)));
        block_ = UniqueHandle(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                 appinfo::kMessageBytes, win32::wz(names.block)));
        if (!mutex_ || !block_) return;
        void* view = MapViewOfFile(block_.get(), FILE_MAP_WRITE, 0, 0, appinfo::kMessageBytes);
        if (!view) return;
        const appinfo::MessageBlock message = appinfo::encodeName(application);
        std::memcpy(view, message.data(), message.size());
        UnmapViewOfFile(view);
        ready_ = true;
    }
    bool ready() const { return ready_; }
    HANDLE mutex() const { return mutex_.get(); }

private:
    UniqueHandle mutex_, block_;
    bool ready_ = false;
};

class AppInfoReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(L"Wren Test"), printer_.out(), nullptr))
            << "the printer \"Wren Test\" is not installed";
        std::optional<appinfo::ChannelPrinter> target = win32::channelPrinter(printer_.get());
        ASSERT_TRUE(target);
        target_ = *target;
    }

    // A job id of its own per test: names never meet a leftover object.
    static std::uint32_t freshJob() {
        static std::uint32_t next = 0x7000 + (GetCurrentProcessId() & 0xFFF) * 16;
        return ++next;
    }

    std::string read(std::uint32_t job) {
        ps::AppInfoReader reader(codePage_, kShortPipeWaitMs);
        return reader.applicationName(printer_.get(), job);
    }

    win32::UniquePrinter printer_;
    appinfo::ChannelPrinter target_;
    win32::Win32CodePage codePage_;
};

TEST_F(AppInfoReaderTest, WithoutAnyWriterTheReaderGivesUpAfterItsWaitWithAnEmptyName) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(read(freshJob()), "");
    const auto waited = std::chrono::steady_clock::now() - start;
    // It did wait for a companion program, and not the product's 10 seconds.
    EXPECT_GE(waited, std::chrono::milliseconds(kShortPipeWaitMs - 50));
    EXPECT_LT(waited, std::chrono::seconds(5));
}

// The spooler reads in its own session, where Local\ names miss a writer in
// the client's session; the client's Session\<n>\ names find it. Here the
// test runs in one session, so the writer is placed in session 0 and the
// reader is told that its client lives there.
TEST_F(AppInfoReaderTest, SessionNamesServeWhenTheLocalOpenFails) {
    const std::uint32_t job = freshJob();
    ASSERT_NE(processSession(), 0u) << "the test needs a process outside session 0";
    PlayedWriter writer(appinfo::sessionNames(target_, job, 0), u"Session Writer");
    ASSERT_TRUE(writer.ready());
    ps::AppInfoReader inClientSession(codePage_, kShortPipeWaitMs, 0);
    EXPECT_EQ(inClientSession.applicationName(printer_.get(), job), "Session Writer");
    // Without the client's session the Local\ names miss it: the reader
    // falls through to the pipe, and nobody connects.
    EXPECT_EQ(read(job), "");
}

TEST_F(AppInfoReaderTest, MutexLeftBehindByADeadWriterCountsAsOwned) {
    const std::uint32_t job = freshJob();
    const appinfo::SharedNames names = appinfo::localNames(target_, job);
    PlayedWriter writer(names, u"Gone Writer");
    ASSERT_TRUE(writer.ready());
    // A writer thread that takes the mutex and ends without releasing it.
    std::thread([&] { WaitForSingleObject(writer.mutex(), INFINITE); }).join();
    EXPECT_EQ(read(job), "Gone Writer");
}

TEST_F(AppInfoReaderTest, CompanionThatConnectsLateWithinTheWaitIsHeard) {
    const std::uint32_t job = freshJob();
    const std::u16string pipe = appinfo::readerPipeName(target_, job);
    std::thread companion([&] {
        // The reader creates the pipe; connect once it exists.
        for (int i = 0; i < 100; ++i) {
            UniqueHandle end(CreateFileW(win32::wz(pipe), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            if (end.get() != INVALID_HANDLE_VALUE && end) {
                const appinfo::MessageBlock message = appinfo::encodeName(u"Late Companion");
                DWORD wrote = 0;
                WriteFile(end.get(), message.data(), DWORD(message.size()), &wrote, nullptr);
                return;
            }
            Sleep(10);
        }
    });
    const std::string name = read(job);
    companion.join();
    EXPECT_EQ(name, "Late Companion");
}

}  // namespace
}  // namespace wren::wine_test
