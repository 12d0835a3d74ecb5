// The core driver's services for one device, as the rendering logic's ports:
// feature selections through DrvGetDriverSetting and the stream through
// DrvWriteSpoolBuf.
#pragma once

#include "platform/driver_settings.h"
#include "platform/spool_stream.h"
#include "platform/win32/oem_interfaces.h"

namespace wren::ps {

class CoreDriverSettings final : public DriverSettings {
public:
    CoreDriverSettings(PDEVOBJ pdevobj, IPrintOemDriverPS* helper) : pdevobj_(pdevobj), helper_(helper) {}
    bool feature(const char* keyword, SettingBuffer& out) const override { return read(keyword, out); }
    bool predefined(std::uint32_t index, SettingBuffer& out) const override {
        return read(reinterpret_cast<PCSTR>(static_cast<ULONG_PTR>(index)), out);
    }

private:
    // The DRVPROCS table when the core driver gives one; COM plug-ins may
    // get none, and then the helper interface answers the same question.
    bool read(PCSTR feature, SettingBuffer& out) const {
        DWORD needed = 0, returned = 0;
        SettingBuffer buffer{};
        bool ok = false;
        if (pdevobj_->pDrvProcs && pdevobj_->pDrvProcs->DrvGetDriverSetting)
            ok = pdevobj_->pDrvProcs->DrvGetDriverSetting(pdevobj_, feature, buffer.data(), buffer.size(), &needed,
                                                          &returned) != FALSE;
        else if (helper_)
            ok = SUCCEEDED(helper_->DrvGetDriverSetting(pdevobj_, feature, buffer.data(), buffer.size(), &needed,
                                                        &returned));
        if (!ok) return false;
        out = buffer;
        return true;
    }
    PDEVOBJ pdevobj_;
    IPrintOemDriverPS* helper_;
};

class CoreDriverStream final : public SpoolStream {
public:
    CoreDriverStream(PDEVOBJ pdevobj, IPrintOemDriverPS* helper) : pdevobj_(pdevobj), helper_(helper) {}
    std::uint32_t write(const void* data, std::uint32_t size) override {
        if (!helper_) return 0;
        DWORD written = 0;
        if (FAILED(helper_->DrvWriteSpoolBuf(pdevobj_, const_cast<void*>(data), size, &written))) return 0;
        return written;
    }

private:
    PDEVOBJ pdevobj_;
    IPrintOemDriverPS* helper_;
};

}  // namespace wren::ps
