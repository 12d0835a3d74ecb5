// A "Secure_Chip" block of the device's job through the job's encryption,
// with the device's configuration, libraries and spooler.
#pragma once

#include <cstdint>

#include "ps/job/render_context.h"

namespace wren {

// False when the block failed; the caller then cancels the job.
bool encryptBlock(RenderContext& ctx, const void* data, std::uint32_t size, std::uint32_t& written);
// The end of the job's stream; false when closing the job failed.
bool encryptEndOfStream(RenderContext& ctx);

}  // namespace wren
