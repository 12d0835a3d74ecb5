// Stand-in for the printer family's user-authentication library ("UA_DLL").
// It asks nobody: the values a user would enter come from zeuauth.ini beside it.
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "common/family/family_exports.h"
#include "stand_in_config.h"

using namespace wren::family;
using wren::stand_in::Config;
using wren::stand_in::LogLine;

namespace {

// The block the plug-ins hand over: it starts at uaEnabled of their private
// settings record and may lie at any alignment, hence packed.
#pragma pack(push, 1)
struct UserAuthBlock {
    std::uint32_t enabled;
    char text1[257];
    char text2[67];
    std::uint32_t valid;
    std::uint32_t layout;
    std::uint32_t value1;
    std::uint32_t value2;
    std::uint32_t kind;
    std::uint8_t rest[kUserAuthBlockSize - 348];
};
#pragma pack(pop)
static_assert(sizeof(UserAuthBlock) == kUserAuthBlockSize);
static_assert(offsetof(UserAuthBlock, text1) == 4 && offsetof(UserAuthBlock, text2) == 261);
static_assert(offsetof(UserAuthBlock, valid) == 328 && offsetof(UserAuthBlock, layout) == 332);
static_assert(offsetof(UserAuthBlock, value1) == 336 && offsetof(UserAuthBlock, value2) == 340);
static_assert(offsetof(UserAuthBlock, kind) == 344);

template <std::size_t N>
void setText(char (&field)[N], const std::string& value) {
    std::memset(field, 0, N);
    std::memcpy(field, value.data(), value.size() < N ? value.size() : N - 1);
}

// Writes the block from `section`. With `defaults` every field is written, the
// absent keys giving the values a fresh record holds; without, only the keys
// that are set change their field.
void apply(const Config& config, const wchar_t* section, UserAuthBlock& block, bool defaults) {
    auto number = [&](const wchar_t* key, std::uint32_t& field, std::uint32_t fallback) {
        if (auto v = config.integerIfSet(section, key)) field = std::uint32_t(*v);
        else if (defaults) field = fallback;
    };
    auto text = [&](const wchar_t* key, auto& field) {
        if (auto v = config.textIfSet(section, key)) setText(field, *v);
        else if (defaults) setText(field, {});
    };
    number(L"Enabled", block.enabled, 0);
    text(L"Text1", block.text1);
    text(L"Text2", block.text2);
    number(L"Valid", block.valid, 3);
    number(L"Layout", block.layout, 4);
    number(L"Value1", block.value1, 0);
    number(L"Value2", block.value2, 0);
    number(L"Kind", block.kind, 0);
}

LogLine& describe(LogLine& line, const UserAuthBlock* block) {
    if (!block) return line.pointer("block", nullptr);
    return line.number("enabled", block->enabled).text("text1", block->text1, sizeof block->text1)
        .text("text2", block->text2, sizeof block->text2).number("valid", block->valid)
        .number("value2", block->value2).number("kind", block->kind);
}

}  // namespace

extern "C" {

int WREN_FAMILY_CALL ZEUA_GetDefaultSettingEx(int three, const char* capabilityFile, const char* driverName,
                                              void* userAuthBlock) {
    Config config;
    LogLine("ZEUA_GetDefaultSettingEx").number("three", three).text("capabilityFile", capabilityFile)
        .text("driverName", driverName).pointer("block", userAuthBlock).write(config);
    const wchar_t* section = L"GetDefaultSettingEx";
    int result = int(config.integer(section, L"Result", 1));
    if (three != 3 || !userAuthBlock) return 0;
    if (config.integer(section, L"Fill", 1))
        apply(config, section, *static_cast<UserAuthBlock*>(userAuthBlock), true);
    return result;
}

int WREN_FAMILY_CALL ZEUA_DispUserAuthUIEx(int three, void* ownerWindow, const char* capabilityFile,
                                           const char* printerName, void* userAuthBlock) {
    Config config;
    auto* block = static_cast<UserAuthBlock*>(userAuthBlock);
    LogLine line("ZEUA_DispUserAuthUIEx");
    line.number("three", three).pointer("owner", ownerWindow).text("capabilityFile", capabilityFile)
        .text("printerName", printerName);
    describe(line, block).write(config);
    const wchar_t* section = L"DispUserAuthUIEx";
    int result = int(config.integer(section, L"Result", 1));
    if (three != 3 || !block || result == 0) return 0;
    apply(config, section, *block, false);
    return result;
}

// The rendering plug-in only looks this export up; a caller gets "no UI here".
int WREN_FAMILY_CALL ZEUA_DispUserAuthUI() {
    Config config;
    LogLine("ZEUA_DispUserAuthUI").write(config);
    return int(config.integer(L"DispUserAuthUI", L"Result", 0));
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&ZEUA_GetDefaultSettingEx), UaGetDefaultSettingExFn>);
static_assert(std::is_same_v<decltype(&ZEUA_DispUserAuthUIEx), UaDispUserAuthUIExFn>);
static_assert(std::is_same_v<decltype(&ZEUA_DispUserAuthUI), UaDispUserAuthUIFn>);
