// In-memory stand-ins for the ports of installed-option discovery and
// printer initialisation: opened printers with their data and DEVMODEs, the
// PrinterDriverData key, file security, the machine's folders, and the two
// option-query libraries as functions of this process.
#pragma once

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/settings/public_devmode.h"
#include "fakes.h"
#include "platform/driver_registry.h"
#include "platform/file_security.h"
#include "platform/printer_admin.h"
#include "ui/options/installer_ports.h"
#include "platform/system_services.h"
#include "ui/options/option_exports.h"

namespace wren::test {

inline std::vector<std::uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }
inline std::string textOf(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }
inline std::vector<std::uint8_t> dwordBytes(std::uint32_t v) {
    return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

// A DEVMODE of `size` bytes naming `device`, its public part zero.
inline DevModeBytes makeDevMode(std::u16string_view device, std::size_t size = 400) {
    DevModeBytes bytes(size, 0);
    PublicDevmode dm{};
    for (std::size_t i = 0; i < device.size() && i < 31; ++i) dm.dmDeviceName[i] = device[i];
    dm.dmSize = sizeof(PublicDevmode);
    dm.dmDriverExtra = static_cast<std::uint16_t>(size - sizeof(PublicDevmode));
    std::memcpy(bytes.data(), &dm, sizeof dm);
    return bytes;
}
inline PublicDevmode publicOf(const DevModeBytes& bytes) {
    PublicDevmode dm{};
    std::memcpy(&dm, bytes.data(), sizeof dm);
    return dm;
}

struct FakeAdminPrinter {
    PrinterNames names{u"Wren Test", u"FILE:"};
    std::optional<std::u16string> shortName = u"Wren Test";
    std::map<std::u16string, std::vector<std::uint8_t>> data;
    bool refuseDataWrites = false;
    std::map<DevModeSource, DevModeBytes> devModes;
    std::map<std::uint32_t, DevModeBytes> stored;  // by SetPrinterW level
    std::set<std::uint32_t> refusedLevels;
};

class FakePrinterAdmin : public PrinterAdmin {
public:
    std::map<std::u16string, PrinterHandle> byName;
    mutable std::map<PrinterHandle, FakeAdminPrinter> printers;
    mutable int opened = 0, closed = 0;
    mutable std::vector<std::string>* events = nullptr;  // shared with the system fake

    PrinterHandle add(std::u16string name, FakeAdminPrinter printer) {
        auto* handle = reinterpret_cast<PrinterHandle>(static_cast<std::uintptr_t>(0x100 + printers.size()));
        printer.names.printerName = name;
        byName[name] = handle;
        printers[handle] = std::move(printer);
        return handle;
    }
    FakeAdminPrinter& at(PrinterHandle h) { return printers.at(h); }

    std::unique_ptr<OpenedPrinter> open(std::u16string_view name) const override {
        auto it = byName.find(std::u16string(name));
        if (it == byName.end()) return nullptr;
        ++opened;
        if (events) events->push_back("open");
        return std::make_unique<Opened>(*this, it->second, true);
    }
    std::unique_ptr<OpenedPrinter> borrow(PrinterHandle h) const override {
        if (!printers.count(h)) return nullptr;
        return std::make_unique<Opened>(*this, h, false);
    }

private:
    struct Opened : OpenedPrinter {
        Opened(const FakePrinterAdmin& a, PrinterHandle h, bool owned) : admin(a), h(h), owned(owned) {}
        ~Opened() override { if (owned) ++admin.closed; }
        FakeAdminPrinter& p() const { return admin.printers.at(h); }
        PrinterHandle handle() const override { return h; }
        std::optional<PrinterNames> names() const override { return p().names; }
        std::optional<std::u16string> shortName() const override { return p().shortName; }
        PrinterDataProbe probeData(std::u16string_view value) const override {
            auto it = p().data.find(std::u16string(value));
            if (it == p().data.end()) return {2, 0};
            return {it->second.empty() ? 0u : kErrorMoreData, static_cast<std::uint32_t>(it->second.size())};
        }
        std::optional<std::vector<std::uint8_t>> readData(std::u16string_view value, std::size_t max) const override {
            auto it = p().data.find(std::u16string(value));
            if (it == p().data.end() || it->second.size() > max) return std::nullopt;  // ERROR_MORE_DATA
            return it->second;
        }
        bool put(std::u16string_view value, std::vector<std::uint8_t> bytes) {
            if (p().refuseDataWrites) return false;
            p().data[std::u16string(value)] = std::move(bytes);
            return true;
        }
        bool writeString(std::u16string_view value, std::u16string_view text) override {
            std::vector<std::uint8_t> bytes;
            for (char16_t c : text) { bytes.push_back(std::uint8_t(c)); bytes.push_back(std::uint8_t(c >> 8)); }
            bytes.push_back(0); bytes.push_back(0);
            return put(value, bytes);
        }
        bool writeDword(std::u16string_view value, std::uint32_t n) override { return put(value, dwordBytes(n)); }
        bool writeBinary(std::u16string_view value, const std::vector<std::uint8_t>& b) override { return put(value, b); }
        std::optional<DevModeBytes> devMode(DevModeSource source) const override {
            auto it = p().devModes.find(source);
            if (it == p().devModes.end()) return std::nullopt;
            return it->second;
        }
        bool setDevMode(std::uint32_t level, const DevModeBytes& dm) override {
            if (admin.events) admin.events->push_back("setDevMode " + std::to_string(level));
            if (p().refusedLevels.count(level)) return false;
            p().stored[level] = dm;
            return true;
        }
        const FakePrinterAdmin& admin;
        PrinterHandle h;
        bool owned;
    };
};

class FakeDriverRegistry : public DriverRegistry {
public:
    mutable std::map<std::u16string, std::map<std::u16string, std::vector<std::uint8_t>>> keys;
    std::unique_ptr<DriverDataKey> open(std::u16string_view printer) const override {
        auto it = keys.find(std::u16string(printer));
        if (it == keys.end()) return nullptr;
        return std::make_unique<Key>(it->second);
    }

private:
    struct Key : DriverDataKey {
        explicit Key(std::map<std::u16string, std::vector<std::uint8_t>>& v) : values(v) {}
        std::optional<std::vector<std::uint8_t>> read(std::u16string_view value, std::size_t max) const override {
            auto it = values.find(std::u16string(value));
            if (it == values.end() || it->second.size() > max) return std::nullopt;
            return it->second;
        }
        bool write(std::u16string_view value, const std::vector<std::uint8_t>& b) override {
            values[std::u16string(value)] = b;
            return true;
        }
        bool writeDword(std::u16string_view value, std::uint32_t n) override {
            values[std::u16string(value)] = dwordBytes(n);
            return true;
        }
        std::map<std::u16string, std::vector<std::uint8_t>>& values;
    };
};

// Records every step; `refuse` names the steps that fail ("grant", "own",
// "privilege"), `refuseUntilPrivileged` makes "own" work only with the privilege.
class FakeFileSecurity : public FileSecurity {
public:
    std::vector<std::string> steps;
    std::set<std::string> refuse;
    bool ownNeedsPrivilege = false;
    bool privileged = false;
    static std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }
    bool grantEveryone(std::u16string_view path) override {
        steps.push_back("grant " + narrow(path));
        return !refuse.count("grant");
    }
    bool ownByAdministrators(std::u16string_view path) override {
        steps.push_back("own " + narrow(path));
        if (ownNeedsPrivilege) return privileged;
        return !refuse.count("own");
    }
    bool takeOwnershipPrivilege(bool on) override {
        steps.push_back(on ? "privilege on" : "privilege off");
        if (refuse.count("privilege")) return false;
        privileged = on;
        return true;
    }
    bool clearReadOnly(std::u16string_view path) override {
        steps.push_back("writable " + narrow(path));
        return true;
    }
};

