// Typed bindings of the printer family's four libraries. Each binding owns
// its loaded library for one use and unloads it when it goes out of scope.
// An empty key, a library that does not load and a missing export all read
// as "absent": the call answers nothing and the caller's data stays as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/config/driver_config.h"
#include "common/family/family_exports.h"
#include "platform/codepage.h"
#include "platform/library.h"

namespace wren {

// Model-section keys that name the libraries.
inline constexpr std::u16string_view kCipherKey = u"CryptoDll";
inline constexpr std::u16string_view kUserAuthKey = u"UA_DLL";
inline constexpr std::u16string_view kIcCardKey = u"CARD_DLL";
inline constexpr std::u16string_view kJobInfoKey = u"JobInfoDLL";

// Loads the library that `key` of the model section names, from the driver
// directory. Null when the key is empty or the library does not load.
std::unique_ptr<Library> loadFamilyLibrary(const DriverConfig& config, const LibraryLoader& loader,
                                           std::u16string_view capabilityFile, std::u16string_view key,
                                           std::size_t keyChars = kModelKeyChars);

class FamilyLibrary {
public:
    explicit FamilyLibrary(std::unique_ptr<Library> library) : library_(std::move(library)) {}
    bool loaded() const { return library_ != nullptr; }
    bool exports(const char* name) const { return library_ && library_->symbol(name); }

protected:
    template <typename Fn>
    Fn lookup(const char* name) const {
        return library_ ? reinterpret_cast<Fn>(library_->symbol(name)) : nullptr;
    }

private:
    std::unique_ptr<Library> library_;
};

class CipherLibrary : public FamilyLibrary {
public:
    using FamilyLibrary::FamilyLibrary;
    // GetDefaultSetting(settings, 1): the defaults when it answers non-zero.
    std::optional<family::CipherSettings> defaultSettings() const;
    // DispCryptoUIEx: true when the user confirmed the block.
    bool showCryptoDialog(void* owner, family::CipherBlock& block, int mode) const;
    // EncryptPassword with an out buffer of 255 bytes.
    std::optional<std::vector<std::uint8_t>> encryptPassword(std::string_view plain) const;
    // DecryptPassword into `outSize` bytes; the text up to its first NUL.
    std::optional<std::string> decryptPassword(const std::uint8_t* stored, std::uint32_t storedLength,
                                               std::uint32_t outSize) const;
    // DispPasswordUI into a 33-byte buffer.
    std::optional<std::string> askPassword() const;

    // The job encryption calls: 0 is success, out data belongs to the
    // library. InitEncryptionEx2 may be missing; without any of the others
    // (the password calls included) no job is encrypted.
    struct Encryption {
        family::CreateEncryptionFn create = nullptr;
        family::InitEncryptionFn init = nullptr;
        family::InitEncryptionExFn initEx = nullptr;
        family::InitEncryptionEx2Fn initEx2 = nullptr;
        family::UpdateEncryptionFn update = nullptr;
        family::EndEncryptionFn end = nullptr;
        family::DeleteEncryptionFn destroy = nullptr;
        family::DecryptPasswordFn decryptPassword = nullptr;
        family::DispPasswordUIFn askPassword = nullptr;
        bool complete() const {
            return create && init && initEx && update && end && destroy && decryptPassword && askPassword;
        }
    };
    Encryption encryption() const;
};

class UserAuthLibrary : public FamilyLibrary {
public:
    using FamilyLibrary::FamilyLibrary;
    // ZEUA_GetDefaultSettingEx(3, ...): false when the export is missing.
    // Both texts go to the library in the system code page, at most 260 bytes.
    bool defaultSettings(const CodePage& codePage, std::u16string_view capabilityFile,
                         std::u16string_view driverName, void* userAuthBlock) const;
    // ZEUA_DispUserAuthUIEx(3, ...): true when the block was changed.
    bool showUserAuthDialog(const CodePage& codePage, void* owner, std::u16string_view capabilityFile,
                            std::u16string_view printerName, void* userAuthBlock) const;
    // The rendering side treats the library as configured when this is exported.
    bool hasUserAuthDialog() const { return exports("ZEUA_DispUserAuthUI"); }
};

class IcCardLibrary : public FamilyLibrary {
public:
    using FamilyLibrary::FamilyLibrary;
    // QueryCardDriver: true when an IC-card reader driver is present. Like
    // every text for the family's libraries, the names go over in the system
    // code page (driver name at most 220 bytes).
    bool cardDriverPresent(const CodePage& codePage, std::u16string_view driverName,
                           std::u16string_view capabilityFile) const;
    // GetCardData into `bufferSize` bytes; the data when it answers non-zero.
    std::optional<std::vector<std::uint8_t>> cardData(const CodePage& codePage, std::u16string_view driverName,
                                                      std::u16string_view capabilityFile,
                                                      std::uint32_t bufferSize) const;
};

class JobInfoLibrary : public FamilyLibrary {
public:
    using FamilyLibrary::FamilyLibrary;
    // GetPrintingApplication(0, 120-byte buffer): the application name and
    // the alternative name, 60 bytes each.
    std::optional<std::string> printingApplication(std::string* alternative = nullptr) const;
    family::GetJobInfoCmdFn jobInfoCommand() const { return lookup<family::GetJobInfoCmdFn>("GetJobInfoCmd"); }
    family::GetJobInfoAccessCtrlCmdFn accessControlCommand() const {
        return lookup<family::GetJobInfoAccessCtrlCmdFn>("GetJobInfoAccessCtrlCmd");
    }
};

}  // namespace wren
