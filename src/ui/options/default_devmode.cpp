#include "ui/options/default_devmode.h"

#include <cstring>

#include "common/settings/public_devmode.h"

namespace wren::ui {
namespace {

// dmFields bits of the fields set here: a field is honoured only when its
// bit says it is there.
constexpr std::uint32_t kFieldPaperSize = 0x00000002;
constexpr std::uint32_t kFieldDefaultSource = 0x00000200;
constexpr std::uint32_t kFieldDuplex = 0x00001000;

bool readPublic(const DevModeBytes& bytes, PublicDevmode& out) {
    if (bytes.size() < sizeof(PublicDevmode)) return false;
    std::memcpy(&out, bytes.data(), sizeof out);
    return true;
}

void writePublic(DevModeBytes& bytes, const PublicDevmode& in) { std::memcpy(bytes.data(), &in, sizeof in); }

// Runs as the spooler for as long as it lives.
class SpoolerIdentity {
public:
    explicit SpoolerIdentity(SystemServices& system) : system_(system), token_(system.revertToSpooler()) {}
    ~SpoolerIdentity() {
        if (token_) system_.impersonateClient(*token_);
    }
    SpoolerIdentity(const SpoolerIdentity&) = delete;
    SpoolerIdentity& operator=(const SpoolerIdentity&) = delete;

private:
    SystemServices& system_;
    std::optional<void*> token_;
};

}  // namespace

std::optional<std::u16string> DevModeDeviceName(const DevModeBytes& devMode) {
    PublicDevmode dm;
    if (!readPublic(devMode, dm)) return std::nullopt;
    std::u16string name;
    for (char16_t c : dm.dmDeviceName) {
        if (c == 0) break;
        name.push_back(c);
    }
    return name;
}

bool ApplyModelDefaults(DevModeBytes& devMode, const ModelDevModeDefaults& defaults) {
    PublicDevmode dm;
    if (!readPublic(devMode, dm)) return false;
    if (defaults.psOutputOption >= 0 && defaults.psOutputOption <= 3 && devMode.size() > kPsOutputOptionOffset)
        devMode[kPsOutputOptionOffset] = static_cast<std::uint8_t>(defaults.psOutputOption);
    if (defaults.paperSize != 0) {
        dm.dmPaperSize = static_cast<std::int16_t>(defaults.paperSize);
        dm.dmFields |= kFieldPaperSize;
    }
    if (defaults.paperSource != 0) {
        dm.dmDefaultSource = static_cast<std::int16_t>(defaults.paperSource);
        dm.dmFields |= kFieldDefaultSource;
    }
    writePublic(devMode, dm);
    return true;
}

bool SetDuplex(DevModeBytes& devMode, std::int16_t duplex) {
    PublicDevmode dm;
    if (!readPublic(devMode, dm)) return false;
    dm.dmDuplex = duplex;
    dm.dmFields |= kFieldDuplex;
    writePublic(devMode, dm);
    return true;
}

std::optional<DevModeBytes> DefaultDevMode(const OpenedPrinter& printer) {
    for (DevModeSource source : {DevModeSource::GlobalDefault, DevModeSource::PrinterDefault,
                                 DevModeSource::DriverBuilt})
        if (std::optional<DevModeBytes> dm = printer.devMode(source)) return dm;
    return std::nullopt;
}

bool PrepareDefaultDevMode(std::u16string_view printerName, const ModelDevModeDefaults& defaults,
                           InstallerPorts& ports) {
    SpoolerIdentity asSpooler(ports.system);
    std::unique_ptr<OpenedPrinter> printer = ports.printers.open(printerName);
    if (!printer) return false;
    std::optional<DevModeBytes> dm = DefaultDevMode(*printer);
    if (!dm || !ApplyModelDefaults(*dm, defaults)) return false;
    const std::u16string zelopt = ports.system.windowsDirectory() + u"\\" + kZeloptName;
    if (ports.system.fileExists(zelopt)) {
        const std::u16string device = DevModeDeviceName(*dm).value_or(u"");
        if (!device.empty() && ports.profile.readInt(zelopt, device, u"DrvInst_DuplexPrinting", 0) == kDuplexPrinting)
            SetDuplex(*dm, kDuplexPrinting);
    }
    return printer->setDevMode(kGlobalDevModeLevel, *dm);
}

}  // namespace wren::ui
