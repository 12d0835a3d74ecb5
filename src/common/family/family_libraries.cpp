#include "common/family/family_libraries.h"

#include <cstring>

namespace wren {
namespace {

std::string upToNul(const char* text, std::size_t size) {
    std::size_t n = 0;
    while (n < size && text[n] != '\0') ++n;
    return std::string(text, n);
}

}  // namespace

std::unique_ptr<Library> loadFamilyLibrary(const DriverConfig& config, const LibraryLoader& loader,
                                           std::u16string_view capabilityFile, std::u16string_view key,
                                           std::size_t keyChars) {
    std::u16string name = config.modelKey(capabilityFile, key, keyChars);
    if (name.empty()) return nullptr;
    return loader.load(config.driverFilePath(name));
}

std::optional<family::CipherSettings> CipherLibrary::defaultSettings() const {
    auto fn = lookup<family::GetDefaultSettingFn>("GetDefaultSetting");
    if (!fn) return std::nullopt;
    family::CipherSettings settings{};
    if (fn(&settings, 1) == 0) return std::nullopt;
    return settings;
}

bool CipherLibrary::showCryptoDialog(void* owner, family::CipherBlock& block, int mode) const {
    auto fn = lookup<family::DispCryptoUIExFn>("DispCryptoUIEx");
    return fn && fn(owner, &block, mode) != 0;
}

std::optional<std::vector<std::uint8_t>> CipherLibrary::encryptPassword(std::string_view plain) const {
    auto fn = lookup<family::EncryptPasswordFn>("EncryptPassword");
    if (!fn) return std::nullopt;
    std::string text(plain);
    std::vector<std::uint8_t> out(255);
    std::uint32_t length = 255;
    fn(text.c_str(), static_cast<std::uint32_t>(text.size()), out.data(), &length);
    out.resize(length < out.size() ? length : out.size());
    return out;
}

std::optional<std::string> CipherLibrary::decryptPassword(const std::uint8_t* stored, std::uint32_t storedLength,
                                                          std::uint32_t outSize) const {
    auto fn = lookup<family::DecryptPasswordFn>("DecryptPassword");
    if (!fn || outSize == 0) return std::nullopt;
    std::vector<char> out(outSize, '\0');
    std::uint32_t size = outSize;
    if (fn(stored, storedLength, out.data(), &size) == 0) return std::nullopt;
    return upToNul(out.data(), out.size());
}

std::optional<std::string> CipherLibrary::askPassword() const {
    auto fn = lookup<family::DispPasswordUIFn>("DispPasswordUI");
    if (!fn) return std::nullopt;
    char buffer[33] = {};
    fn(buffer);
    return upToNul(buffer, sizeof buffer);
}

CipherLibrary::Encryption CipherLibrary::encryption() const {
    Encryption e;
    e.create = lookup<family::CreateEncryptionFn>("CreateEncryption");
    e.init = lookup<family::InitEncryptionFn>("InitEncryption");
    e.initEx = lookup<family::InitEncryptionExFn>("InitEncryptionEx");
    e.initEx2 = lookup<family::InitEncryptionEx2Fn>("InitEncryptionEx2");
    e.update = lookup<family::UpdateEncryptionFn>("UpdateEncryption");
    e.end = lookup<family::EndEncryptionFn>("EndEncryption");
    e.destroy = lookup<family::DeleteEncryptionFn>("DeleteEncryption");
    e.decryptPassword = lookup<family::DecryptPasswordFn>("DecryptPassword");
    e.askPassword = lookup<family::DispPasswordUIFn>("DispPasswordUI");
    return e;
}

bool UserAuthLibrary::defaultSettings(const CodePage& codePage, std::u16string_view capabilityFile,
                                      std::u16string_view driverName, void* userAuthBlock) const {
    auto fn = lookup<family::UaGetDefaultSettingExFn>("ZEUA_GetDefaultSettingEx");
    if (!fn) return false;
    std::string capability = (codePage.toAnsi(capabilityFile, 261));
    std::string driver = (codePage.toAnsi(driverName, 261));
    fn(3, capability.c_str(), driver.c_str(), userAuthBlock);
    return true;
}

bool UserAuthLibrary::showUserAuthDialog(const CodePage& codePage, void* owner, std::u16string_view capabilityFile,
                                         std::u16string_view printerName, void* userAuthBlock) const {
    auto fn = lookup<family::UaDispUserAuthUIExFn>("ZEUA_DispUserAuthUIEx");
    if (!fn) return false;
    std::string capability = codePage.toAnsi(capabilityFile, 261);
    std::string printer = codePage.toAnsi(printerName, 261);
    return fn(3, owner, capability.c_str(), printer.c_str(), userAuthBlock) != 0;
}

bool IcCardLibrary::cardDriverPresent(const CodePage& codePage, std::u16string_view driverName,
                                      std::u16string_view capabilityFile) const {
    auto fn = lookup<family::QueryCardDriverFn>("QueryCardDriver");
    if (!fn) return false;
    std::string driver = codePage.toAnsi(driverName, 221);
    std::string capability = codePage.toAnsi(capabilityFile, 261);
    return fn(driver.c_str(), capability.c_str()) != 0;
}

std::optional<std::vector<std::uint8_t>> IcCardLibrary::cardData(const CodePage& codePage,
                                                                 std::u16string_view driverName,
                                                                 std::u16string_view capabilityFile,
                                                                 std::uint32_t bufferSize) const {
    auto fn = lookup<family::GetCardDataFn>("GetCardData");
    if (!fn) return std::nullopt;
    std::string driver = codePage.toAnsi(driverName, 221);
    std::string capability = codePage.toAnsi(capabilityFile, 261);
    std::vector<std::uint8_t> buffer(bufferSize, 0);
    std::uint32_t size = bufferSize;
    if (fn(driver.c_str(), capability.c_str(), buffer.data(), &size) == 0) return std::nullopt;
    buffer.resize(size < bufferSize ? size : bufferSize);
    return buffer;
}

std::optional<std::string> JobInfoLibrary::printingApplication(std::string* alternative) const {
    auto fn = lookup<family::GetPrintingApplicationFn>("GetPrintingApplication");
    if (!fn) return std::nullopt;
    char buffer[120] = {};
    std::uint32_t size = sizeof buffer;
    fn(0, buffer, &size);
    if (alternative) *alternative = upToNul(buffer + 60, 60);
    return upToNul(buffer, 60);
}

}  // namespace wren
