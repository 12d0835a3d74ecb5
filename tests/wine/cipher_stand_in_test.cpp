// The cipher and IC-card stand-ins as the plug-ins call them: call order and
// arguments, the answers a test steers through their INI files, the variants
// without one export, the stored password, the password dialog.
#include <gtest/gtest.h>

#include <thread>

#include "cipher_stand_in.h"

namespace wren::wine_test {
namespace {

struct Outputs {
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
};

TEST(CipherStandIn, RefusesCallsOutOfOrderOrWithBadKeys) {
    CipherDll dll;
    ASSERT_TRUE(dll.create);
    Outputs o;
    const char byte = 'x';
    family::CipherHandle h = dll.create();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(dll.update(h, &byte, 1, &o.data, &o.size), 2) << "update before init";
    EXPECT_EQ(dll.end(h, &o.data, &o.size), 2) << "end before init";
    auto empty = keyRecord(0, 1, "");
    EXPECT_EQ(dll.init(h, empty.data(), &o.data, &o.size), 1) << "an empty password would seal for anybody";
    auto record = keyRecord(0, 1, "pw");
    EXPECT_EQ(dll.initEx(h, record.data(), 34, &o.data, &o.size), 1) << "more key than the record holds";
    EXPECT_EQ(dll.initEx(h, record.data(), 0, &o.data, &o.size), 1);
    EXPECT_EQ(dll.initEx2(h, 1, record.data(), 2, &o.data, &o.size), 1) << "only version 2";
    EXPECT_EQ(dll.init(h, nullptr, &o.data, &o.size), 1);
    ASSERT_EQ(dll.init(h, record.data(), &o.data, &o.size), 0);
    EXPECT_EQ(o.size, 60u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(o.data), 4), "ZESJ");
    EXPECT_EQ(dll.init(h, record.data(), &o.data, &o.size), 2) << "init twice";
    ASSERT_EQ(dll.update(h, &byte, 0, &o.data, &o.size), 0);
    EXPECT_EQ(o.size, 0u) << "no bytes, no record";
    ASSERT_EQ(dll.update(h, &byte, 1, &o.data, &o.size), 0);
    EXPECT_EQ(o.size, 1u + 4 + 1 + 16);
    ASSERT_EQ(dll.end(h, &o.data, &o.size), 0);
    EXPECT_EQ(o.size, 29u);
    EXPECT_EQ(dll.update(h, &byte, 1, &o.data, &o.size), 2) << "anything after end";
    EXPECT_EQ(dll.end(h, &o.data, &o.size), 2);
    dll.destroy(h);
    dll.destroy(nullptr);
}

TEST(CipherStandIn, TwoJobsUnderOneKeyShareNoBytes) {
    CipherDll dll;
    const std::string plain(3000, 'A');
    const std::string a = sealWithLibrary(dll, "", plain, {1000}, "wren1234");
    const std::string b = sealWithLibrary(dll, "", plain, {1000}, "wren1234");
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b) << "salt and nonce are fresh for every job";
    EXPECT_EQ(a.find(std::string(32, 'A')), std::string::npos);
}

TEST(CipherStandIn, AnswersWhatTheIniFileAsks) {
    struct Case {
        const char* ini;
        int create, init, update1, update2, end;
    } cases[] = {
        {"[Encryption]\r\nFailCreate=1\r\n", 0, -1, -1, -1, -1},
        {"[Encryption]\r\nFailInit=1\r\n", 1, 3, -1, -1, -1},
        {"[Encryption]\r\nFailUpdate=1\r\n", 1, 0, 3, 3, 0},
        {"[Encryption]\r\nFailUpdateCall=2\r\n", 1, 0, 0, 3, 0},
        {"[Encryption]\r\nFailEnd=1\r\n", 1, 0, 0, 0, 3},
    };
    for (const Case& c : cases) {
        StandInIni ini(L"zecipher.ini", c.ini);
        CipherDll dll;
        family::CipherHandle h = dll.create();
        EXPECT_EQ(h != nullptr, c.create == 1) << c.ini;
        if (!h) continue;
        Outputs o;
        auto record = keyRecord(0, 1, "pw");
        EXPECT_EQ(dll.init(h, record.data(), &o.data, &o.size), c.init) << c.ini;
        if (c.init == 0) {
            EXPECT_EQ(dll.update(h, "ab", 2, &o.data, &o.size), c.update1) << c.ini;
            EXPECT_EQ(dll.update(h, "cd", 2, &o.data, &o.size), c.update2) << c.ini;
            EXPECT_EQ(dll.end(h, &o.data, &o.size), c.end) << c.ini;
        }
        dll.destroy(h);
    }
    // Ex and Ex2 fail on their own keys.
    StandInIni ini(L"zecipher.ini", "[Encryption]\r\nFailInitEx=1\r\nFailInitEx2=1\r\n");
    CipherDll dll;
    family::CipherHandle h = dll.create();
    Outputs o;
    auto record = keyRecord(0, 1, "card");
    EXPECT_EQ(dll.initEx(h, record.data(), 4, &o.data, &o.size), 3);
    EXPECT_EQ(dll.initEx2(h, 2, record.data(), 4, &o.data, &o.size), 3);
    EXPECT_EQ(dll.init(h, record.data(), &o.data, &o.size), 0);
    dll.destroy(h);
}

