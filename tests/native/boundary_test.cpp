// Exceptions stop at the plug-ins' entry points: thrown from a port deep in
// the portable logic, they come back as the entry's failure answer.
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "common/guard/boundary.h"
#include "common/settings/ui_devmode.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/job_start.h"
#include "render_fixture.h"
#include "settings_fixture.h"

namespace wren::test {
namespace {

// A port's calls, counted; once armed, call number `throwAt` throws.
struct Trap {
    std::function<void()> raise;
    int throwAt = 0;
    mutable int calls = 0;
    void arm(std::function<void()> r, int at = 0) {
        raise = std::move(r);
        throwAt = at;
        calls = 0;
    }
    void disarm() { arm(nullptr); }
    void spring() const {
        const int call = calls++;
        if (raise && call == throwAt) raise();
    }
};

struct Thrower {
    const char* name;
    std::function<void()> raise;
    std::int32_t result;  // what a COM method answers
    BoundaryFault fault;
};

const Thrower kThrowers[] = {
    {"bad_alloc", [] { throw std::bad_alloc(); }, kResultOutOfMemory, BoundaryFault::OutOfMemory},
    {"bad_array_new_length", [] { throw std::bad_array_new_length(); }, kResultOutOfMemory,
     BoundaryFault::OutOfMemory},
    {"runtime_error", [] { throw std::runtime_error("broken"); }, kResultFail, BoundaryFault::Other},
    {"length_error", [] { throw std::length_error("too long"); }, kResultFail, BoundaryFault::Other},
    {"not an exception class", [] { throw 42; }, kResultFail, BoundaryFault::Other},
};

// A COM method's shape: its body's HRESULT through the guard, with the
// fault kind noted where the Win32 side sets the last error.
struct ComCall {
    std::optional<BoundaryFault> fault;
    template <typename F>
    std::int32_t operator()(F&& body) {
        return guardedResult<std::int32_t>(std::forward<F>(body), [this](BoundaryFault f) noexcept { fault = f; });
    }
};

TEST(Boundary, AResultWithoutExceptionPassesUnchanged) {
    for (std::int32_t hr : {0, 1, kResultFail, kResultOutOfMemory, static_cast<std::int32_t>(0x80070057U)}) {
        ComCall call;
        EXPECT_EQ(call([hr] { return hr; }), hr);
        EXPECT_FALSE(call.fault) << "a body that answered a failure itself threw nothing";
    }
    EXPECT_EQ(guarded(-1, [] { return 7; }), 7);
}

TEST(Boundary, EachExceptionBecomesItsFailureAnswer) {
    for (const Thrower& t : kThrowers) {
        SCOPED_TRACE(t.name);
        ComCall call;
        EXPECT_EQ(call([&]() -> std::int32_t { t.raise(); return 0; }), t.result);
        EXPECT_EQ(call.fault, t.fault);

        std::optional<BoundaryFault> hookFault;
        const auto hook = guarded<void*>(
            nullptr, [&]() -> void* { t.raise(); return &hookFault; },
            [&](BoundaryFault f) noexcept { hookFault = f; });
        EXPECT_EQ(hook, nullptr);
        EXPECT_EQ(hookFault, t.fault);
    }
}

// The UI plug-in's DEVMODE request with a profile that throws while the
// defaults consult the configuration.
class TrapProfile : public FakeProfile {
public:
    explicit TrapProfile(const Trap& trap) : trap_(trap) {}
    std::u16string readString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                              std::size_t bufferChars, std::u16string_view fallback) const override {
        trap_.spring();
        return FakeProfile::readString(file, section, key, bufferChars, fallback);
    }
    int readInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                int fallback) const override {
        trap_.spring();
        return FakeProfile::readInt(file, section, key, fallback);
    }

private:
    const Trap& trap_;
};

class UiDevModeBoundary : public SettingsFixture {
protected:
    Trap trap;
    TrapProfile trapProfile{trap};
    SettingsEnvironment trapped{spooler, trapProfile, loader, codePage, capabilityPath};
    PrivateRecord out = filled(0);
    DevModeRequest request;

    void SetUp() override {
        SettingsFixture::SetUp();
        trapProfile.addFile(u"C:\\drv\\3\\wren.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n");
        trapProfile.addFile(u"C:\\drv\\3\\wren.cap", "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\n"
                                                   "UA_DLL=zeuauth.dll\nCryptoDll=zecipher.dll\n");
        request.printer = printer;
        request.recordOut = &out;
    }
    // UiPlugin::DevMode's body, as its guard runs it.
    std::int32_t devMode(ComCall& call, std::uint32_t mode) {
        return call([&] { return uiDevMode(mode, &request, trapped) == DevModeStatus::Ok ? 0 : kResultFail; });
    }
};

TEST_F(UiDevModeBoundary, AThrowingProfileFailsTheRequestWithItsKind) {
    for (const Thrower& t : kThrowers) {
        SCOPED_TRACE(t.name);
        trap.arm(t.raise);
        ComCall call;
        EXPECT_EQ(devMode(call, 2), t.result);
        EXPECT_EQ(trap.calls, 1) << "stopped at the first throw, not retried";
        EXPECT_EQ(call.fault, t.fault);
    }
    trap.disarm();
    ComCall call;
    EXPECT_EQ(devMode(call, 2), 0);
    EXPECT_EQ(+out.dwSignature, kRecordSignature) << "a request after a throw is answered as usual";
}

