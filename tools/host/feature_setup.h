// The document's feature code, as the core driver writes it into the job's
// setup: the code of each chosen option, in the order the description
// gives (*OrderDependency).
#pragma once

#include <map>
#include <string>

#include "ppd_reader.h"

namespace wren::host {

// Every feature of the document setup (AnySetup or DocumentSetup, not JCL)
// that the ticket chooses and whose option sends code. Installable options
// are the printer's, not the job's; the page size is left out, as the host
// sets it from the DEVMODE. Each block is wrapped so that a printer
// refusing one feature still prints the job.
std::string FeatureSetup(const PpdFile& ppd, const std::map<std::string, std::string>& chosen);

}  // namespace wren::host
