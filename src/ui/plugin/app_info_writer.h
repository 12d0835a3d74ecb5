// The UI plug-in's end of the application-info channel. Only the UI plug-in
// runs inside the printing application, so at the start of each document it
// hands the application's name over for the rendering plug-in, keyed on the
// printer and the spooler job.
#pragma once

#include <windows.h>

namespace wren::ui {

// Publishes the application name for job `jobId` of `printer`: in a shared
// block (kept open until the process ends) or, where the rendering side
// cannot see this session's objects, through the family's companion
// program and a pipe. Printing goes on whatever happens here.
void publishApplicationName(HANDLE printer, DWORD jobId);

}  // namespace wren::ui
