// The application-info channel through the real plug-ins: wrenui publishes
// the printing application's name at the start of a document, and wrenps
// puts it into the job-information text of the same spooler job. The
// capability file of the installed driver is given the job-information
// library and the companion program for the length of each test.
#include <string>

#include "driver_helpers.h"
#include "wine_fixture.h"
#include "platform/function_cast.h"

namespace wren::wine_test {
namespace {

BOOL APIENTRY coreStartDoc(SURFOBJ*, LPWSTR, DWORD) { return TRUE; }
DRVFN gCoreFunctions[] = {{INDEX_DrvStartDoc, wren::functionCast<PFN>(&coreStartDoc)}};

// The sample's commented-out line of `key`, replaced by `key=value`.
std::string enabled(std::string text, const std::string& key, const std::string& value) {
    const std::string commented = ";" + key + "=";
    if (std::size_t at = text.find(commented); at != std::string::npos)
        text.replace(at, text.find_first_of("\r\n", at) - at, key + "=" + value);
    return text;
}

// The job-information stand-in's line for the application name.
std::string applicationLine(const std::string& name) { return "DATA=\"ApplicationName=" + name + "\"\r\n"; }

std::string channelCapabilityFile() {
    std::string cap = readFile(installedFolder() + L"wren.cap");
    return enabled(enabled(cap, "JobInfoDLL", "zejobinfo.dll"), "COLORAPEXE", "wrenapp.exe");
}

class AppInfoChannel : public RenderPluginTest {
protected:
    void SetUp() override {
        RenderPluginTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(capability_.written() && jobInfo_.written() && companion_.written());
        ui_ = uiLibrary_.create<IPrintOemUI2>(CLSID_OEMUI);
        ASSERT_TRUE(ui_);
        device_.devobj.hPrinter = printer_;
        ASSERT_EQ(plugin_->PublishDriverInterface(&helper_), S_OK);
        ASSERT_EQ(plugin_->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof hooks_, &hooks_), S_OK);
        ASSERT_EQ(enablePdev(*plugin_.get(), device_, DRVENABLEDATA{0x00030100, 1, gCoreFunctions}), S_OK);
        helper_.features = {{"ZEJob_Type", "Normal"}, {"ZEJobLimit", "False"}};
        DOC_INFO_1W doc{};
        doc.pDocName = const_cast<wchar_t*>(L"Channel");
        doc.pOutputFile = const_cast<wchar_t*>(output_.path().c_str());
        doc.pDatatype = const_cast<wchar_t*>(L"RAW");
        job_ = StartDocPrinterW(printer_, 1, reinterpret_cast<BYTE*>(&doc));
        ASSERT_NE(job_, 0u) << "StartDocPrinterW failed: " << GetLastError();
    }
    void TearDown() override {
        if (job_) EndDocPrinter(printer_);
        if (device_.devobj.pdevOEM) plugin_->DisablePDEV(&device_.devobj);
        ui_.reset();
        RenderPluginTest::TearDown();
    }

    // The application's document start, as the spooler raises it in wrenui.
    void startDocPost() {
        DWORD jobId = job_;
        INT result = 99;
        ASSERT_EQ(ui_->DocumentEvent(printer_, nullptr, DOCUMENTEVENT_STARTDOCPOST, sizeof jobId, &jobId, 0,
                                     nullptr, &result),
                  S_OK);
        EXPECT_EQ(result, 99) << "the event leaves the result to the spooler";
    }

    // The spooler side: DrvStartDoc records the job, the start of the
    // stream writes the header with the job information.
    std::string header() {
        SURFOBJ so = device_.surface();
        auto startDoc = hookFor<PFN_DrvStartDoc>(hooks_, INDEX_DrvStartDoc);
        if (!startDoc || !startDoc(&so, const_cast<wchar_t*>(L"Channel"), job_)) return "(no start)";
        DWORD result = 0;
        if (plugin_->Command(&device_.devobj, PSINJECT_BEGINSTREAM, nullptr, 0, &result) != S_OK) return "(failed)";
        return helper_.stream;
    }

    std::wstring pipeName() const {
        wchar_t name[128];
        swprintf(name, 128, L"\\\\.\\pipe\\%ls\\%08x\\AppInfo", kPrinterName, job_);
        return name;
    }

