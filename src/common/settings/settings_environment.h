// What the DEVMODE operations consult beyond the records themselves.
#pragma once

#include <string>

#include "common/settings/public_devmode.h"
#include "platform/codepage.h"
#include "platform/library.h"
#include "platform/profile.h"
#include "platform/spooler.h"

namespace wren {

struct SettingsEnvironment {
    const Spooler& spooler;
    const Profile& profile;
    const LibraryLoader& loader;
    const CodePage& codePage;
    // The plug-in's process-wide capability file path: emptied and set by
    // every dependent-file lookup.
    std::u16string& capabilityFilePath;
};

// The core driver's DEVMODE request, portable form of its parameter block.
struct DevModeRequest {
    PrinterHandle printer = nullptr;
    PublicDevmode* publicIn = nullptr;
    PublicDevmode* publicOut = nullptr;
    void* recordIn = nullptr;
    void* recordOut = nullptr;
    std::uint32_t* bufferSize = nullptr;
};

enum class DevModeMode : std::uint32_t { Size = 1, Default = 2, Convert = 3, Merge = 4 };

enum class DevModeStatus { Ok, InvalidParameter };

}  // namespace wren
