#include "core_driver.h"
#include "platform/function_cast.h"

#include <cstring>
#include <map>
#include <mutex>

namespace wren::host {

void BlockOutput::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        std::size_t room = blockSize_ - buffer_.size();
        std::size_t take = size < room ? size : room;
        buffer_.insert(buffer_.end(), bytes, bytes + take);
        bytes += take;
        size -= take;
        if (buffer_.size() == blockSize_) flush();
    }
}

void BlockOutput::flush() {
    if (buffer_.empty()) return;
    send(buffer_.data(), static_cast<DWORD>(buffer_.size()));
    buffer_.clear();
}

void BlockOutput::send(const void* data, DWORD size) {
    std::string problem;
    if (pluginOwnsStream_) {
        // The count is what the plug-in itself sent to the spooler for this
        // block: 0 while it collects an encrypted job's header, more than the
        // block once framing is added. A count left as it was passed means
        // the plug-in dropped the block of a job it cancelled.
        constexpr DWORD kUntouched = 0xFFFFFFFFu;
        DWORD written = kUntouched;
        HRESULT hr = plugin_->WritePrinter(&devobj_, const_cast<void*>(data), size, &written);
        if (FAILED(hr)) problem = "wrenps.dll WritePrinter failed (error " + std::to_string(GetLastError()) + ")";
        else if (written == kUntouched && size > 0)
            problem = "wrenps.dll dropped a block of " + std::to_string(size) + " bytes: it cancelled the job";
    } else {
        DWORD written = 0;
        if (!::WritePrinter(devobj_.hPrinter, const_cast<void*>(data), size, &written))
            problem = "the spooler refused a block (error " + std::to_string(GetLastError()) + ")";
        // A block taken in part is lost in part: the job would be cut short.
        else if (written != size)
            problem = "a block of " + std::to_string(size) + " bytes was written short (" + std::to_string(written) + ")";
    }
    if (!problem.empty() && failure_.empty()) failure_ = problem;
}

HRESULT HostDriverHelper::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemDriverPS)) {
        *ppv = static_cast<IPrintOemDriverPS*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

BOOL HostDriverHelper::getSetting(PCSTR feature, PVOID output, DWORD size, PDWORD needed,
                                  PDWORD optionsReturned) const {
    if (reinterpret_cast<ULONG_PTR>(feature) < 0x10000) {
        // A predefined setting; only the PostScript output option is known.
        if (reinterpret_cast<ULONG_PTR>(feature) != OEMGDS_PSDM_DIALECT) return FALSE;
        if (needed) *needed = sizeof(DWORD);
        if (!output || size < sizeof(DWORD)) return FALSE;
        DWORD value = outputOption_;
        std::memcpy(output, &value, sizeof value);
        if (optionsReturned) *optionsReturned = 1;
        return TRUE;
    }
    auto it = features_.find(feature);
    if (it == features_.end()) return FALSE;
    const std::string& option = it->second;
    if (needed) *needed = static_cast<DWORD>(option.size() + 2);
    if (!output || size < option.size() + 2) return FALSE;
    // An option list: NUL-terminated keywords, closed by a second NUL.
    std::memcpy(output, option.c_str(), option.size() + 1);
    static_cast<char*>(output)[option.size() + 1] = '\0';
    if (optionsReturned) *optionsReturned = 1;
    return TRUE;
}

HRESULT HostDriverHelper::DrvGetDriverSetting(PVOID, PCSTR feature, PVOID output, DWORD size, PDWORD needed,
                                              PDWORD optionsReturned) {
    return getSetting(feature, output, size, needed, optionsReturned) ? S_OK : E_FAIL;
}

HRESULT HostDriverHelper::DrvWriteSpoolBuf(PDEVOBJ, PVOID buffer, DWORD size, DWORD* written) {
    if (!output_) return E_FAIL;
    output_->write(buffer, size);
    if (written) *written = size;
    return S_OK;
}

namespace {

// Every device's DEVOBJ points at the one DRVPROCS table, and a plug-in may
// keep the table; its functions find the device's helper by the DEVOBJ they
// are handed, so that devices printing at once in this process each answer
// for their own job.
std::mutex gDevicesLock;
std::map<const DEVOBJ*, HostDriverHelper*> gDevices;

HostDriverHelper* helperOf(const DEVOBJ* pdevobj) {
    std::lock_guard<std::mutex> lock(gDevicesLock);
    auto it = gDevices.find(pdevobj);
    return it == gDevices.end() ? nullptr : it->second;
}

DWORD APIENTRY procsWriteSpoolBuf(PDEVOBJ pdevobj, PVOID buffer, DWORD size) {
    DWORD written = 0;
    if (HostDriverHelper* helper = helperOf(pdevobj)) helper->DrvWriteSpoolBuf(pdevobj, buffer, size, &written);
    return written;
}

BOOL APIENTRY procsGetDriverSetting(PVOID pdevobj, PCSTR feature, PVOID output, DWORD size, PDWORD needed,
                                    PDWORD optionsReturned) {
    HostDriverHelper* helper = helperOf(static_cast<const DEVOBJ*>(pdevobj));
    return helper ? helper->getSetting(feature, output, size, needed, optionsReturned) : FALSE;
}

// The core driver's own document and page functions: nothing to draw here,
// the stream is produced by the host.
BOOL APIENTRY coreStartDoc(SURFOBJ*, LPWSTR, DWORD) { return TRUE; }
BOOL APIENTRY coreEndDoc(SURFOBJ*, FLONG) { return TRUE; }
BOOL APIENTRY coreStartPage(SURFOBJ*) { return TRUE; }
BOOL APIENTRY coreSendPage(SURFOBJ*) { return TRUE; }

DRVFN gCoreFunctions[] = {
    {INDEX_DrvStartDoc, wren::functionCast<PFN>(&coreStartDoc)},
    {INDEX_DrvEndDoc, wren::functionCast<PFN>(&coreEndDoc)},
    {INDEX_DrvStartPage, wren::functionCast<PFN>(&coreStartPage)},
    {INDEX_DrvSendPage, wren::functionCast<PFN>(&coreSendPage)},
};

}  // namespace

DRVPROCS* registerDevice(const DEVOBJ* devobj, HostDriverHelper* helper) {
    static DRVPROCS procs = [] {
        DRVPROCS table{};
        table.DrvWriteSpoolBuf = &procsWriteSpoolBuf;
        table.DrvGetDriverSetting = &procsGetDriverSetting;
        return table;
    }();
    std::lock_guard<std::mutex> lock(gDevicesLock);
    gDevices[devobj] = helper;
    return &procs;
}

void unregisterDevice(const DEVOBJ* devobj) {
    std::lock_guard<std::mutex> lock(gDevicesLock);
    gDevices.erase(devobj);
}

const DRVENABLEDATA& hostDdiFunctions() {
    static const DRVENABLEDATA data{0x00030100, sizeof gCoreFunctions / sizeof gCoreFunctions[0], gCoreFunctions};
    return data;
}

}  // namespace wren::host
