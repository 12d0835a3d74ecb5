// The driver package's INF as wrenhost install reads it, and the sample
// package's INF against the files the package really has.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "installer_inf.h"

namespace wren::host {
namespace {

std::string readSample(const char* name) {
    std::ifstream in(std::string(WREN_SOURCE_DIR) + "/examples/driver/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool has(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

constexpr const char* kSmall = R"(
[Version]
Signature="$Windows NT$"
[Manufacturer]
%Maker%=Acme,NTamd64,NTx86
[Acme]
"Old Model" = OLD
[Acme.NTamd64]
"%Model%" = NEW, hw-id ; a comment
[NEW]
CopyFiles=@acme.ppd,FILES,WIN
DataFile=acme.ppd
[FILES]
acme.ini
acme.dll, acme_src.dll
[WIN]
acme.dat
[DestinationDirs]
DefaultDestDir=66000
WIN = 10
[Strings]
Maker="Acme"
Model="Acme; Colour"
)";

TEST(PackageInf, ReadsTheX64ModelsFileLists) {
    EXPECT_EQ(InfDriverNames(kSmall), std::vector<std::string>{"Acme; Colour"});
    std::string error;
    auto files = ReadPackageInf(kSmall, "Acme; Colour", error);
    ASSERT_TRUE(files) << error;
    EXPECT_EQ(files->installSection, "NEW");
    EXPECT_EQ(files->dataFile, "acme.ppd");
    EXPECT_EQ(files->dependentFiles, (std::vector<std::string>{"acme.ini", "acme.dll"}));
    ASSERT_EQ(files->machineFiles.size(), 1u);
    EXPECT_EQ(files->machineFiles[0].directoryId, kInfWindowsDirectory);
    EXPECT_EQ(files->machineFiles[0].name, "acme.dat");
}

TEST(PackageInf, NamesWhatIsMissing) {
    struct Case { std::string text, driver, message; };
    const std::string head = "[Manufacturer]\nA=A\n[A]\n\"M\"=S\n";
    const Case cases[] = {
        {kSmall, "Old Model", "no x64 model"},
        {head, "M", "no install section [S]"},
        {head + "[S]\nCopyFiles=F\n[F]\nx.ppd\n", "M", "names no DataFile"},
        {head + "[S]\nDataFile=x.ppd\n", "M", "has no CopyFiles"},
        {head + "[S]\nDataFile=x.ppd\nCopyFiles=F\n", "M", "missing section [F]"},
        {head + "[S]\nDataFile=x.ppd\nCopyFiles=F\n[F]\ny.ini\n", "M", "not among the copied files"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ReadPackageInf(c.text, c.driver, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST(PackageInf, TheSampleListsEveryModelAndEveryFileOfThePackage) {
    const std::string inf = readSample("wren.inf");
    const std::string cap = readSample("wren.cap");
    // Every driver name of the capability file can be installed.
    std::istringstream lines(cap);
    std::string line;
    bool inCapability = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') inCapability = line == "[Capability]";
        else if (inCapability && line.find('=') != std::string::npos && line[0] != ';')
            EXPECT_TRUE(has(InfDriverNames(inf), line.substr(0, line.find('=')))) << line;
    }
    std::string error;
    auto files = ReadPackageInf(inf, "Wren ZE Colour PS", error);
    ASSERT_TRUE(files) << error;
    EXPECT_EQ(files->dataFile, "wren.ppd");
    EXPECT_TRUE(has(files->dependentFiles, "wren.ini"));
    EXPECT_TRUE(has(files->dependentFiles, "wrenui.dll"));
    EXPECT_TRUE(has(files->dependentFiles, "wrenps.dll"));
    std::vector<std::string> machine;
    for (const auto& m : files->machineFiles) machine.push_back(std::to_string(m.directoryId) + " " + m.name);
    EXPECT_TRUE(has(machine, "10 zelopt.dat"));
    EXPECT_TRUE(has(machine, "11 zenetopt.dll"));
    // The files staged from examples/driver are all listed.
    for (const auto& entry : std::filesystem::directory_iterator(std::string(WREN_SOURCE_DIR) + "/examples/driver")) {
        const std::string name = entry.path().filename().string();
        const std::string ext = entry.path().extension().string();
        const bool staged = ext == ".ppd" || ext == ".cap" || ext == ".ini" || ext == ".ver" || ext == ".dat" ||
                            (ext == ".ps" && name.rfind("wren", 0) == 0);
        if (!staged) continue;
        EXPECT_TRUE(name == files->dataFile || has(files->dependentFiles, name) ||
                    has(machine, "10 " + name) || has(machine, "11 " + name))
            << name << " is staged into the package but not in wren.inf";
    }
}

}  // namespace
}  // namespace wren::host
