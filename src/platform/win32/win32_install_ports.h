// The ports of printer initialisation and installed-option discovery over
// the Win32 API: printers opened with full access, the PrinterDriverData
// registry key, file security, the machine's folders and spoolss.dll.
#pragma once

#include <windows.h>

#include "platform/driver_registry.h"
#include "platform/file_security.h"
#include "platform/printer_admin.h"
#include "platform/system_services.h"
#include "platform/win32/handles.h"

namespace wren::win32 {

class Win32PrinterAdmin final : public PrinterAdmin {
public:
    std::unique_ptr<OpenedPrinter> open(std::u16string_view printerName) const override;
    std::unique_ptr<OpenedPrinter> borrow(PrinterHandle handle) const override;
};

class Win32DriverRegistry final : public DriverRegistry {
public:
    std::unique_ptr<DriverDataKey> open(std::u16string_view printerName) const override;
};

class Win32FileSecurity final : public FileSecurity {
public:
    bool grantEveryone(std::u16string_view path) override;
    bool ownByAdministrators(std::u16string_view path) override;
    bool takeOwnershipPrivilege(bool enable) override;
    bool clearReadOnly(std::u16string_view path) override;
};

class Win32SystemServices final : public SystemServices {
public:
    std::u16string windowsDirectory() const override;
    std::u16string appDataDirectory() const override;
    std::u16string pluginFolder() const override;
    bool fileExists(std::u16string_view path) const override;
    bool newerOs() const override;
    std::optional<void*> revertToSpooler() override;
    void impersonateClient(void* token) override;

private:
    // spoolss.dll stays loaded from the revert to the impersonation.
    UniqueModule spoolss_;
};

}  // namespace wren::win32
