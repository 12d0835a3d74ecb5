// The core driver's helper for the UI plug-in: IPrintOemDriverUI and the
// same two procedures behind OEMUIOBJ.pOemUIProcs. Settings come from the
// live settings tree (then the ticket, then the description's defaults);
// updates change the tree's model and are written to stdout in order.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "option_tree_builder.h"
#include "platform/win32/oem_interfaces.h"
#include "ppd_reader.h"
#include "preferences_model.h"
#include "ticket.h"

namespace wren::host {

class HostUiHelper;

// What the plug-in gets as its OEMUIOBJ; the procedures find their helper
// through it.
struct HostUiObject {
    OEMUIOBJ obj{};
    HostUiHelper* helper = nullptr;
};

class HostUiHelper final : public IPrintOemDriverUI {
public:
    HostUiHelper(const PpdFile& ppd, const Ticket& ticket, OptionTreeStorage& tree,
                 std::vector<TreeItem>& model);
    HostUiHelper(const HostUiHelper&) = delete;
    HostUiHelper& operator=(const HostUiHelper&) = delete;

    OEMUIOBJ* uiObject() { return &object_.obj; }
    // What each printed update starts with (several sheets: the sheet's name).
    void setOutputPrefix(std::string prefix) { outputPrefix_ = std::move(prefix); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }  // owned by the host
    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pci, PCSTR feature, PVOID output, DWORD size,
                                                  PDWORD needed, PDWORD optionsReturned) override;
    HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID optItem, DWORD previous, DWORD mode) override;

    BOOL getSetting(PCSTR feature, PVOID output, DWORD size, PDWORD needed, PDWORD optionsReturned);
    BOOL updateSetting(PVOID optItem, DWORD mode);
    const std::vector<std::string>& updates() const { return updates_; }

private:
    const PpdFile& ppd_;
    const Ticket& ticket_;
    OptionTreeStorage& tree_;
    std::vector<TreeItem>& model_;
    HostUiObject object_;
    OEMUIPROCS procs_{};
    std::vector<std::string> updates_;
    std::string outputPrefix_;
    std::atomic<long> refs_{1};
};

}  // namespace wren::host