TEST(CipherStandIn, ReportsWrongSizesWhenAsked) {
    StandInIni ini(L"zecipher.ini", "[Encryption]\r\nInitSizeDelta=-60\r\nUpdateSizeDelta=-1\r\nEndSizeDelta=7\r\n");
    CipherDll dll;
    family::CipherHandle h = dll.create();
    Outputs o;
    auto record = keyRecord(0, 1, "pw");
    ASSERT_EQ(dll.init(h, record.data(), &o.data, &o.size), 0);
    EXPECT_EQ(o.size, 0u);
    ASSERT_EQ(dll.update(h, "abc", 3, &o.data, &o.size), 0);
    EXPECT_EQ(o.size, 3u + 21 - 1);
    ASSERT_EQ(dll.end(h, &o.data, &o.size), 0);
    ASSERT_EQ(o.size, 29u + 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(o.data) + 29, 7), std::string(7, '\0'))
        << "the bytes behind a size too large are the library's own";
    dll.destroy(h);
}

TEST(CipherStandIn, EachVariantLacksExactlyItsExport) {
    const char* all[] = {"GetDefaultSetting", "DispCryptoUIEx", "EncryptPassword", "DecryptPassword",
                         "DispPasswordUI", "CreateEncryption", "InitEncryption", "InitEncryptionEx",
                         "InitEncryptionEx2", "UpdateEncryption", "EndEncryption", "DeleteEncryption"};
    const std::pair<const wchar_t*, const char*> variants[] = {
        {L"zecipher.dll", nullptr},
        {L"zecipher_noex2.dll", "InitEncryptionEx2"},
        {L"zecipher_noex.dll", "InitEncryptionEx"},
        {L"zecipher_nocreate.dll", "CreateEncryption"},
        {L"zecipher_noinit.dll", "InitEncryption"},
        {L"zecipher_noupdate.dll", "UpdateEncryption"},
        {L"zecipher_noend.dll", "EndEncryption"},
        {L"zecipher_nodelete.dll", "DeleteEncryption"},
        {L"zecipher_nodecrypt.dll", "DecryptPassword"},
        {L"zecipher_nopasswordui.dll", "DispPasswordUI"},
    };
    for (const auto& [file, missing] : variants) {
        CipherDll dll(file);
        ASSERT_NE(dll.module(), nullptr) << text(reinterpret_cast<const char16_t*>(file));
        for (const char* name : all) {
            const bool expected = !missing || std::string_view(name) != missing;
            EXPECT_EQ(GetProcAddress(dll.module(), name) != nullptr, expected) << name;
        }
    }
}

