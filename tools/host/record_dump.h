// The private settings record written out field by field, readable: what
// the plug-ins keep in a printer's or a document's DEVMODE.
#pragma once

#include <string>

#include "common/settings/private_record.h"

namespace wren::host {

std::string describeRecord(const PrivateRecord& record);
// One field's value as describeRecord writes it ("0", "\"abc\"",
// "1, 2, 3, 4, 5"; a table in hexadecimal), for any field of the record or
// one element ("overlayIds[2]"); "?" for a name the record does not have.
std::string describeField(const PrivateRecord& record, const std::string& name);

}  // namespace wren::host
