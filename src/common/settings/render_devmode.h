// The rendering plug-in's answers to the core driver's DEVMODE requests: it
// validates a record it is handed and captures the document's paper for
// fit to paper.
#pragma once

#include <cstdint>

#include "common/settings/private_record.h"
#include "common/settings/public_devmode.h"
#include "common/settings/settings_environment.h"

namespace wren {

void renderMerge(const PrivateRecord* in, PrivateRecord* out);
void paperCapture(PublicDevmode* publicIn, PublicDevmode* publicOut, PrivateRecord* in,
                  PrivateRecord* out, const Spooler& spooler);

DevModeStatus renderDevMode(std::uint32_t mode, const DevModeRequest* request, const Spooler& spooler);

}  // namespace wren
