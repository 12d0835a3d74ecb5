// The driver package's INF as wrenhost install reads it: for one driver
// name, the printer description (DataFile), the files that become the
// driver's dependent files, and the files for the Windows directory. The
// same INF installs the package on Windows, so there is one list of files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wren::host {

// A file for a folder of the machine rather than the driver's: DestinationDirs
// 10 (the Windows directory), 11 or 66002 (the system directory).
struct MachineFile {
    int directoryId = 0;
    std::string name;
};
inline constexpr int kInfWindowsDirectory = 10;
inline constexpr int kInfSystemDirectory = 11;
// The printer class installer's own name for the system directory: files
// copied there with a printer driver installed on the local machine.
inline constexpr int kInfPrinterSystemDirectory = 66002;

struct PackageFiles {
    std::string installSection;
    std::string dataFile;
    std::vector<std::string> dependentFiles;  // every copied file but the data file and machine files, in INF order
    std::vector<MachineFile> machineFiles;
};

// The driver names of the models for x64 (the NTamd64 models section, else
// the undecorated one), in INF order.
std::vector<std::string> InfDriverNames(std::string_view infText);

// Nothing, with a reason in `error`, when the INF has no such model or its
// install section is incomplete.
std::optional<PackageFiles> ReadPackageInf(std::string_view infText, std::string_view driverName, std::string& error);

}  // namespace wren::host
