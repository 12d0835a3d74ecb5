// Two devices of this driver rendering at once in one process, as the
// spooler does for two queues: an encrypted job and a plain one, their calls
// interleaved on one thread in a fixed order, then on two threads. Each job
// must come out exactly as it would alone; above all, nothing of the
// encrypted document may reach its spool file in clear.
#include <barrier>
#include <memory>
#include <thread>

#include "driver_helpers.h"
#include "wine_fixture.h"
#include "platform/function_cast.h"

namespace wren::wine_test {
namespace {

BOOL APIENTRY coreStartDoc(SURFOBJ*, LPWSTR, DWORD) { return TRUE; }
BOOL APIENTRY coreEndDoc(SURFOBJ*, FLONG) { return TRUE; }

DRVFN gCoreFunctions[] = {
    {INDEX_DrvStartDoc, wren::functionCast<PFN>(&coreStartDoc)},
    {INDEX_DrvEndDoc, wren::functionCast<PFN>(&coreEndDoc)},
};

const std::string kEndOfJob = "\r\n@PJL EOJ\r\n";

std::string payload(const std::string& marker, int block) {
    return "%!PS-Adobe-3.0\n%%Title: " + marker + " part " + std::to_string(block) + "\nshowpage\n";
}

// One device of the driver: its own plug-in object, core-driver helper,
// DEVMODE parts, PDEV, printer handle and spooler job.
class Device {
public:
    Device(const PluginLibrary& library, std::map<std::string, std::string> features, std::string marker)
        : plugin_(library.create<IPrintOemPS2>(CLSID_OEMRENDER)), marker_(std::move(marker)) {
        helper_.features = std::move(features);
    }
    ~Device() {
        if (job_) EndDocPrinter(printer_);
        if (plugin_ && device_.devobj.pdevOEM) plugin_->DisablePDEV(&device_.devobj);
        if (printer_) ClosePrinter(printer_);
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    void enable() {
        ASSERT_TRUE(plugin_);
        ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kPrinterName), &printer_, nullptr));
        device_.devobj.hPrinter = printer_;
        ASSERT_EQ(plugin_->PublishDriverInterface(&helper_), S_OK);
        ASSERT_EQ(plugin_->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof hooks_, &hooks_), S_OK);
        ASSERT_EQ(enablePdev(*plugin_.get(), device_, DRVENABLEDATA{0x00030100, 2, gCoreFunctions}), S_OK);
    }

    void startSpoolerJob() {
        DOC_INFO_1W doc{};
        doc.pDocName = const_cast<wchar_t*>(L"Two devices");
        doc.pOutputFile = const_cast<wchar_t*>(output_.path().c_str());
        doc.pDatatype = const_cast<wchar_t*>(L"RAW");
        job_ = StartDocPrinterW(printer_, 1, reinterpret_cast<BYTE*>(&doc));
        ASSERT_NE(job_, 0u) << "StartDocPrinterW failed: " << GetLastError();
    }

    // The core driver's DrvStartDoc, then the start of the stream: the
    // header the plug-in writes through the helper is the first block.
    void startStream() {
        SURFOBJ so = device_.surface();
        auto startDoc = hookFor<PFN_DrvStartDoc>(hooks_, INDEX_DrvStartDoc);
        ASSERT_NE(startDoc, nullptr);
        ASSERT_TRUE(startDoc(&so, const_cast<wchar_t*>(L"Two devices"), job_));
        DWORD result = 99;
        ASSERT_EQ(plugin_->Command(&device_.devobj, PSINJECT_BEGINSTREAM, nullptr, 0, &result), S_OK);
        blocks_.push_back(helper_.stream);
    }

    void queueDocument(int parts) {
        for (int i = 0; i < parts; ++i) blocks_.push_back(payload(marker_, i));
        blocks_.push_back(kEndOfJob);
    }

    // Sends the next block; false when none is left.
    bool sendNext() {
        if (sent_ == blocks_.size()) return false;
        const std::string& block = blocks_[sent_++];
        DWORD written = 0;
        EXPECT_EQ(plugin_->WritePrinter(&device_.devobj, const_cast<char*>(block.data()),
                                        static_cast<DWORD>(block.size()), &written),
                  S_OK);
        return true;
    }

    std::string finish() {
        SURFOBJ so = device_.surface();
        auto endDoc = hookFor<PFN_DrvEndDoc>(hooks_, INDEX_DrvEndDoc);
        if (endDoc) endDoc(&so, 0);
        EndDocPrinter(printer_);
        job_ = 0;
        return readFile(output_.path());
    }

    // Everything the plug-in was handed, in order: what a plain job's
    // spool file must equal.
    std::string handedOver() const {
        std::string all;
        for (const std::string& block : blocks_) all += block;
        return all;
    }

