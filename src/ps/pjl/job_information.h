// The job-information text that the printer family's job-information library
// builds from the facts of the job, and its access-control variant for
// printers with user authentication.
#pragma once

#include <optional>
#include <string>

#include "ps/job/render_context.h"

namespace wren {

struct AccessControlText {
    std::string prefix;  // written before the universal exit language
    std::string text;    // written inside the job
};

// Writes the job-information command when the library gives one. A job
// without it still prints, so a library that gives none (no library, no
// export, a refusal, a size beyond 64 KiB) is success; false only when the
// text was obtained and its write came up short.
bool writeJobInformation(RenderContext& ctx);

// The access-control texts, or nothing when they cannot be obtained.
std::optional<AccessControlText> accessControlText(RenderContext& ctx);

}  // namespace wren
