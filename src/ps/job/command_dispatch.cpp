#include "ps/job/command_dispatch.h"

#include "ps/inject/postscript_settings.h"
#include "ps/job/render_services.h"
#include "ps/pjl/pjl_header.h"

namespace wren {

bool runInjection(RenderContext& ctx, std::uint32_t index, InjectionExtras& extras) {
    switch (index) {
    case kBeginStream:
        ctx.job.collectAtStartDoc = true;
        ctx.job.jobCancelled = false;
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

BlockResult writeBlock(RenderContext& ctx, const void* data, std::uint32_t size, std::uint32_t* written) {
    if (!ctx.job.settled) settleJob(ctx);
    if (ctx.job.effectiveJobType != kJobSecureChip) {
        std::uint32_t count = 0;
        if (!ctx.ports.spooler.write(ctx.printer, data, size, &count)) return BlockResult::SpoolerFailed;
        if (written) *written = count;
        return BlockResult::Sent;
    }
    if (ctx.job.jobCancelled) return BlockResult::Dropped;
    // Encrypted output is not available in this build: an encrypted job is
    // never sent in clear, so it is cancelled and its bytes dropped.
    ctx.ports.spooler.cancelJob(ctx.printer, ctx.job.jobId);
    ctx.job.jobCancelled = true;
    return BlockResult::Dropped;
}

}  // namespace wren
