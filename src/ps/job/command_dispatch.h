// The core driver's PostScript injection points and the blocks of the
// finished stream: where everything the plug-in adds to a job enters it.
#pragma once

#include <cstdint>

#include "ps/job/render_context.h"

namespace wren {

enum InjectionPoint : std::uint32_t {
    kBeginStream = 1,
    kBeginProlog = 14,
    kBeginSetup = 16,
    kEndSetup = 17,
    kEndStream = 20,
    kEndPageSetup = 102,
};

// Handlers for the parts that other modules own (overlays, watermark).
class InjectionExtras {
public:
    virtual ~InjectionExtras() = default;
    virtual void overlayProcedureSets(RenderContext&) {}
    virtual void overlayFormDictionary(RenderContext&) {}
    // True when the watermark was written completely.
    virtual bool watermarkDefinition(RenderContext&) { return true; }
    virtual bool watermarkPage(RenderContext&) { return true; }
};

// Runs one injection point; false when it failed.
bool runInjection(RenderContext& ctx, std::uint32_t index, InjectionExtras& extras);

enum class BlockResult { Sent, SpoolerFailed, Dropped };

// One block of the finished stream: sent on unchanged, or for an encrypted
// job handed to the encryption; a failed encrypted block cancels the job.
BlockResult writeBlock(RenderContext& ctx, const void* data, std::uint32_t size, std::uint32_t* written);

// The core driver's end of the document, after the last block: an encrypted
// job still open is closed (or cancelled when that fails). False when it was
// cancelled.
bool endStream(RenderContext& ctx);

}  // namespace wren
