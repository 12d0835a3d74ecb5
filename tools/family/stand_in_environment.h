// What a host tells the stand-ins through its environment: the stand-ins are
// loaded into the host's process, so a variable set before the job reaches
// them without touching the installed driver's files.
#pragma once

namespace wren::stand_in {

// The printing application's name that GetPrintingApplication answers; when
// unset, the stand-in's INI file (or the process name) decides.
inline constexpr wchar_t kPrintingApplicationVariable[] = L"WREN_PRINTING_APPLICATION";

}  // namespace wren::stand_in