TEST(CipherStandIn, StoredPasswordsOpenAgainButAreNotPlainText) {
    CipherDll dll;
    std::uint8_t stored[255] = {};
    std::uint32_t length = sizeof stored;
    ASSERT_EQ(dll.encryptPassword("wren1234", 8, stored, &length), 1);
    const std::string bytes(reinterpret_cast<const char*>(stored), length);
    EXPECT_EQ(bytes.find("wren"), std::string::npos);
    std::uint8_t again[255] = {};
    std::uint32_t againLength = sizeof again;
    ASSERT_EQ(dll.encryptPassword("wren1234", 8, again, &againLength), 1);
    EXPECT_NE(bytes, std::string(reinterpret_cast<const char*>(again), againLength));

    for (std::uint32_t size : {33u, 13u}) {  // the rendering plug-in, the job options page
        char plain[33] = {};
        std::uint32_t n = size;
        ASSERT_EQ(dll.decryptPassword(stored, length, plain, &n), 1) << size;
        EXPECT_STREQ(plain, "wren1234");
        EXPECT_EQ(n, 8u);
    }
    char plain[33] = "untouched";
    std::uint32_t n = 8;
    EXPECT_EQ(dll.decryptPassword(stored, length, plain, &n), 0) << "the text and its NUL must fit";
    n = 33;
    stored[length / 2] ^= 1;
    EXPECT_EQ(dll.decryptPassword(stored, length, plain, &n), 0) << "an altered stored password does not open";
    n = 33;
    ASSERT_EQ(dll.decryptPassword(stored, 0, plain, &n), 1) << "nothing stored: no password";
    EXPECT_EQ(plain[0], 0);
    length = 20;
    EXPECT_EQ(dll.encryptPassword("wren1234", 8, stored, &length), 0) << "does not fit the caller's buffer";
}

TEST(CipherStandIn, PasswordPromptAnswersFromTheIniFile) {
    StandInIni ini(L"zecipher.ini", "[DispPasswordUI]\r\nPassword=typed-in-ini\r\n");
    CipherDll dll;
    char buffer[33];
    std::memset(buffer, 'z', sizeof buffer);
    EXPECT_EQ(dll.passwordUi(buffer), 1);
    EXPECT_STREQ(buffer, "typed-in-ini");
}

// Without an answer in the INI file the library asks in its own dialog; a
// second thread plays the user.
TEST(CipherStandIn, PasswordPromptIsARealDialog) {
    if (!GetEnvironmentVariableW(L"DISPLAY", nullptr, 0)) GTEST_SKIP() << "no display";
    CipherDll dll;
    for (bool confirm : {true, false}) {
        std::thread user([confirm] {
            for (int i = 0; i < 200; ++i) {
                // The window exists before its controls do: wait until the
                // field takes the text.
                HWND dialog = FindWindowW(L"#32770", L"Encrypted Secure Print");
                wchar_t typed[32] = {};
                if (dialog && IsWindowVisible(dialog) && SetDlgItemTextW(dialog, 101, L"typed-by-user") &&
                    GetDlgItemTextW(dialog, 101, typed, 32) && std::wstring_view(typed) == L"typed-by-user") {
                    PostMessageW(dialog, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
                    return;
                }
                Sleep(50);
            }
        });
        char buffer[33];
        std::memset(buffer, 'z', sizeof buffer);
        const int result = dll.passwordUi(buffer);
        user.join();
        EXPECT_EQ(result, confirm ? 1 : 0);
        EXPECT_STREQ(buffer, confirm ? "typed-by-user" : "") << "cancel leaves no password";
    }
}

TEST(IcCardStandIn, GivesTheCardDataTheIniFileHolds) {
    HMODULE module = LoadLibraryW((standInFolder() + L"zeiccard.dll").c_str());
    ASSERT_NE(module, nullptr);
    auto getCardData = exportOf<family::GetCardDataFn>(module, "GetCardData");
    ASSERT_NE(getCardData, nullptr);
    struct Case {
        const char* ini;
        int result;
        std::string data;
    } cases[] = {
        {"", 1, "ZE-CARD-0001"},
        {"[GetCardData]\r\nDataHex=00 01 fe ff\r\n", 1, std::string("\x00\x01\xFE\xFF", 4)},
        {"[GetCardData]\r\nData=card-text\r\n", 1, "card-text"},
        {"[GetCardData]\r\nResult=0\r\n", 0, ""},
        {"[GetCardData]\r\nDataHex=ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABCD\r\n", 0, ""},
    };
    for (const Case& c : cases) {
        StandInIni ini(L"zeiccard.ini", c.ini);
        std::uint8_t buffer[33];
        std::memset(buffer, 0xAA, sizeof buffer);
        std::uint32_t size = 33;
        EXPECT_EQ(getCardData("Wren ZE Colour PS", "wren.cap", buffer, &size), c.result) << c.ini;
        if (c.result) {
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer), size), c.data) << c.ini;
        } else {
            EXPECT_EQ(size, 33u) << "a failed call leaves the size alone";
            EXPECT_EQ(buffer[0], 0xAA) << "and the buffer";
        }
    }
    FreeLibrary(module);
}

}  // namespace
}  // namespace wren::wine_test
