// A printer whose driver ships the sample configuration files, with stand-in
// user-authentication and cipher libraries whose answers a test controls.
#pragma once

#include <cstring>
#include <gtest/gtest.h>

#include "common/family/family_exports.h"
#include "common/settings/private_record.h"
#include "common/settings/settings_environment.h"
#include "fakes.h"

namespace wren::test {

struct FamilyAnswers {
    int cipherResult = 1;
    family::CipherSettings cipher{};
    int uaCalls = 0;
    std::string uaCapability, uaDriver;
};
inline FamilyAnswers* gAnswers = nullptr;

inline int WREN_FAMILY_CALL fakeGetDefaultSetting(void* settings, int one) {
    if (one != 1) return 0;
    std::memcpy(settings, &gAnswers->cipher, sizeof gAnswers->cipher);
    return gAnswers->cipherResult;
}
inline int WREN_FAMILY_CALL fakeUaDefaults(int three, const char* cap, const char* driver, void* block) {
    ++gAnswers->uaCalls;
    gAnswers->uaCapability = cap;
    gAnswers->uaDriver = driver;
    auto* enabled = static_cast<std::uint32_t*>(block);
    *enabled = three == 3 ? 1 : 0;
    std::strcpy(static_cast<char*>(block) + 4, "alice");
    return 1;
}

class SettingsFixture : public ::testing::Test {
protected:
    PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x10);
    FakeProfile profile;
    FakeSpooler spooler;
    FakeLibraryLoader loader;
    FakeCodePage codePage;
    std::u16string capabilityPath;
    SettingsEnvironment env{spooler, profile, loader, codePage, capabilityPath};
    FamilyAnswers answers;

    void SetUp() override {
        gAnswers = &answers;
        answers.cipher.mode = 1;
        answers.cipher.strength = 2;
        answers.cipher.option = 1;
        answers.cipher.keepingTime = 0x00030000;
        spooler.printers[printer].dependentFiles =
            FakeSpooler::list({u"C:\\drv\\3\\wrenps.dll", u"C:\\drv\\3\\wren.ini", u"C:\\drv\\3\\wren.cap"});
        profile.addFile(u"C:\\drv\\3\\wren.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n[SpecialKey]\n1PassSeries=1\n");
        setCapability("Compression=0x0500\nUA_DLL=zeuauth.dll\nCryptoDll=zecipher.dll\n");
        loader.libraries[u"C:\\drivers\\x64\\3\\zeuauth.dll"] = {{"ZEUA_GetDefaultSettingEx", exportOf(&fakeUaDefaults)}};
        loader.libraries[u"C:\\drivers\\x64\\3\\zecipher.dll"] = {{"GetDefaultSetting", exportOf(&fakeGetDefaultSetting)}};
    }
    void TearDown() override { gAnswers = nullptr; }

    void setCapability(const std::string& modelKeys) {
        profile.addFile(u"C:\\drv\\3\\wren.cap",
                        "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\n" + modelKeys);
    }

    static PrivateRecord filled(std::uint8_t byte) {
        PrivateRecord r;
        std::memset(&r, byte, sizeof r);
        return r;
    }
};

}  // namespace wren::test
