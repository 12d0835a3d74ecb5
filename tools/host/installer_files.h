// Which files of a package folder the driver gets: those its INF lists for
// the driver name (with a note for any other file of the folder, which is
// installed too so that a file added without its INF line is noticed but
// still works), or, for a folder without an INF, every file with the PPD as
// the data file.
#pragma once

#include <string>
#include <vector>

namespace wren::host {

struct PackageLayout {
    std::wstring dataFile;
    std::vector<std::wstring> driverFiles;   // copied into the driver directory, the data file among them
    std::vector<std::wstring> windowsFiles;  // copied into the Windows directory
    std::vector<std::wstring> systemFiles;   // copied into the system directory (found by name alone)
};

PackageLayout packageLayout(const std::wstring& packageDir, const std::wstring& driverName);

// Copies the machine files into the Windows and system directories.
void installMachineFiles(const std::wstring& packageDir, const PackageLayout& layout);

}  // namespace wren::host