class FakeSystem : public SystemServices {
public:
    std::u16string windows = u"C:\\windows";
    std::u16string appData = u"C:\\users\\wren\\AppData\\Roaming";
    std::u16string plugin = u"C:\\drivers\\x64\\3\\";
    std::set<std::u16string> files;
    bool newer = true;
    bool spoolssPresent = true;
    std::vector<std::string> events;
    std::u16string windowsDirectory() const override { return windows; }
    std::u16string appDataDirectory() const override { return appData; }
    std::u16string pluginFolder() const override { return plugin; }
    bool fileExists(std::u16string_view path) const override { return files.count(std::u16string(path)) != 0; }
    bool newerOs() const override { return newer; }
    std::optional<void*> revertToSpooler() override {
        if (!spoolssPresent) return std::nullopt;
        events.push_back("revert");
        return reinterpret_cast<void*>(0x77);
    }
    void impersonateClient(void* token) override {
        events.push_back(token == reinterpret_cast<void*>(0x77) ? "impersonate" : "impersonate (wrong token)");
    }
};

// The two option-query libraries as functions of this process; their
// answers and what they were handed live here, reset by each test.
struct FakeOptionLibraries {
    int isValidPort = 1, capability = 1, readFlags = 1, dataFileName = 1, usb1 = 1, usb2 = 1;
    std::string dataFile = "C:\\net\\options.dat";
    std::vector<std::string> calls;
    std::uint32_t lastFlags = 0;
    void* lastWindow = nullptr;