    // Starts the companion program as the UI plug-in would, with our own name.
    void startCompanion(const std::wstring& name) {
        const std::wstring program = installedFolder() + L"wrenapp.exe";
        std::wstring line = L"0 \"" + name + L"\" \"" + pipeName() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                   nullptr, &startup, &process))
            << GetLastError();
        CloseHandle(process.hThread);
        companionProcess_ = process.hProcess;
    }
    DWORD companionExit() {
        DWORD code = 99;
        if (!companionProcess_) return code;
        WaitForSingleObject(companionProcess_, 20000);
        GetExitCodeProcess(companionProcess_, &code);
        CloseHandle(companionProcess_);
        companionProcess_ = nullptr;
        return code;
    }

    ReplacedFile capability_{L"wren.cap", channelCapabilityFile()};
    ReplacedFile jobInfo_{L"zejobinfo.ini",
                          "[JobInfo]\r\nComputerName=WRENPC\r\nUserName=wren\r\n"
                          "ReceptionTime=2012/06/21 10:30:00\r\n"
                          "[GetPrintingApplication]\r\nApplication=Channel Writer\r\nAlternative=Second Name\r\n"};
    ReplacedFile companion_{L"wrenapp.ini", "[Companion]\r\nWaitMs=15000\r\n"};
    PluginLibrary uiLibrary_{L"wrenui.dll"};
    Ref<IPrintOemUI2> ui_;
    TestDriverPs helper_;
    TestDevice device_;
    DRVENABLEDATA hooks_{};
    TempFile output_{L"wac"};
    DWORD job_ = 0;
    HANDLE companionProcess_ = nullptr;
};

TEST_F(AppInfoChannel, SharedBlockCarriesTheApplicationNameToTheJobHeader) {
    ASSERT_NO_FATAL_FAILURE(startDocPost());
    // The block stays readable after the event, under the job's own names.
    wchar_t mutexName[96], blockName[96];
    swprintf(mutexName, 96, L"Local\\%ls%08xB", kPrinterName, job_);
    swprintf(blockName, 96, L"Local\\%ls%08xA", kPrinterName, job_);
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, mutexName);
    HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, blockName);
    EXPECT_NE(mutex, nullptr);
    EXPECT_NE(block, nullptr);
    if (mutex) CloseHandle(mutex);
    if (block) CloseHandle(block);
    EXPECT_NE(header().find(applicationLine("Channel Writer")), std::string::npos) << helper_.stream;
}

TEST_F(AppInfoChannel, BlockThatCannotBeCreatedFallsBackToTheCompanionProgram) {
    // Another object holding the block's name makes the mapping fail: the
    // UI plug-in then starts the companion program for the pipe.
    wchar_t blockName[96];
    swprintf(blockName, 96, L"Local\\%ls%08xA", kPrinterName, job_);
    HANDLE squatter = CreateEventW(nullptr, TRUE, FALSE, blockName);
    ASSERT_NE(squatter, nullptr);
    ASSERT_NO_FATAL_FAILURE(startDocPost());
    EXPECT_NE(header().find(applicationLine("Channel Writer")), std::string::npos) << helper_.stream;
    CloseHandle(squatter);
}

TEST_F(AppInfoChannel, EmptyFirstNameFallsBackToTheSecond) {
    ReplacedFile jobInfo{L"zejobinfo.ini",
                         "[GetPrintingApplication]\r\nApplication=\r\nAlternative=Second Name\r\n"};
    ASSERT_NO_FATAL_FAILURE(startDocPost());
    EXPECT_NE(header().find(applicationLine("Second Name")), std::string::npos) << helper_.stream;
}

TEST_F(AppInfoChannel, EightBitNameComesBackAsTheSameBytes) {
    // Through UTF-16 and back in the user's locale (Western under Wine).
    ReplacedFile jobInfo{L"zejobinfo.ini", "[GetPrintingApplication]\r\nApplication=Caf\xe9 Writer\r\n"};
    ASSERT_NO_FATAL_FAILURE(startDocPost());
    EXPECT_NE(header().find(applicationLine("Caf\xe9 Writer")), std::string::npos) << helper_.stream;
}

TEST_F(AppInfoChannel, WithoutSharedBlockTheCompanionFillsThePipe) {
    ASSERT_NO_FATAL_FAILURE(startCompanion(L"Piped \"Writer\""));
    // The job-information text turns the quotes into blanks.
    EXPECT_NE(header().find(applicationLine("Piped  Writer ")), std::string::npos) << helper_.stream;
    EXPECT_EQ(companionExit(), 0u);
}

TEST_F(AppInfoChannel, OverlongPipeMessageIsCutToTheNameRoom) {
    ReplacedFile companion{L"wrenapp.ini", "[Companion]\r\nWaitMs=15000\r\nFault=TooLong\r\n"};
    ASSERT_NO_FATAL_FAILURE(startCompanion(L"Long"));
    EXPECT_NE(header().find(applicationLine("Long" + std::string(56, 'X'))), std::string::npos)
        << helper_.stream;
    companionExit();
}

