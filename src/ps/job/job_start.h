// The start of a document (the hooked DrvStartDoc): the plug-in finds the
// driver's configuration files and collects the facts of the job.
#pragma once

#include <cstdint>

#include "ps/job/render_context.h"

namespace wren {

// wrenps reads OEMConfigFile1 into 128 characters.
inline constexpr std::size_t kRenderOemConfigChars = 128;

// Finds the configuration files into the job state; true when any was found.
bool locateConfiguration(const RenderPorts& ports, PrinterHandle printer, JobState& job);

// Runs before the core driver's own DrvStartDoc.
void onStartDoc(const RenderPorts& ports, PrinterHandle printer, std::uint32_t jobId, JobState& job);

}  // namespace wren
