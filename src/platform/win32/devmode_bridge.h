// Turns the core driver's DEVMODE parameter block into the portable request.
#pragma once

#include "common/settings/public_devmode.h"
#include "common/settings/settings_environment.h"
#include "platform/win32/oem_interfaces.h"

namespace wren::win32 {

static_assert(sizeof(DEVMODEW) == sizeof(PublicDevmode));
static_assert(offsetof(DEVMODEW, dmPaperSize) == offsetof(PublicDevmode, dmPaperSize));
static_assert(offsetof(DEVMODEW, dmPaperWidth) == offsetof(PublicDevmode, dmPaperWidth));
static_assert(offsetof(DEVMODEW, dmPaperLength) == offsetof(PublicDevmode, dmPaperLength));
static_assert(offsetof(DEVMODEW, dmOrientation) == offsetof(PublicDevmode, dmOrientation));
static_assert(offsetof(DEVMODEW, dmColor) == offsetof(PublicDevmode, dmColor));
static_assert(offsetof(DEVMODEW, dmDuplex) == offsetof(PublicDevmode, dmDuplex));
static_assert(offsetof(DEVMODEW, dmNup) == offsetof(PublicDevmode, dmNup));

inline PublicDevmode* publicDevmode(DEVMODEW* dm) { return reinterpret_cast<PublicDevmode*>(dm); }

inline DevModeRequest devModeRequest(OEMDMPARAM& param) {
    DevModeRequest request;
    request.printer = param.hPrinter;
    request.publicIn = publicDevmode(param.pPublicDMIn);
    request.publicOut = publicDevmode(param.pPublicDMOut);
    request.recordIn = param.pOEMDMIn;
    request.recordOut = param.pOEMDMOut;
    static_assert(sizeof(param.cbBufSize) == sizeof(std::uint32_t));
    request.bufferSize = reinterpret_cast<std::uint32_t*>(&param.cbBufSize);
    return request;
}

// The HRESULT and last error of a DEVMODE request.
inline HRESULT devModeResult(DevModeStatus status) {
    if (status == DevModeStatus::InvalidParameter) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
    return S_OK;
}

}  // namespace wren::win32
