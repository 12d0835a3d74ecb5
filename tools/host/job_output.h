// The job file the spooler writes for a FILE: port. The spooler copies the
// job there only when the document ends and says nothing when it cannot, so
// the host checks the path before the job and the file after it.
#pragma once

#include <string>

namespace wren::host {

// Refuses a path the job cannot be written to (too long, a folder, a folder
// that does not exist or is a file) and removes an earlier job file there,
// so that what stands there afterwards is this job's. Throws HostError.
void prepareJobOutput(const std::wstring& path);

// Throws HostError unless the job file exists, is a file and is not empty.
void verifyJobOutput(const std::wstring& path);

}  // namespace wren::host
