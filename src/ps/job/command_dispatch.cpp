#include "ps/job/command_dispatch.h"

#include "ps/encrypt/render_encryption.h"
#include "ps/inject/postscript_settings.h"
#include "ps/job/render_services.h"
#include "ps/pjl/pjl_header.h"

namespace wren {

bool runInjection(RenderContext& ctx, std::uint32_t index, InjectionExtras& extras) {
    switch (index) {
    case kBeginStream:
        ctx.job.collectAtStartDoc = true;
        ctx.job.jobCancelled = false;
        // Nothing of an earlier job that ended early or oddly may carry over.
        ctx.job.encryption.reset();
        ctx.job.applicationName.reset();
        settleJob(ctx);
        if (isEpsOutput(ctx)) return true;
        return writeJobHeader(ctx);
    case kBeginProlog: {
        if (isEpsOutput(ctx)) return true;
        // The overlay procedure sets report nothing: a job without its
        // overlays still prints. The settings the printer's procedures read
        // are part of the job, so their loss is the injection's failure.
        extras.overlayProcedureSets(ctx);
        bool ok = writeToStream(ctx, prologSettings(ctx, ctx.job.icCardPresent));
        if (ctx.record.watermarkIndex != 0) ok &= extras.watermarkDefinition(ctx);
        return ok;
    }
    case kBeginSetup:
        if (!isEpsOutput(ctx)) extras.overlayFormDictionary(ctx);
        return true;
    case kEndSetup: {
        bool ok = writeGammaFeature(ctx);
        // A lost media-override fragment leaves the back pages uncorrected.
        ok &= writeMediaOverride(ctx);
        return ok;
    }
    case kEndStream:
        if (isEpsOutput(ctx)) return true;
        return writeJobTrailer(ctx);
    case kEndPageSetup:
        return ctx.record.watermarkIndex == 0 || extras.watermarkPage(ctx);
    default:
        return true;
    }
}

namespace {

// The encryption has already ended its cipher; the rest of the job is
// dropped, so nothing of it can reach the printer in clear.
void cancelEncryptedJob(RenderContext& ctx) {
    ctx.ports.spooler.cancelJob(ctx.printer, ctx.job.jobId);
    ctx.job.jobCancelled = true;
}

}  // namespace

BlockResult writeBlock(RenderContext& ctx, const void* data, std::uint32_t size, std::uint32_t* written) {
    if (!ctx.job.settled) settleJob(ctx);
    if (ctx.job.effectiveJobType != kJobSecureChip) {
        std::uint32_t count = 0;
        if (!ctx.ports.spooler.write(ctx.printer, data, size, &count)) return BlockResult::SpoolerFailed;
        if (written) *written = count;
        return BlockResult::Sent;
    }
    if (ctx.job.jobCancelled) return BlockResult::Dropped;
    std::uint32_t count = 0;
    if (!encryptBlock(ctx, data, size, count)) {
        cancelEncryptedJob(ctx);
        return BlockResult::Dropped;
    }
    if (written) *written = count;
    return BlockResult::Sent;
}

bool endStream(RenderContext& ctx) {
    if (!ctx.job.settled || ctx.job.effectiveJobType != kJobSecureChip || ctx.job.jobCancelled) return true;
    if (encryptEndOfStream(ctx)) return true;
    cancelEncryptedJob(ctx);
    return false;
}

}  // namespace wren
