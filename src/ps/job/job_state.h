// What the rendering plug-in remembers about the job it is rendering. The
// core driver renders one job at a time per device, and the job-level order
// of events (start of document, injection points, blocks) fills this record.
// Each device has its own: jobs of other devices run beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ps/encrypt/job_encryption.h"

namespace wren {

struct JobState {
    // Set at load and at every start of stream; the first DrvStartDoc after
    // it collects the job's facts and clears it.
    bool collectAtStartDoc = true;
    std::uint32_t jobId = 0;
    // Set when an encrypted job failed and was cancelled; the rest of the
    // job is then dropped.
    bool jobCancelled = false;
    // The header carries the access-control text, so the trailer must close
    // the extra job it opened.
    bool userAuthInHeader = false;

    std::u16string capabilityFile;
    std::u16string pluginIniFile;

    // Job facts collected at DrvStartDoc, 8-bit as the printer and the
    // job-information library take them.
    std::u16string jobInfoLibrary;
    std::string printerName;
    std::string capabilityFileAnsi;
    std::string documentName;
    // The printing application's name, once read for this job: the channel
    // that hands it over can be read only once, and the header asks twice.
    std::optional<std::string> applicationName;

    // Settled once per job at the start of the stream, so that a block of
    // the job costs no configuration read and no library load.
    bool settled = false;
    bool icCardPresent = false;
    std::string effectiveJobType;

    // The encrypted output of a "Secure_Chip" job; it lives across the
    // job's blocks and is reset at every start of stream.
    JobEncryption encryption;
};

}  // namespace wren
