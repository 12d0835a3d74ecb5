// The rendering plug-in's end of the application-info channel: the name the
// UI plug-in published for this job, from the shared block in the
// application's session, or else through a pipe that the family's companion
// program fills.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/codepage.h"
#include "ps/job/render_context.h"

namespace wren::ps {

class AppInfoReader final : public ApplicationNameSource {
public:
    // How long a companion program has to connect to the pipe.
    static constexpr DWORD kPipeWaitMs = 10000;
    // The writer holds the block's mutex only while it copies 122 bytes; a
    // holder that keeps it longer than this is taken as gone, so that a
    // stuck application cannot hold the spooler's job forever.
    static constexpr DWORD kMutexWaitMs = 30000;

    // `clientSession`: the session whose Session\<n>\ names are tried when
    // the Local\ ones do not open; by default the thread token's (in the
    // spooler, the impersonated client's).
    explicit AppInfoReader(const CodePage& codePage, DWORD pipeWaitMs = kPipeWaitMs,
                           std::optional<DWORD> clientSession = std::nullopt)
        : codePage_(codePage), pipeWaitMs_(pipeWaitMs), clientSession_(clientSession) {}

    // At most 60 bytes in the user's locale; empty when nothing arrived.
    // Reads the channel at every call (a pipe can be served only once): the
    // job keeps what it read. Several jobs may read at once.
    std::string applicationName(PrinterHandle printer, std::uint32_t jobId) override;

private:
    std::u16string readChannel(HANDLE printer, std::uint32_t jobId) const;

    const CodePage& codePage_;
    const DWORD pipeWaitMs_;
    const std::optional<DWORD> clientSession_;
};

}  // namespace wren::ps