    static FakeOptionLibraries& current() {
        static FakeOptionLibraries libs;
        return libs;
    }
    static int IsValidPort(const char* p) { return log("IsValidPort", p), current().isValidPort; }
    static int GetNetextCapability(const char* p) { return log("GetNetextCapability", p), current().capability; }
    static int ReadPrinterOptionFlag32(const char* p, void* window, int, int, std::uint32_t flags) {
        log("ReadPrinterOptionFlag32", p);
        current().lastFlags = flags;
        current().lastWindow = window;
        return current().readFlags;
    }
    static int GetDataFileName(const char* p, char* buffer, std::uint32_t size) {
        log("GetDataFileName", p);
        if (!current().dataFileName) return 0;
        std::snprintf(buffer, size, "%s", current().dataFile.c_str());
        return 1;
    }
    static int ReadPrinterOptionUSB(const char* p) { return log("ReadPrinterOptionUSB", p), current().usb1; }
    static int ReadPrinterOptionUSB2(const char* p) { return log("ReadPrinterOptionUSB2", p), current().usb2; }
    static void log(const char* f, const char* p) { current().calls.push_back(std::string(f) + " " + p); }

    static FakeLibraryLoader::Exports network() {
        return {{"IsValidPort", reinterpret_cast<void*>(&IsValidPort)},
                {"GetNetextCapability", reinterpret_cast<void*>(&GetNetextCapability)},
                {"ReadPrinterOptionFlag32", reinterpret_cast<void*>(&ReadPrinterOptionFlag32)},
                {"GetDataFileName", reinterpret_cast<void*>(&GetDataFileName)}};
    }
    static FakeLibraryLoader::Exports usb() {
        return {{"ReadPrinterOptionUSB", reinterpret_cast<void*>(&ReadPrinterOptionUSB)},
                {"ReadPrinterOptionUSB2", reinterpret_cast<void*>(&ReadPrinterOptionUSB2)}};
    }
};

// The bindings and the fakes must agree on the exports' types.
static_assert(std::is_same_v<decltype(&FakeOptionLibraries::ReadPrinterOptionFlag32),
                             options::ReadPrinterOptionFlag32Fn>);
static_assert(std::is_same_v<decltype(&FakeOptionLibraries::GetDataFileName), options::GetDataFileNameFn>);

// The installer's ports over the fakes, for tests of code that takes them.
struct FakeInstallerPorts {
    FakePrinterAdmin admin;
    FakeSpooler spooler;
    FakeProfile profile;
    FakeLibraryLoader loader;
    FakeCodePage codePage;
    FakeFileSecurity security;
    FakeDriverRegistry registry;
    FakeSystem system;
    ui::InstallerPorts ports{admin, spooler, profile, loader, codePage, security, registry, system};
};

}  // namespace wren::test
