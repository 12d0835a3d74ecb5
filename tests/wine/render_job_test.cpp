// Real spooler jobs through wrenps's WritePrinter: a plain job reaches the
// spooler byte for byte; an encrypted one ("Secure_Chip", here forced by the
// job limit with the sample's cipher library) must never reach it in clear.
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

// Replaces one function that `module` imports from `dll` for the life of the
// object, so the test sees what the plug-in asks of the spooler.
class ImportPatch {
public:
    ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement) {
        if (!module) return;
        auto* base = reinterpret_cast<BYTE*>(module);
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
            if (_stricmp(reinterpret_cast<char*>(base + d->Name), dll) != 0) continue;
            auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
            auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
            for (; name->u1.AddressOfData; ++name, ++slot) {
                if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) != 0) continue;
                slot_ = &slot->u1.Function;
                original_ = *slot_;
                write(reinterpret_cast<ULONG_PTR>(replacement));
                return;
            }
        }
    }
    ~ImportPatch() {
        if (slot_) write(original_);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    bool applied() const { return slot_ != nullptr; }
    void* original() const { return reinterpret_cast<void*>(original_); }

private:
    void write(ULONG_PTR value) {
        DWORD old = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
        *slot_ = value;
        VirtualProtect(slot_, sizeof *slot_, old, &old);
    }
    decltype(IMAGE_THUNK_DATA::u1.Function)* slot_ = nullptr;
    ULONG_PTR original_ = 0;
};

// What reached the spooler from the plug-in.
struct SpoolerCalls {
    struct SetJob {
        HANDLE printer;
        DWORD job, level, command;
    };
    std::vector<SetJob> setJobs;
    std::size_t writes = 0;
    void* realSetJob = nullptr;
    void* realWritePrinter = nullptr;
};
SpoolerCalls gSpooler;

BOOL WINAPI recordSetJob(HANDLE printer, DWORD job, DWORD level, LPBYTE info, DWORD command) {
    gSpooler.setJobs.push_back({printer, job, level, command});
    return reinterpret_cast<decltype(&SetJobW)>(gSpooler.realSetJob)(printer, job, level, info, command);
}

BOOL WINAPI recordWritePrinter(HANDLE printer, LPVOID data, DWORD size, LPDWORD written) {
    ++gSpooler.writes;
    return reinterpret_cast<decltype(&WritePrinter)>(gSpooler.realWritePrinter)(printer, data, size, written);
}

constexpr char kPayload[] = "%!PS-Adobe-3.0\n%%Title: CONFIDENTIAL-PAYLOAD\nshowpage\n";
constexpr DWORD kUntouched = 0xFEEDF00D;

class RenderJob : public RenderPluginTest {
protected:
    void SetUp() override {
        RenderPluginTest::SetUp();
        if (HasFatalFailure()) return;
        device_.devobj.hPrinter = printer_;
        gSpooler = {};
        ASSERT_TRUE(setJob_.applied() && writePrinter_.applied());
        gSpooler.realSetJob = setJob_.original();
        gSpooler.realWritePrinter = writePrinter_.original();
        ASSERT_EQ(plugin_->PublishDriverInterface(&helper_), S_OK);
        ASSERT_EQ(plugin_->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof hooks_, &hooks_), S_OK);
        ASSERT_EQ(enablePdev(*plugin_.get(), device_, DRVENABLEDATA{0x00030100, 2, gCoreFunctions}), S_OK);
        ASSERT_EQ(plugin_->WritePrinter(nullptr, nullptr, 0, nullptr), S_OK);
    }
    void TearDown() override {
        if (job_) EndDocPrinter(printer_);
        if (device_.devobj.pdevOEM) plugin_->DisablePDEV(&device_.devobj);
        RenderPluginTest::TearDown();
    }

    // The spooler job, then the document start as the core driver's
    // DrvStartDoc hands it to the hook, then the start of the stream.
    void startJob() {
        DOC_INFO_1W doc{};
        doc.pDocName = const_cast<wchar_t*>(L"Quarterly figures");
        doc.pOutputFile = const_cast<wchar_t*>(output_.path().c_str());
        doc.pDatatype = const_cast<wchar_t*>(L"RAW");
        job_ = StartDocPrinterW(printer_, 1, reinterpret_cast<BYTE*>(&doc));
        ASSERT_NE(job_, 0u) << "StartDocPrinterW failed: " << GetLastError();
        SURFOBJ so = device_.surface();
        auto startDoc = hookFor<PFN_DrvStartDoc>(hooks_, INDEX_DrvStartDoc);
        ASSERT_NE(startDoc, nullptr);
        ASSERT_TRUE(startDoc(&so, doc.pDocName, job_));
        DWORD result = 99;
        ASSERT_EQ(plugin_->Command(&device_.devobj, PSINJECT_BEGINSTREAM, nullptr, 0, &result), S_OK);
    }

    // One block of the finished stream, as the core driver hands it over.
    HRESULT send(const std::string& block, DWORD& written) {
        return plugin_->WritePrinter(&device_.devobj, const_cast<char*>(block.data()),
                                     static_cast<DWORD>(block.size()), &written);
    }

    std::string endJob() {
        EndDocPrinter(printer_);
        job_ = 0;
        return readFile(output_.path());
    }

    ImportPatch setJob_{library_.module(), "winspool.drv", "SetJobW", reinterpret_cast<void*>(&recordSetJob)};
    ImportPatch writePrinter_{library_.module(), "winspool.drv", "WritePrinter",
                              reinterpret_cast<void*>(&recordWritePrinter)};
    TestDriverPs helper_;
    TestDevice device_;
    DRVENABLEDATA hooks_{};
    TempFile output_{L"wrj"};
    DWORD job_ = 0;
};

