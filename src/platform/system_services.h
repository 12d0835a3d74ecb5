// Port: the machine's folders and files as printer initialisation and the
// installer's exports see them, and the spooler's identity switch
// (RevertToPrinterSelf / ImpersonatePrinterClient from spoolss.dll).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wren {

class SystemServices {
public:
    virtual ~SystemServices() = default;
    virtual std::u16string windowsDirectory() const = 0;
    // The user's application-data folder (CSIDL_APPDATA); empty when unknown.
    virtual std::u16string appDataDirectory() const = 0;
    // The folder of the UI plug-in's own file, with its closing backslash.
    virtual std::u16string pluginFolder() const = 0;
    // True for an existing file (not a folder).
    virtual bool fileExists(std::u16string_view path) const = 0;
    // The operating system's major version is 6 or later.
    virtual bool newerOs() const = 0;

    // Runs as the spooler from here on; the token brings the caller back.
    // Nothing when spoolss.dll or its export is missing.
    virtual std::optional<void*> revertToSpooler() = 0;
    virtual void impersonateClient(void* token) = 0;
};

}  // namespace wren