private:
    Ref<IPrintOemPS2> plugin_;
    std::string marker_;
    TestDriverPs helper_;
    TestDevice device_;
    DRVENABLEDATA hooks_{};
    HANDLE printer_ = nullptr;
    TempFile output_{L"wtd"};
    DWORD job_ = 0;
    std::vector<std::string> blocks_;
    std::size_t sent_ = 0;
};

constexpr int kParts = 40;

class TwoDevices : public RenderPluginTest {
protected:
    void SetUp() override {
        RenderPluginTest::SetUp();
        if (HasFatalFailure()) return;
        // The job limit turns the first job into an encrypted one through
        // the sample's cipher stand-in.
        sealed_ = std::make_unique<Device>(library_, std::map<std::string, std::string>{{"ZEJob_Type", "Secure"},
                                                                                        {"ZEJobLimit", "True"}},
                                           "SEALED-SECRET");
        plain_ = std::make_unique<Device>(library_, std::map<std::string, std::string>{{"ZEJob_Type", "Normal"},
                                                                                       {"ZEJobLimit", "False"}},
                                          "PLAIN-TEXT");
        ASSERT_NO_FATAL_FAILURE(sealed_->enable());
        ASSERT_NO_FATAL_FAILURE(plain_->enable());
    }

    void expectBothJobsIntact(const std::string& sealedSpool, const std::string& plainSpool) {
        EXPECT_EQ(sealedSpool.find("SEALED-SECRET"), std::string::npos) << "the encrypted document leaked in clear";
        EXPECT_EQ(sealedSpool.find("%!PS-Adobe"), std::string::npos) << "the encrypted document leaked in clear";
        EXPECT_EQ(sealedSpool.find("PLAIN-TEXT"), std::string::npos) << "the other job's text reached this spool";
        EXPECT_NE(sealedSpool.find("@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_start\""),
                  std::string::npos);
        EXPECT_NE(sealedSpool.find("@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_end\""),
                  std::string::npos);
        EXPECT_EQ(plainSpool, plain_->handedOver()) << "the plain job must reach its spool unchanged";
    }

    std::unique_ptr<Device> sealed_, plain_;
};

// As a spooler may order them: both jobs start, both streams start, then
// their blocks alternate.
TEST_F(TwoDevices, InterleavedOnOneThreadEachJobStaysItsOwn) {
    ASSERT_NO_FATAL_FAILURE(sealed_->startSpoolerJob());
    ASSERT_NO_FATAL_FAILURE(plain_->startSpoolerJob());
    ASSERT_NO_FATAL_FAILURE(sealed_->startStream());
    ASSERT_NO_FATAL_FAILURE(plain_->startStream());
    sealed_->queueDocument(kParts);
    plain_->queueDocument(kParts);
    bool more = true;
    while (more) {
        more = sealed_->sendNext();
        more = plain_->sendNext() || more;
    }
    const std::string sealedSpool = sealed_->finish();
    const std::string plainSpool = plain_->finish();
    expectBothJobsIntact(sealedSpool, plainSpool);
}

TEST_F(TwoDevices, OnTwoThreadsEachJobStaysItsOwn) {
    std::barrier started(2);
    std::string sealedSpool, plainSpool;
    auto run = [&](Device& device, std::string& spool) {
        device.startSpoolerJob();
        started.arrive_and_wait();
        device.startStream();
        // Both streams are open before either sends a block, as with two
        // queues that start together.
        started.arrive_and_wait();
        device.queueDocument(kParts * 5);
        while (device.sendNext()) {
        }
        spool = device.finish();
    };
    std::thread first([&] { run(*sealed_, sealedSpool); });
    std::thread second([&] { run(*plain_, plainSpool); });
    first.join();
    second.join();
    expectBothJobsIntact(sealedSpool, plainSpool);
}

}  // namespace
}  // namespace wren::wine_test
