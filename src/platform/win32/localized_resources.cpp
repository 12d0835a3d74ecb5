#include "platform/win32/localized_resources.h"

#include <span>
#include <vector>

#include "platform/win32/com_boundary.h"
#include "platform/win32/wide_text.h"
#include "ui/dialogs/dialog_language.h"
#include "ui/dialogs/string_block.h"

namespace wren::ui {
namespace {

// The enumeration calls this through C: a failed push stops it (FALSE)
// instead of unwinding through the system.
BOOL CALLBACK collectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) noexcept {
    return win32::win32Guarded<BOOL>(FALSE, [&] {
        reinterpret_cast<std::vector<std::uint16_t>*>(param)->push_back(language);
        return TRUE;
    });
}

// The resource's bytes, or an empty span when any step fails.
std::span<const std::byte> resourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    HRSRC found = FindResourceExW(module, type, name, language);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);  // module memory: nothing to free
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::byte*>(data), SizeofResource(module, found)};
}

}  // namespace

const DLGTEMPLATE* FindLocalizedTemplate(HMODULE module, int templateId) {
    std::vector<std::uint16_t> languages;
    EnumResourceLanguagesW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(templateId), collectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    const std::uint16_t language = FindBestDialogLanguage(languages, GetUserDefaultLangID());
    if (language == 0) return nullptr;
    auto bytes = resourceBytes(module, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(templateId), language);
    return bytes.empty() ? nullptr : reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
}

INT_PTR ShowLocalizedDialog(HMODULE module, int templateId, HWND owner, DLGPROC procedure, LPARAM parameter) {
    if (const DLGTEMPLATE* localized = FindLocalizedTemplate(module, templateId))
        return DialogBoxIndirectParamW(module, localized, owner, procedure, parameter);
    return DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), owner, procedure, parameter);
}

std::u16string LoadLocalizedString(HMODULE module, int id, std::size_t capacity) {
    if (id < 0 || capacity == 0) return {};
    const unsigned stringId = static_cast<unsigned>(id);
    auto bytes = resourceBytes(module, MAKEINTRESOURCEW(6) /* RT_STRING */,
                               MAKEINTRESOURCEW(StringBlockId(stringId)), GetUserDefaultLangID());
    if (!bytes.empty()) {
        // The block exists in the user's language: its entry is the answer,
        // even an empty one.
        std::span<const char16_t> block(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
        return StringFromBlock(block, stringId, capacity).value_or(std::u16string());
    }
    std::vector<wchar_t> buffer(capacity, L'\0');
    const int n = LoadStringW(module, stringId, buffer.data(), static_cast<int>(capacity));
    return n > 0 ? win32::fromWide(buffer.data(), static_cast<std::size_t>(n)) : std::u16string();
}

}  // namespace wren::ui
