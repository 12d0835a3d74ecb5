// Dialog templates and strings of the plug-in's own resources in the
// user's language, with the standard loader (the neutral set) as fallback.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "ui/dialogs/ui_strings.h"

namespace wren::ui {

// The template of dialog `templateId` in the language FindBestDialogLanguage
// picks for the user, or null when the standard loader should choose.
// Resource memory lives as long as the module.
const DLGTEMPLATE* FindLocalizedTemplate(HMODULE module, int templateId);

// A modal dialog from the localized template; its EndDialog result.
INT_PTR ShowLocalizedDialog(HMODULE module, int templateId, HWND owner, DLGPROC procedure, LPARAM parameter);

// String `id` from its block in the user's default language; the standard
// LoadStringW when that block is missing. At most capacity - 1 characters;
// an empty or missing entry is an empty text.
std::u16string LoadLocalizedString(HMODULE module, int id, std::size_t capacity);

class Win32Strings final : public UiStrings {
public:
    explicit Win32Strings(HMODULE module) : module_(module) {}
    std::u16string load(int id, std::size_t capacity = 300) const override {
        return LoadLocalizedString(module_, id, capacity);
    }

private:
    HMODULE module_;
};

}  // namespace wren::ui
