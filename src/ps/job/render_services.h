// Small services that every part of the rendering plug-in uses: writing into
// the PostScript stream, reading feature selections, and the job facts that
// follow from them.
#pragma once

#include <string>
#include <string_view>

#include "common/config/driver_config.h"
#include "ps/job/render_context.h"

namespace wren {

// Option keywords of ZEJob_Type.
inline constexpr std::string_view kJobNormal = "Normal";
inline constexpr std::string_view kJobSecure = "Secure";
inline constexpr std::string_view kJobSpool = "Spool";
inline constexpr std::string_view kJobSecureChip = "Secure_Chip";

// Writes the bytes of `text`; true when the core driver took all of them.
bool writeToStream(RenderContext& ctx, std::string_view text);

// The selected option keyword of a PPD feature (empty when it cannot be read).
std::string optionOf(const RenderContext& ctx, const char* feature);
bool isEpsOutput(const RenderContext& ctx);
// Pages per sheet from the record's N-up selection.
int nupCount(std::uint8_t nupCode);

DriverConfig driverConfigOf(const RenderContext& ctx);
std::u16string driverFilePath(const RenderContext& ctx, std::u16string_view name);
bool jobLimitActive(const RenderContext& ctx);
bool icCardDriverPresent(const RenderContext& ctx);
bool userAuthLibraryPresent(const RenderContext& ctx);
// ZEJob_Type as the job is really sent: job limits and IC-card readers turn
// a job into an encrypted one.
std::string effectiveJobType(const RenderContext& ctx, bool icCardPresent);

// Decides, once per job, the job type and whether a card reader is there:
// they cannot change within a job, and asking costs a library load.
void settleJob(RenderContext& ctx);

}  // namespace wren