TEST_F(AppInfoChannel, UnterminatedPipeMessageEndsWithTheBytesThatCame) {
    ReplacedFile companion{L"wrenapp.ini", "[Companion]\r\nWaitMs=15000\r\nFault=NoTerminator\r\n"};
    ASSERT_NO_FATAL_FAILURE(startCompanion(L"Bare"));
    EXPECT_NE(header().find(applicationLine("Bare")), std::string::npos) << helper_.stream;
    companionExit();
}

// The writer's side in a process of its own, as an application would run
// it: started by the test below with the job in its environment, it raises
// the document start in wrenui, says so, and keeps running (and so keeps
// the writer's handles) until it is told to end. Skipped when run alone.
TEST(AppInfoChannelWriterProcess, PublishesTheNameForTheJobItIsGiven) {
    wchar_t job[16] = {}, ready[64] = {}, done[64] = {};
    if (!GetEnvironmentVariableW(L"WREN_TEST_WRITER_JOB", job, 16)) GTEST_SKIP() << "started only by the reader test";
    ASSERT_TRUE(GetEnvironmentVariableW(L"WREN_TEST_WRITER_READY", ready, 64));
    ASSERT_TRUE(GetEnvironmentVariableW(L"WREN_TEST_WRITER_DONE", done, 64));
    PluginLibrary library{L"wrenui.dll"};
    Ref<IPrintOemUI2> ui = library.create<IPrintOemUI2>(CLSID_OEMUI);
    ASSERT_TRUE(ui);
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kPrinterName), &printer, nullptr));
    DWORD jobId = wcstoul(job, nullptr, 10);
    INT result = 0;
    EXPECT_EQ(ui->DocumentEvent(printer, nullptr, DOCUMENTEVENT_STARTDOCPOST, sizeof jobId, &jobId, 0, nullptr,
                                &result),
              S_OK);
    HANDLE readyEvent = OpenEventW(EVENT_MODIFY_STATE, FALSE, ready);
    HANDLE doneEvent = OpenEventW(SYNCHRONIZE, FALSE, done);
    ASSERT_TRUE(readyEvent && doneEvent);
    SetEvent(readyEvent);
    WaitForSingleObject(doneEvent, 30000);
    CloseHandle(readyEvent);
    CloseHandle(doneEvent);
    ClosePrinter(printer);
}

TEST_F(AppInfoChannel, WriterInAnotherProcessHandsTheNameToTheReader) {
    wchar_t ready[64], done[64], job[16];
    swprintf(ready, 64, L"Local\\WrenWriterReady%lu", GetCurrentProcessId());
    swprintf(done, 64, L"Local\\WrenWriterDone%lu", GetCurrentProcessId());
    swprintf(job, 16, L"%lu", job_);
    HANDLE readyEvent = CreateEventW(nullptr, TRUE, FALSE, ready);
    HANDLE doneEvent = CreateEventW(nullptr, TRUE, FALSE, done);
    ASSERT_TRUE(readyEvent && doneEvent);
    SetEnvironmentVariableW(L"WREN_TEST_WRITER_JOB", job);
    SetEnvironmentVariableW(L"WREN_TEST_WRITER_READY", ready);
    SetEnvironmentVariableW(L"WREN_TEST_WRITER_DONE", done);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) +
                        L"\" --gtest_filter=AppInfoChannelWriterProcess.PublishesTheNameForTheJobItIsGiven";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION writer{};
    const BOOL started = CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &writer);
    for (const wchar_t* name : {L"WREN_TEST_WRITER_JOB", L"WREN_TEST_WRITER_READY", L"WREN_TEST_WRITER_DONE"})
        SetEnvironmentVariableW(name, nullptr);
    ASSERT_TRUE(started) << GetLastError();
    CloseHandle(writer.hThread);
    const bool published = WaitForSingleObject(readyEvent, 30000) == WAIT_OBJECT_0;
    const std::string text = published ? header() : std::string("(the writer did not publish)");
    SetEvent(doneEvent);
    DWORD code = 99;
    WaitForSingleObject(writer.hProcess, 30000);
    GetExitCodeProcess(writer.hProcess, &code);
    CloseHandle(writer.hProcess);
    CloseHandle(readyEvent);
    CloseHandle(doneEvent);
    EXPECT_EQ(code, 0u) << "the writer process failed";
    EXPECT_NE(text.find(applicationLine("Channel Writer")), std::string::npos) << text;
}

}  // namespace
}  // namespace wren::wine_test
