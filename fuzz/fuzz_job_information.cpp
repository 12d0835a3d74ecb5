// The job-information and access-control calls against a job-information
// library whose every answer is scripted by the input: return codes, buffer
// sizes up to 0xFFFFFFFF, texts that fill their buffers without a
// terminator, record texts without one, application names of any length.
//
// Invariants: no buffer beyond the size bound is ever handed to the
// library, what reaches the stream is within the buffer the library filled
// and carries no NUL, the access-control texts stay within their buffers,
// and the record texts the library reads end inside their fields.
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

#include "common/family/family_exports.h"
#include "fakes.h"
#include "ps/pjl/job_information.h"

using namespace wren;

namespace {

constexpr std::uint32_t kSizeBound = 64 * 1024;
constexpr std::uint32_t kAccessBuffer = 1024;

FuzzedDataProvider* gScript = nullptr;
std::uint32_t gLargestFill = 0;  // the largest buffer the fill call was given
int gFills = 0;

void check(bool invariant) {
    if (!invariant) std::abort();
}

// Fills up to `room` bytes with scripted bytes, never with a terminator of
// its own.
void scriptedText(char* out, std::uint32_t room) {
    if (room == 0) return;
    const std::uint32_t n = gScript->ConsumeBool() ? room : gScript->ConsumeIntegralInRange<std::uint32_t>(0, room);
    if (gScript->ConsumeBool()) {
        std::memset(out, gScript->ConsumeIntegralInRange<int>(1, 255), n);
        return;
    }
    const std::vector<std::uint8_t> bytes = gScript->ConsumeBytes<std::uint8_t>(n);
    if (!bytes.empty()) std::memcpy(out, bytes.data(), bytes.size());
}

int scriptedAnswer() {
    switch (gScript->ConsumeIntegralInRange<int>(0, 4)) {
    case 0: return 0;
    case 1: return 1;
    case 2: return 3;
    case 3: return -1;
    default: return gScript->ConsumeIntegral<int>();
    }
}

int WREN_FAMILY_CALL scriptedJobInfo(int mode, const void* record, char* buffer, std::uint32_t* size) {
    check(mode == 0 || mode == 2);
    check(record && size);
    if (mode == 2) {
        const auto* current = static_cast<const family::JobInfoRecord*>(record);
        check(std::strlen(current->applicationName) <= 60);
    }
    if (!buffer) {
        *size = gScript->ConsumeBool() ? gScript->ConsumeIntegralInRange<std::uint32_t>(0, 300)
                                       : gScript->ConsumeIntegral<std::uint32_t>();
        return scriptedAnswer();
    }
    check(*size > 0 && *size <= kSizeBound);
    gLargestFill = std::max(gLargestFill, *size);
    ++gFills;
    scriptedText(buffer, *size);
    return scriptedAnswer();
}

int WREN_FAMILY_CALL scriptedAccess(int four, const void* record, char* prefix, std::uint32_t* prefixSize, char* text,
                                    std::uint32_t* textSize) {
    check(four == 4 && record && prefix && text);
    check(*prefixSize == kAccessBuffer && *textSize == kAccessBuffer);
    const auto* access = static_cast<const family::AccessControlRecord*>(record);
    check(std::strlen(access->applicationName) <= 60);
    check(strnlen(access->userAuthText1, sizeof(PrivateRecord::uaText1)) < sizeof(PrivateRecord::uaText1));
    check(strnlen(access->userAuthText2, sizeof(PrivateRecord::uaText2)) < sizeof(PrivateRecord::uaText2));
    scriptedText(prefix, *prefixSize);
    scriptedText(text, *textSize);
    // A library may report any size back; it must not matter.
    *prefixSize = gScript->ConsumeIntegral<std::uint32_t>();
    *textSize = gScript->ConsumeIntegral<std::uint32_t>();
    return scriptedAnswer();
}

class ScriptedName : public ApplicationNameSource {
public:
    std::string name;
    std::string applicationName(PrinterHandle, std::uint32_t) override { return name; }
};

class RecordingStream : public SpoolStream {
public:
    std::string bytes;
    int writes = 0;
    std::uint32_t write(const void* data, std::uint32_t size) override {
        bytes.append(static_cast<const char*>(data), size);
        ++writes;
        return size;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fuzz(data, size);
    gScript = &fuzz;
    gLargestFill = 0;
    gFills = 0;

    test::FakeSpooler spooler;
    test::FakeProfile profile;
    test::FakeLibraryLoader loader;
    test::FakeCodePage codePage;
    test::FakeDriverSettings settings;
    ScriptedName application;
    application.name = fuzz.ConsumeRandomLengthString(200);
    RenderPorts ports{spooler, profile, loader, codePage, nullptr, &application};
    const bool withJobInfo = fuzz.ConsumeBool(), withAccess = fuzz.ConsumeBool();
    test::FakeLibraryLoader::Exports exports;
    if (withJobInfo) exports["GetJobInfoCmd"] = test::exportOf(&scriptedJobInfo);
    if (withAccess) exports["GetJobInfoAccessCtrlCmd"] = test::exportOf(&scriptedAccess);
    loader.libraries[u"C:\\drivers\\x64\\3\\zejobinfo.dll"] = exports;

    PrivateRecord record{};
    const std::vector<std::uint8_t> texts = fuzz.ConsumeBytes<std::uint8_t>(sizeof record.uaText1 + sizeof record.uaText2);
    if (!texts.empty()) std::memcpy(record.uaText1, texts.data(), std::min(texts.size(), sizeof record.uaText1));
    if (texts.size() > sizeof record.uaText1)
        std::memcpy(record.uaText2, texts.data() + sizeof record.uaText1, texts.size() - sizeof record.uaText1);
    record.uaValid = fuzz.ConsumeBool() ? 3 : fuzz.ConsumeIntegral<std::uint32_t>();
    record.uaEnabled = fuzz.ConsumeIntegral<std::uint8_t>();
    record.uaKind = fuzz.ConsumeIntegral<std::uint32_t>();
    record.nupCode = fuzz.ConsumeIntegral<std::uint8_t>();
    if (fuzz.ConsumeBool()) settings.features["ZEOutputManagement"] = "True";
    if (fuzz.ConsumeBool()) settings.features["ZEUseAccounting"] = "True";
    settings.features["ZEJob_Type"] = fuzz.ConsumeRandomLengthString(12);

    PublicDevmode devmode{};
    RecordingStream stream;
    JobState job;
    job.jobInfoLibrary = u"zejobinfo.dll";
    job.jobId = fuzz.ConsumeIntegral<std::uint32_t>();
    job.printerName = fuzz.ConsumeRandomLengthString(130);
    job.capabilityFileAnsi = fuzz.ConsumeRandomLengthString(130);
    RenderContext ctx{ports, nullptr, record, devmode, settings, stream, job};

    if (fuzz.ConsumeBool()) {
        std::optional<AccessControlText> access = accessControlText(ctx);
        check(record.uaText1[sizeof record.uaText1 - 1] == '\0' && record.uaText2[sizeof record.uaText2 - 1] == '\0');
        if (access) check(access->prefix.size() <= kAccessBuffer && access->text.size() <= kAccessBuffer);
        check(stream.bytes.empty());
    } else {
        check(writeJobInformation(ctx));
        check(gFills <= 1 && stream.writes <= 1);
        // Only a filled buffer reaches the stream, up to its first NUL.
        check(stream.bytes.size() <= gLargestFill);
        check(stream.bytes.find('\0') == std::string::npos);
    }
    check(loader.live == 0);
    gScript = nullptr;
    return 0;
}
