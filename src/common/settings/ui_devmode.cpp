#include "common/settings/ui_devmode.h"

#include "common/config/driver_config.h"
#include "common/family/family_libraries.h"
#include "common/settings/compression.h"
#include "common/settings/devmode_dispatch.h"
#include "common/settings/record_copy.h"
#include "common/settings/record_text.h"

namespace wren {
namespace {

// wrenui reads OEMConfigFile1 into 64 characters.
constexpr std::size_t kUiOemConfigChars = 64;
// The driver directory is asked for with a 260-byte buffer.
constexpr std::size_t kDriverDirectoryBytes = 260;

void writePerDocumentDefaults(PrivateRecord& r) {
    r.oemItemValue = 0;
    r.overlayIds[0] = 255;
    r.reserved1 = 0;
    r.outputPaperSize = 9;
    r.documentPaperSize = 9;
    r.jobName[0] = u'\0';
    r.password[0] = u'\0';
    r.askAtPrint = 0;
    r.colorRatioA = 10000;
    r.colorRatioB = 10000;
    r.watermarkIndex = 0;
    r.ccmSetting = 0;
    r.gammaSettingId = 0;
    r.gammaOn = 0;
    // Only the low byte of each table count is reset.
    r.ccmTableNtCount = static_cast<std::uint16_t>(r.ccmTableNtCount & 0xFF00);
    r.ccmTableNvCount = static_cast<std::uint16_t>(r.ccmTableNvCount & 0xFF00);
    r.nupCode = 0;
    r.finishingPaperSize = 0;
    r.finishingLayoutKey = 0;
    r.orientation = 0;
    r.reserved7 = 0;
    r.fitToPaper = 0;
    r.documentPaperWidth = 2100;
    r.reserved4 = 1;
    r.outputPaperIndex = 100;
    r.documentPaperLength = 2970;
    r.fitScale = 1000;
    r.rotateSortCopy = 0;
    r.collateCopy = 0;
}

void writeCorrectionDefaults(PrivateRecord& r) {
    for (int i = 0; i < 5; ++i) {
        r.duplexScaleX[i] = 10000;
        r.duplexScaleY[i] = 10000;
        r.duplexOffsetX[i] = 0;
        r.duplexOffsetY[i] = 0;
        r.duplexAdjust[i] = 0;
    }
    r.whiteAdjust = 100;
    r.duplexCorrectionOn = 0;
    r.reserved11 = 1;
    r.noSpecialColorSpace = 1;
}

// Locates the configuration files; the plug-in INI path goes into the record
// when one was found, and whiteAdjustBlack follows its "1PassSeries".
void locateFiles(PrivateRecord& r, const DriverConfig& config, const SettingsEnvironment& env) {
    env.capabilityFilePath.clear();
    ConfigFiles files = config.locate(kUiOemConfigChars);
    env.capabilityFilePath = files.capabilityFile;
    if (files.pluginIni) writeField(r.pluginIniPath, *files.pluginIni);
    std::u16string ini = readField(r.pluginIniPath);
    int onePass = ini.empty() ? 0 : env.profile.readInt(ini, u"SpecialKey", u"1PassSeries", 0);
    r.whiteAdjustBlack = onePass == 1 ? 1 : 0;
}

void resetCarriedFields(PrivateRecord& r) {
    r.cartridgeOff = 0;
    r.reserved8 = 0;
    r.reservedText3[0] = '\0';
    r.reservedText4[0] = '\0';
}

void askUserAuthDefaults(PrivateRecord& r, const DriverConfig& config, const SettingsEnvironment& env) {
    const std::optional<std::u16string>& driver = config.driverName();
    if (!driver) return;
    UserAuthLibrary library(loadFamilyLibrary(config, env.loader, env.capabilityFilePath, kUserAuthKey));
    if (!library.loaded()) return;
    r.uaEnabled = 0;
    r.uaText1[0] = '\0';
    r.uaText2[0] = '\0';
    r.uaValid = 3;
    r.uaValue1 = 0;
    r.uaValue2 = 0;
    r.uaKind = 0;
    library.defaultSettings(env.codePage, env.capabilityFilePath, *driver, &r.uaEnabled);
    r.uaLayout = 4;
}

void askCipherDefaults(PrivateRecord& r, const DriverConfig& config, const SettingsEnvironment& env) {
    CipherLibrary library(loadFamilyLibrary(config, env.loader, env.capabilityFilePath, kCipherKey));
    std::optional<family::CipherSettings> defaults = library.defaultSettings();
    if (!defaults) return;
    r.cryptPasswordLength = 0;
    r.cryptPassword[0] = 0;
    r.cryptMode = defaults->mode;
    r.cryptStrength = defaults->strength;
    r.cryptTimeLimit = defaults->keepingTime;
    r.cryptOption = defaults->option;
}

}  // namespace

void uiDefaults(PrivateRecord& r, PrinterHandle printer, const SettingsEnvironment& env) {
    DriverConfig config(env.spooler, env.profile, printer);
    writeHeader(r);
    writePerDocumentDefaults(r);
    writeCorrectionDefaults(r);
    locateFiles(r, config, env);
    resetCarriedFields(r);
    askUserAuthDefaults(r, config, env);
    writeField(r.driverDirectory, env.spooler.printerDriverDirectory(kDriverDirectoryBytes).value_or(u""));
    askCipherDefaults(r, config, env);
    writeField(r.capabilityFilePath, env.capabilityFilePath);
    r.compressionLevel = compressionLevelFor(config.modelInt(env.capabilityFilePath, u"Compression", 0));
}

void uiConvert(const PrivateRecord* in, PrivateRecord* out, PrinterHandle printer, const SettingsEnvironment& env) {
    if (!in || !out) return;
    DriverConfig config(env.spooler, env.profile, printer);
    const std::uint32_t inSignature = in->dwSignature;
    writePerDocumentDefaults(*out);
    if (inSignature != out->dwSignature) {
        // A foreign record: rebuild what the plug-ins rely on and read nothing of it.
        writeHeader(*out);
        out->reserved2 = 0;
        writeCorrectionDefaults(*out);
        locateFiles(*out, config, env);
        out->cartridgeOff = 0;
        askCipherDefaults(*out, config, env);
        return;
    }
    writeCorrectionDefaults(*out);
    locateFiles(*out, config, env);
    resetCarriedFields(*out);
    askUserAuthDefaults(*out, config, env);
    askCipherDefaults(*out, config, env);
    copyRecordPrefix(*in, *out);
    out->dwSize = kRecordSize;
    out->dwVersion = kRecordVersion;
}

void uiMerge(const PrivateRecord* in, PrivateRecord* out, PrinterHandle printer, const SettingsEnvironment& env) {
    uiConvert(in, out, printer, env);
    if (!out) return;
    writeHeader(*out);
    if (static_cast<std::int32_t>(out->oemItemValue) > 100) out->oemItemValue = 0;
}

DevModeStatus uiDevMode(std::uint32_t mode, const DevModeRequest* request, const SettingsEnvironment& env) {
    struct Operations : DevModeOperations {
        explicit Operations(const SettingsEnvironment& e) : env(e) {}
        void defaults(PrivateRecord* out, const DevModeRequest& request) override {
            if (out) uiDefaults(*out, request.printer, env);
        }
        void convert(PrivateRecord* in, PrivateRecord* out, const DevModeRequest& request) override {
            uiConvert(in, out, request.printer, env);
        }
        void merge(PrivateRecord* in, PrivateRecord* out, const DevModeRequest& request) override {
            uiMerge(in, out, request.printer, env);
        }
        const SettingsEnvironment& env;
    } operations(env);
    return dispatchDevMode(mode, request, operations);
}

}  // namespace wren
