// The family's support page: a property page from the support resource
// library that the model section names ("AskZelRES"), whose button opens the
// support address ("AskZelURL").
#pragma once

#include <windows.h>
#include <prsht.h>

#include <optional>

#include "ui/win32/document_sheet.h"

namespace wren::ui {

// The page's description, or nothing when the model names no library or
// address, or the library cannot be loaded. The library is loaded once per
// process and kept in the module state.
std::optional<PROPSHEETPAGEW> SupportPageFor(DocumentSheet& sheet);

INT_PTR CALLBACK SupportPageProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace wren::ui
