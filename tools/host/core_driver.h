// The host's stand-in for the core PostScript driver's rendering module: the
// helper interface it gives the plug-in (feature selections, the stream),
// its own DDI functions, and the output path that hands every finished
// block to the plug-in's WritePrinter.
#pragma once

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/oem_interfaces.h"

namespace wren::host {

// Collects the stream and hands it on in blocks.
class BlockOutput {
public:
    static constexpr std::size_t kBlockSize = 4096;
    static constexpr std::size_t kMaxBlockSize = std::size_t(1) << 24;
    BlockOutput(IPrintOemPS2* plugin, bool pluginOwnsStream, DEVOBJ& devobj, std::size_t blockSize = kBlockSize)
        : plugin_(plugin), pluginOwnsStream_(pluginOwnsStream), devobj_(devobj), blockSize_(blockSize) {
        buffer_.reserve(blockSize_);
    }
    void write(const void* data, std::size_t size);
    void flush();
    // The first block the spooler (or the plug-in) refused or took only in
    // part, described; empty while every block went out whole.
    const std::string& failure() const { return failure_; }

private:
    void send(const void* data, DWORD size);
    IPrintOemPS2* plugin_;
    bool pluginOwnsStream_;
    DEVOBJ& devobj_;
    std::size_t blockSize_;
    std::vector<char> buffer_;
    std::string failure_;
};

class HostDriverHelper final : public IPrintOemDriverPS {
public:
    HostDriverHelper(std::map<std::string, std::string> features, std::uint8_t outputOption)
        : features_(std::move(features)), outputOption_(outputOption) {}
    void attach(BlockOutput* output) { output_ = output; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }  // owned by the host
    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID driverObject, PCSTR feature, PVOID output, DWORD size,
                                                  PDWORD needed, PDWORD optionsReturned) override;
    HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(PDEVOBJ pdevobj, PVOID buffer, DWORD size, DWORD* written) override;

    // The same answers through the legacy DRVPROCS table.
    BOOL getSetting(PCSTR feature, PVOID output, DWORD size, PDWORD needed, PDWORD optionsReturned) const;
    long references() const { return refs_; }

private:
    std::map<std::string, std::string> features_;
    std::uint8_t outputOption_;
    BlockOutput* output_ = nullptr;
    std::atomic<long> refs_{1};
};

// The DRVPROCS table of the host. Its functions answer for the helper
// registered for the DEVOBJ they are called with (nothing for any other), so
// every device in the process keeps its own settings and stream.
DRVPROCS* registerDevice(const DEVOBJ* devobj, HostDriverHelper* helper);
void unregisterDevice(const DEVOBJ* devobj);

// The host's own DDI functions, handed to the plug-in's EnablePDEV.
const DRVENABLEDATA& hostDdiFunctions();

}  // namespace wren::host
