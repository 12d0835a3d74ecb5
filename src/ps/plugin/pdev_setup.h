// Fit to paper at EnablePDEV: the device reports the document paper scaled
// onto the output paper, and the scale is kept in the private record.
#pragma once

#include "common/settings/private_record.h"
#include "common/settings/public_devmode.h"
#include "platform/win32/oem_interfaces.h"

namespace wren::ps {

void applyFitToPaper(PrivateRecord& record, const PublicDevmode& devmode, GDIINFO& gdiInfo);

}  // namespace wren::ps
