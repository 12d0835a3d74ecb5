// Everything the rendering logic works with for one device: the platform
// ports, the records the core driver hands over, and the job state.
#pragma once

#include "common/settings/private_record.h"
#include "common/settings/public_devmode.h"
#include "platform/codepage.h"
#include "platform/driver_settings.h"
#include "platform/file_source.h"
#include "platform/library.h"
#include "platform/profile.h"
#include "platform/spool_stream.h"
#include "platform/spooler.h"
#include "ps/job/job_state.h"

namespace wren {

// Asks for the job name at print time (modal); true when confirmed.
class JobNamePrompt {
public:
    virtual ~JobNamePrompt() = default;
    virtual bool ask(PrivateRecord& record) = 0;
};

// The printing application's name, as the application-info channel gives it.
class ApplicationNameSource {
public:
    virtual ~ApplicationNameSource() = default;
    // For job `jobId` of `printer`; empty when nothing arrived.
    virtual std::string applicationName(PrinterHandle printer, std::uint32_t jobId) = 0;
};

struct RenderPorts {
    const Spooler& spooler;
    const Profile& profile;
    const LibraryLoader& loader;
    const CodePage& codePage;
    JobNamePrompt* jobNamePrompt = nullptr;           // none: the name is not asked
    ApplicationNameSource* applicationNames = nullptr;  // none: no name
    const FileSource* files = nullptr;                  // none: no data file is copied
};

struct RenderContext {
    const RenderPorts& ports;
    PrinterHandle printer;
    PrivateRecord& record;
    const PublicDevmode& devmode;
    const DriverSettings& settings;
    SpoolStream& stream;
    JobState& job;
};

}  // namespace wren