TEST_F(UiDevModeBoundary, AThrowAtAnyReadLeavesNoLibraryLoaded) {
    trap.disarm();
    ComCall unarmed;
    ASSERT_EQ(devMode(unarmed, 2), 0);
    const int reads = trap.calls;
    ASSERT_GT(reads, 2);
    ASSERT_GE(loader.loads.size(), 2u) << "the sweep passes through the family libraries";
    for (int at = 0; at < reads; ++at) {
        SCOPED_TRACE(at);
        trap.arm([] { throw std::bad_alloc(); }, at);
        ComCall call;
        EXPECT_EQ(devMode(call, 2), kResultOutOfMemory);
        EXPECT_EQ(loader.live, 0);
    }
}

// The rendering plug-in: Command, WritePrinter and the start-of-document
// hook with a spooler, settings and stream that throw.
class TrapSpooler : public FakeSpooler {
public:
    explicit TrapSpooler(const Trap& trap) : trap_(trap) {}
    std::optional<std::u16string> jobDocument(PrinterHandle p, std::uint32_t job) const override {
        trap_.spring();
        return FakeSpooler::jobDocument(p, job);
    }
    bool write(PrinterHandle p, const void* data, std::uint32_t size, std::uint32_t* count) const override {
        trap_.spring();
        return FakeSpooler::write(p, data, size, count);
    }

private:
    const Trap& trap_;
};

class TrapSettings : public FakeDriverSettings {
public:
    explicit TrapSettings(const Trap& trap) : trap_(trap) {}
    bool feature(const char* keyword, SettingBuffer& out) const override {
        trap_.spring();
        return FakeDriverSettings::feature(keyword, out);
    }

private:
    const Trap& trap_;
};

class RenderBoundary : public RenderFixture {
protected:
    Trap trap;
    TrapSpooler trapSpooler{trap};
    TrapSettings trapSettings{trap};
    RenderPorts trapPorts{trapSpooler, profile, loader, codePage};
    RenderContext trapped{trapPorts, printer, record, devmode, trapSettings, stream, job};
    InjectionExtras extras;

    void SetUp() override {
        RenderFixture::SetUp();
        trapSpooler.printers = spooler.printers;
        trapSpooler.printers[printer].jobDocuments[5] = u"Quarterly report";
        trapSettings.features = settings.features;
    }
    // RenderPlugin::Command's body, as its guard runs it.
    std::int32_t command(ComCall& call, std::uint32_t index) {
        return call([&] { return runInjection(trapped, index, extras) ? 0 : 1; });
    }
};

TEST_F(RenderBoundary, ACommandWhoseSettingsThrowFails) {
    for (const Thrower& t : kThrowers) {
        SCOPED_TRACE(t.name);
        trap.arm(t.raise);
        ComCall call;
        EXPECT_EQ(command(call, kBeginStream), t.result);
        EXPECT_EQ(trap.calls, 1);
        EXPECT_EQ(call.fault, t.fault);
    }
}

TEST_F(RenderBoundary, AThrowAtAnyCallOfAHeaderLeavesTheNextJobWhole) {
    trap.disarm();
    ComCall unarmed;
    ASSERT_EQ(command(unarmed, kBeginStream), 0);
    const std::string header = stream.bytes;
    const int calls = trap.calls;
    ASSERT_GT(calls, 2);
    for (int at = 0; at < calls; ++at) {
        SCOPED_TRACE(at);
        trap.arm([] { throw std::runtime_error("broken"); }, at);
        ComCall call;
        EXPECT_EQ(command(call, kBeginStream), kResultFail);
        EXPECT_EQ(loader.live, 0);
    }
    trap.disarm();
    stream.bytes.clear();
    EXPECT_EQ(command(unarmed, kBeginStream), 0);
    EXPECT_EQ(visible(stream.bytes), visible(header)) << "a throw leaves no state behind for the next job";
}

TEST_F(RenderBoundary, ABlockWhoseSpoolerThrowsFailsAndKeepsTheCount) {
    ComCall unarmed;
    ASSERT_EQ(command(unarmed, kBeginStream), 0);
    for (const Thrower& t : kThrowers) {
        SCOPED_TRACE(t.name);
        trap.arm(t.raise);
        ComCall call;
        std::uint32_t written = 77;
        // RenderPlugin::WritePrinter's body: E_FAIL when the spooler failed.
        EXPECT_EQ(call([&] {
                      std::uint32_t count = 0;
                      const BlockResult sent = writeBlock(trapped, "abcd", 4, &count);
                      if (sent != BlockResult::Dropped) written = count;
                      return sent == BlockResult::SpoolerFailed ? kResultFail : 0;
                  }),
                  t.result);
        EXPECT_EQ(trap.calls, 1) << "the block reached the spooler";
        EXPECT_EQ(written, 77u) << "a block that threw reports no bytes taken";
    }
}

TEST_F(RenderBoundary, AStartDocWhoseJobLookupThrowsAnswersFalse) {
    for (const Thrower& t : kThrowers) {
        SCOPED_TRACE(t.name);
        trap.arm(t.raise);
        std::optional<BoundaryFault> fault;
        // The hook's shape: FALSE (0) when anything threw.
        const int answer = guarded(
            0, [&] { onStartDoc(trapPorts, printer, 5, job); return 1; },
            [&](BoundaryFault f) noexcept { fault = f; });
        EXPECT_EQ(answer, 0);
        EXPECT_EQ(trap.calls, 1);
        EXPECT_EQ(fault, t.fault);
    }
    trap.disarm();
    EXPECT_EQ(guarded(0, [&] { onStartDoc(trapPorts, printer, 5, job); return 1; }), 1);
    EXPECT_EQ(job.documentName, "Quarterly report");
}

}  // namespace
}  // namespace wren::test
