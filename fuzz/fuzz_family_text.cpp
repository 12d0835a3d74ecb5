// The family bindings' text conversions with scripted library answers: the
// stand-in libraries fill whatever buffer they get with the input's bytes,
// without terminators, and answer sizes of their own choosing. Every text
// the bindings hand back must stay within the buffer it came from (ASan
// checks the reads; the sizes are checked here), and every text they hand
// to a library must be terminated within its bound.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/family/family_libraries.h"
#include "common/settings/private_record.h"
#include "common/settings/record_text.h"
#include "fakes.h"

using namespace wren;

namespace {

// The input read as a script: each call takes the bytes it needs; an
// exhausted script answers zeros.
struct Script {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::uint8_t byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    std::uint32_t word() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
        return v;
    }
    void fill(void* buffer, std::size_t bytes) {
        auto* out = static_cast<std::uint8_t*>(buffer);
        for (std::size_t i = 0; i < bytes; ++i) out[i] = byte();
    }
    // A size answer: mostly near the buffer, sometimes anything at all.
    std::uint32_t sizeAnswer(std::uint32_t buffer) {
        const std::uint8_t kind = byte();
        if (kind < 0x40) return buffer;
        if (kind < 0x80) return buffer + (kind & 0x0F);
        if (kind < 0xC0) return kind & 0x3F;
        return word();
    }
};
Script gScript;

[[noreturn]] void fail(const char* why) {
    std::fprintf(stderr, "family text: %s\n", why);
    std::abort();
}

// A text the bindings pass must end within `bound` bytes.
void terminatedWithin(const char* text, std::size_t bound) {
    if (!text) fail("null text");
    if (::strnlen(text, bound) == bound) fail("text not terminated within its bound");
}

int WREN_FAMILY_CALL decrypt(const std::uint8_t*, std::uint32_t, char* out, std::uint32_t* size) {
    gScript.fill(out, *size);
    *size = gScript.sizeAnswer(*size);
    return gScript.byte() & 1;
}
int WREN_FAMILY_CALL encrypt(const char* plain, std::uint32_t length, std::uint8_t* out, std::uint32_t* size) {
    if (std::strlen(plain) != length) fail("password length differs from its text");
    gScript.fill(out, *size);
    *size = gScript.sizeAnswer(*size);
    return 1;
}
int WREN_FAMILY_CALL askPassword(char* buffer33) {
    gScript.fill(buffer33, 33);
    return 1;
}
int WREN_FAMILY_CALL uaDefaults(int, const char* capability, const char* driver, void* block) {
    terminatedWithin(capability, 261);
    terminatedWithin(driver, 261);
    gScript.fill(block, family::kUserAuthBlockSize);
    return 1;
}
int WREN_FAMILY_CALL uaDialog(int, void*, const char* capability, const char* printer, void* block) {
    terminatedWithin(capability, 261);
    terminatedWithin(printer, 261);
    gScript.fill(block, family::kUserAuthBlockSize);
    return gScript.byte() & 1;
}
int WREN_FAMILY_CALL queryCard(const char* driver, const char* capability) {
    terminatedWithin(driver, 221);
    terminatedWithin(capability, 261);
    return gScript.byte() & 1;
}
int WREN_FAMILY_CALL cardData(const char* driver, const char* capability, std::uint8_t* buffer,
                              std::uint32_t* size) {
    terminatedWithin(driver, 221);
    terminatedWithin(capability, 261);
    gScript.fill(buffer, *size);
    *size = gScript.sizeAnswer(*size);
    return gScript.byte() & 1;
}
int WREN_FAMILY_CALL printingApplication(int, char* buffer120, std::uint32_t* size) {
    if (*size != 120) fail("application buffer of another size");
    gScript.fill(buffer120, 120);
    return 1;
}

std::u16string wideText(std::size_t maxChars) {
    std::u16string text;
    const std::size_t n = gScript.byte() % (maxChars + 1);
    for (std::size_t i = 0; i < n; ++i) text.push_back(static_cast<char16_t>(gScript.byte() | (gScript.byte() << 8)));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gScript = Script{data, size};
    test::FakeLibraryLoader loader;
    loader.libraries[u"family"] = {
        {"DecryptPassword", test::exportOf(&decrypt)},
        {"EncryptPassword", test::exportOf(&encrypt)},
        {"DispPasswordUI", test::exportOf(&askPassword)},
        {"ZEUA_GetDefaultSettingEx", test::exportOf(&uaDefaults)},
        {"ZEUA_DispUserAuthUIEx", test::exportOf(&uaDialog)},
        {"QueryCardDriver", test::exportOf(&queryCard)},
        {"GetCardData", test::exportOf(&cardData)},
        {"GetPrintingApplication", test::exportOf(&printingApplication)},
    };
    test::FakeCodePage codePage;
    const std::u16string capability = wideText(300);
    const std::u16string driver = wideText(300);

    CipherLibrary cipher(loader.load(u"family"));
    const std::uint32_t outSize = 1 + gScript.byte() % 300;
    std::uint8_t stored[16] = {};
    gScript.fill(stored, sizeof stored);
    if (auto plain = cipher.decryptPassword(stored, sizeof stored, outSize); plain && plain->size() > outSize)
        fail("decrypted password longer than its buffer");
    if (auto typed = cipher.askPassword(); !typed || typed->size() > 33) fail("typed password beyond its buffer");
    std::string plain(gScript.byte() % 64, 'p');
    if (auto sealed = cipher.encryptPassword(plain); !sealed || sealed->size() > 255)
        fail("encrypted password longer than its buffer");

    // The authentication library writes the record's block in one piece.
    UserAuthLibrary userAuth(loader.load(u"family"));
    PrivateRecord record{};
    userAuth.defaultSettings(codePage, capability, driver, &record.uaEnabled);
    userAuth.showUserAuthDialog(codePage, nullptr, capability, driver, &record.uaEnabled);
    if (readField(record.uaText1).size() > sizeof record.uaText1 || readField(record.uaText2).size() > sizeof record.uaText2)
        fail("authentication text beyond its field");

    IcCardLibrary card(loader.load(u"family"));
    card.cardDriverPresent(codePage, driver, capability);
    const std::uint32_t bufferSize = gScript.byte() * 4;
    if (auto bytes = card.cardData(codePage, driver, capability, bufferSize); bytes && bytes->size() > bufferSize)
        fail("card data beyond its buffer");

    JobInfoLibrary jobInfo(loader.load(u"family"));
    std::string alternative;
    auto application = jobInfo.printingApplication(&alternative);
    if (!application || application->size() > 60 || alternative.size() > 60) fail("application name beyond its half");
    return 0;
}
