// The private settings record written out field by field, readable: what
// the plug-ins keep in a printer's or a document's DEVMODE.
#pragma once

#include <string>

#include "common/settings/private_record.h"

namespace wren::host {

std::string describeRecord(const PrivateRecord& record);

}  // namespace wren::host
