// The About dialog, opened from the Job Options page.
#pragma once

#include <windows.h>

#include "ui/pages/page_services.h"

namespace wren::ui {

// The page ignores the result: 1 for OK, 0 for Cancel.
int RunAboutDialog(HWND owner, const PageServices& services);

}  // namespace wren::ui