TEST_F(RenderJob, PlainJobReachesTheSpoolerUnchanged) {
    helper_.features = {{"ZEJob_Type", "Normal"}, {"ZEJobLimit", "False"}};
    ASSERT_NO_FATAL_FAILURE(startJob());
    const std::string header = helper_.stream;
    ASSERT_NE(header.find("@PJL"), std::string::npos);
    for (const std::string& block : {header, std::string(kPayload)}) {
        DWORD written = kUntouched;
        EXPECT_EQ(send(block, written), S_OK);
        EXPECT_EQ(written, block.size());
    }
    EXPECT_EQ(gSpooler.writes, 2u);
    EXPECT_TRUE(gSpooler.setJobs.empty());
    EXPECT_EQ(endJob(), header + kPayload);
}

// A job that the job limit turns into an encrypted one, through the sample's
// cipher stand-in and its password: the spooler gets the plain header the
// plug-in rebuilds, the framing and cipher bytes, never the document.
TEST_F(RenderJob, EncryptedJobReachesTheSpoolerOnlyAsFramedCipher) {
    helper_.features = {{"ZEJob_Type", "Secure"}, {"ZEJobLimit", "True"}};
    ASSERT_NO_FATAL_FAILURE(startJob());
    const std::string header = helper_.stream;
    ASSERT_NE(header.find("@PJL"), std::string::npos);
    const std::string end = "\r\n@PJL EOJ\r\n";
    for (const std::string& block : {header, std::string(kPayload), end}) {
        DWORD written = kUntouched;
        EXPECT_EQ(send(block, written), S_OK);
        EXPECT_NE(written, kUntouched) << "every block is accounted for";
    }
    EXPECT_TRUE(gSpooler.setJobs.empty()) << "nothing failed";
    const std::string output = endJob();
    EXPECT_NE(output.find("@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_start\""), std::string::npos);
    EXPECT_NE(output.find("@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_end\""), std::string::npos);
    EXPECT_EQ(output.find("CONFIDENTIAL"), std::string::npos);
    EXPECT_EQ(output.find("wren1234"), std::string::npos);
}

// ResetDC between pages gives the job a new device: the job goes on with
// its cipher, framing and end, and the old device takes nothing along.
TEST_F(RenderJob, EncryptedJobGoesOnThroughTheResetDevice) {
    helper_.features = {{"ZEJob_Type", "Secure"}, {"ZEJobLimit", "True"}};
    ASSERT_NO_FATAL_FAILURE(startJob());
    DWORD written = 0;
    ASSERT_EQ(send(helper_.stream, written), S_OK);
    ASSERT_EQ(send(kPayload, written), S_OK);

    TestDevice reset;
    reset.devobj.hPrinter = printer_;
    ASSERT_EQ(enablePdev(*plugin_.get(), reset, DRVENABLEDATA{0x00030100, 2, gCoreFunctions}), S_OK);
    ASSERT_EQ(plugin_->ResetPDEV(&device_.devobj, &reset.devobj), S_OK);
    plugin_->DisablePDEV(&device_.devobj);
    device_.devobj.pdevOEM = nullptr;

    for (const std::string& block : {std::string(kPayload), std::string("\r\n@PJL EOJ\r\n")})
        EXPECT_EQ(plugin_->WritePrinter(&reset.devobj, const_cast<char*>(block.data()),
                                        static_cast<DWORD>(block.size()), &written),
                  S_OK);
    const std::string output = endJob();
    plugin_->DisablePDEV(&reset.devobj);
    EXPECT_TRUE(gSpooler.setJobs.empty()) << "nothing failed";
    EXPECT_EQ(output.find("CONFIDENTIAL"), std::string::npos);
    EXPECT_EQ(output.find("@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_start\""),
              output.rfind("@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_start\""))
        << "one encrypted job, not a second one started by the new device";
    EXPECT_NE(output.find("@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_end\""), std::string::npos);
}

// Without a cipher handle the job cannot be encrypted: it is cancelled once,
// at the block that needed the cipher, and nothing of it reaches the spooler
// in clear.
TEST_F(RenderJob, EncryptedJobWithoutCipherIsCancelledNotSentInClear) {
    ReplacedFile cipher{L"zecipher.ini", "[Encryption]\r\nFailCreate=1\r\n[DispPasswordUI]\r\nPassword=wren1234\r\n"};
    ASSERT_TRUE(cipher.written());
    helper_.features = {{"ZEJob_Type", "Secure"}, {"ZEJobLimit", "True"}};
    ASSERT_NO_FATAL_FAILURE(startJob());
    const std::string header = helper_.stream;
    for (const std::string& block : {header, std::string(kPayload), std::string(kPayload)}) {
        DWORD written = kUntouched;
        EXPECT_EQ(send(block, written), S_OK) << "the core driver must not see a failure";
    }
    ASSERT_EQ(gSpooler.setJobs.size(), 1u);
    EXPECT_EQ(gSpooler.setJobs[0].printer, printer_);
    EXPECT_EQ(gSpooler.setJobs[0].job, job_);
    EXPECT_EQ(gSpooler.setJobs[0].level, 0u);
    EXPECT_EQ(gSpooler.setJobs[0].command, static_cast<DWORD>(JOB_CONTROL_CANCEL));
    // Wine's cancel does not stop a job, so what matters is what was written.
    const std::string output = endJob();
    EXPECT_EQ(output.find("CONFIDENTIAL"), std::string::npos);
    EXPECT_EQ(output.find("@PJL JOB"), std::string::npos);
}

}  // namespace
}  // namespace wren::wine_test
