// The document's feature code, as the core driver writes it into the job's
// setup: the code of each chosen option, in the description's order.
#pragma once

#include <map>
#include <string>

#include "ppd_reader.h"

namespace wren::host {

// Every feature a user chooses for the document (installable options are
// the printer's, not the job's) whose chosen option sends code. The page
// size is left out: the host sets it from the DEVMODE. Each block is
// wrapped so that a printer refusing one feature still prints the job.
std::string FeatureSetup(const PpdFile& ppd, const std::map<std::string, std::string>& chosen);

}  // namespace wren::host
