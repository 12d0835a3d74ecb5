#include "ps/pjl/job_information.h"

#include <vector>

#include "common/family/family_libraries.h"
#include "ps/job/render_services.h"
#include "ps/pjl/pjl_text.h"

namespace wren {
namespace {

constexpr std::uint32_t kAccessControlBufferBytes = 1024;
constexpr int kCurrentRecordMode = 2;
constexpr int kOlderRecordMode = 0;
constexpr int kWantsOlderRecord = 3;
constexpr int kSizeAnswered = 1;
// The most a job-information text may need, terminator included: a few PJL
// lines of names and times fit in a small fraction of it. The size comes
// from another maker's library; a larger answer (0xFFFFFFFF among them) is
// taken as no job information rather than trusted with an allocation.
constexpr std::uint32_t kMaxJobInformationBytes = 64 * 1024;

JobInfoLibrary loadJobInfoLibrary(const RenderContext& ctx) {
    if (ctx.job.jobInfoLibrary.empty()) return JobInfoLibrary(nullptr);
    return JobInfoLibrary(ctx.ports.loader.load(driverFilePath(ctx, ctx.job.jobInfoLibrary)));
}

std::string applicationName(const RenderContext& ctx) {
    if (!ctx.job.applicationName) {
        ApplicationNameSource* source = ctx.ports.applicationNames;
        std::string name = source ? source->applicationName(ctx.printer, ctx.job.jobId) : std::string();
        if (name.size() > 60) name.resize(60);
        ctx.job.applicationName = std::move(name);
    }
    return *ctx.job.applicationName;
}

std::uint32_t outputManagementFlags(const RenderContext& ctx) {
    if (ctx.record.uaEnabled == 0) return 0;
    std::uint32_t flags = 1;
    if (optionOf(ctx, "ZEOutputManagement") == "True") {
        static constexpr std::uint32_t kByKind[4] = {0x04, 0x08, 0x10, 0x20};
        const std::uint32_t kind = ctx.record.uaKind;
        if (kind < 4) flags |= kByKind[kind];
    }
    return flags;
}

std::uint32_t jobFlags(const RenderContext& ctx) {
    std::string type = optionOf(ctx, "ZEJob_Type");
    std::uint32_t flags = (type == kJobNormal || type == kJobSecureChip) ? 0 : 0x1000;
    if (optionOf(ctx, "ZEUseAccounting") != "True") flags |= 0x8000;
    return flags;
}

}  // namespace

bool writeJobInformation(RenderContext& ctx) {
    JobInfoLibrary library = loadJobInfoLibrary(ctx);
    if (!library.loaded()) return true;
    const std::string application = applicationName(ctx);
    family::GetJobInfoCmdFn command = library.jobInfoCommand();
    if (!command) return true;

    family::JobInfoRecord current{};
    current.printerName = ctx.job.printerName.c_str();
    current.capabilityFile = ctx.job.capabilityFileAnsi.c_str();
    current.jobId = ctx.job.jobId;
    current.pagesPerSheet = static_cast<std::uint8_t>(nupCount(ctx.record.nupCode));
    current.applicationName = application.c_str();
    family::JobInfoRecordOld older{};
    older.printerName = current.printerName;
    older.capabilityFile = current.capabilityFile;
    older.jobId = current.jobId;
    older.pagesPerSheet = current.pagesPerSheet;  // with the three bytes after it, all zero

    int mode = kCurrentRecordMode;
    const void* record = &current;
    std::uint32_t size = 0;
    if (command(mode, record, nullptr, &size) == kWantsOlderRecord) {
        mode = kOlderRecordMode;
        record = &older;
    }
    size = 0;
    if (command(mode, record, nullptr, &size) != kSizeAnswered) return true;
    if (size == 0 || size > kMaxJobInformationBytes) return true;
    std::vector<char> buffer(std::size_t{size} + 1, '\0');  // one spare byte keeps the text terminated
    std::uint32_t bufferSize = size;
    if (command(mode, record, buffer.data(), &bufferSize) != 0) return true;
    // Only a text that was obtained and then lost makes the header incomplete.
    return writeToStream(ctx, buffer.data());
}

std::optional<AccessControlText> accessControlText(RenderContext& ctx) {
    JobInfoLibrary library = loadJobInfoLibrary(ctx);
    if (!library.loaded()) return std::nullopt;
    const std::string application = applicationName(ctx);

    PrivateRecord& r = ctx.record;
    if (r.uaValid != 3) {
        r.uaText1[0] = '\0';
        r.uaText2[0] = '\0';
    }
    // The library reads both texts in place and pastes them into its PJL
    // lines: each is cleaned by the PJL text rule, and a text that fills its
    // field is cut by its last byte so that it cannot run into the next one.
    cleanPjlField(r.uaText1, sizeof r.uaText1);
    cleanPjlField(r.uaText2, sizeof r.uaText2);
    family::GetJobInfoAccessCtrlCmdFn command = library.accessControlCommand();
    if (!command) return std::nullopt;
    family::AccessControlRecord record{};
    record.printerName = ctx.job.printerName.c_str();
    record.capabilityFile = ctx.job.capabilityFileAnsi.c_str();
    record.jobId = ctx.job.jobId;
    record.pagesPerSheet = static_cast<std::uint8_t>(nupCount(r.nupCode));
    record.applicationName = application.c_str();
    record.outputManagement = outputManagementFlags(ctx);
    record.userAuthText1 = r.uaText1;
    record.userAuthText2 = r.uaText2;
    record.jobFlags = jobFlags(ctx);

    std::vector<char> prefix(kAccessControlBufferBytes + 1, '\0');
    std::vector<char> text(kAccessControlBufferBytes + 1, '\0');
    std::uint32_t prefixSize = kAccessControlBufferBytes;
    std::uint32_t textSize = kAccessControlBufferBytes;
    if (command(4, &record, prefix.data(), &prefixSize, text.data(), &textSize) != 0) return std::nullopt;
    return AccessControlText{prefix.data(), text.data()};
}

}  // namespace wren
