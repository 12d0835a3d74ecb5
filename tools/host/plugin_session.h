// One printer device as the core driver sets it up: the rendering plug-in
// loaded from the installed driver and created through its COM entry point,
// its DEVMODE settled, its PDEV enabled, and a spooler job to print into.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core_driver.h"
#include "platform/win32/handles.h"
#include "ticket.h"

namespace wren::host {

struct SessionOptions {
    bool loadPlugin = true;       // false: the host writes the stream alone
    bool useDrvProcs = true;      // hand the plug-in the legacy DRVPROCS table
    std::wstring pluginPath;      // a wrenps.dll to use instead of the installed one
    std::size_t blockSize = BlockOutput::kBlockSize;  // bytes per WritePrinter block
};

class PluginSession {
public:
    PluginSession(const Ticket& ticket, const SessionOptions& options);
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    // Starts the spooler job writing to `outputFile`, then the DrvStartDoc hook.
    DWORD startJob(const std::wstring& documentName, const std::wstring& outputFile);
    // An injection point; throws when the plug-in reported a failure or a
    // block of the stream was lost.
    void command(DWORD point);
    void write(const void* data, std::size_t size) { output_->write(data, size); }
    // Flushes the stream, ends the document and the spooler job; throws when
    // any of it failed or a block was refused or written short.
    void endJob();

    const PrivateRecord& record() const { return *reinterpret_cast<const PrivateRecord*>(recordOut_.data()); }
    const GDIINFO& gdiInfo() const { return gdi_; }
    // The PostScript that places a page at the resolution the device
    // reports: empty unless the plug-in rescaled the device (fit to paper).
    std::string pageTransform() const;
    // The output paper of the settled DEVMODE, as the setup selects it.
    std::string pageSizeSetup() const;
    // The code of the ticket's chosen features, from the printer's PPD.
    const std::string& featureSetup() const { return featureSetup_; }

private:
    void loadPlugin(const std::wstring& driverDir);
    void settleDevmode(const std::wstring& driverDir);
    void enablePdev();

    const Ticket& ticket_;
    SessionOptions options_;
    win32::UniquePrinter printer_;
    win32::UniqueModule psModule_;
    IPrintOemPS2* plugin_ = nullptr;
    // The UI plug-in stays loaded for the session: the application name it
    // publishes at the document start lives as long as it does.
    win32::UniqueModule uiModule_;
    IPrintOemUI2* uiPlugin_ = nullptr;
    std::unique_ptr<HostDriverHelper> helper_;
    std::string featureSetup_;
    DEVMODEW devmodeIn_{}, devmodeOut_{};
    std::vector<BYTE> recordIn_, recordOut_;
    DRVENABLEDATA pluginHooks_{};
    DEVOBJ devobj_{};
    GDIINFO gdi_{};
    DEVINFO devinfo_{};
    bool pdevEnabled_ = false;
    std::unique_ptr<BlockOutput> output_;
    bool jobStarted_ = false;
};

}  // namespace wren::host
