#include "installer_files.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "host_error.h"
#include "installer_inf.h"
#include "host_files.h"

namespace wren::host {
namespace {

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

bool endsWith(const std::wstring& name, const wchar_t* suffix) {
    const std::wstring s(suffix);
    return name.size() >= s.size() && _wcsicmp(name.c_str() + name.size() - s.size(), s.c_str()) == 0;
}

bool sameName(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

std::vector<std::wstring> folderFiles(const std::wstring& dir) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) throw HostError("package folder not found: " + narrow(dir));
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end());
    return files;
}

std::string readText(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) throw HostError("cannot read " + narrow(path));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool listed(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::any_of(names.begin(), names.end(), [&](const std::wstring& n) { return sameName(n, name); });
}

}  // namespace

PackageLayout packageLayout(const std::wstring& packageDir, const std::wstring& driverName) {
    const std::vector<std::wstring> present = folderFiles(packageDir);
    PackageLayout layout;
    const auto inf = std::find_if(present.begin(), present.end(), [](const std::wstring& f) { return endsWith(f, L".inf"); });
    if (inf == present.end()) {
        for (const std::wstring& file : present) {
            if (endsWith(file, L".ppd") && layout.dataFile.empty()) layout.dataFile = file;
            layout.driverFiles.push_back(file);
        }
        if (layout.dataFile.empty()) throw HostError("the package has no PPD");
        return layout;
    }
    std::string error;
    const std::optional<PackageFiles> files = ReadPackageInf(readText(packageDir + L"\\" + *inf), narrow(driverName), error);
    if (!files) throw HostError(narrow(*inf) + ": " + error);
    layout.dataFile = widen(files->dataFile);
    layout.driverFiles.push_back(layout.dataFile);
    for (const std::string& f : files->dependentFiles) layout.driverFiles.push_back(widen(f));
    for (const MachineFile& f : files->machineFiles)
        (f.directoryId == kInfSystemDirectory ? layout.systemFiles : layout.windowsFiles).push_back(widen(f.name));
    for (const std::vector<std::wstring>* list : {&layout.driverFiles, &layout.windowsFiles, &layout.systemFiles})
        for (const std::wstring& f : *list)
            if (!listed(present, f)) throw HostError(narrow(*inf) + " lists " + narrow(f) + ", which the package lacks");
    for (const std::wstring& f : present) {
        if (f == *inf || listed(layout.driverFiles, f) || listed(layout.windowsFiles, f) || listed(layout.systemFiles, f))
            continue;
        std::fprintf(stderr, "note: %s is in the package but not in %s; installed as a dependent file\n",
                     narrow(f).c_str(), narrow(*inf).c_str());
        layout.driverFiles.push_back(f);
    }
    return layout;
}

void installMachineFiles(const std::wstring& packageDir, const PackageLayout& layout) {
    struct Target {
        const std::vector<std::wstring>* files;
        UINT(WINAPI* folder)(LPWSTR, UINT);
        const char* what;
    };
    for (const Target& t : {Target{&layout.windowsFiles, GetWindowsDirectoryW, "the Windows directory"},
                            Target{&layout.systemFiles, GetSystemDirectoryW, "the system directory"}}) {
        if (t.files->empty()) continue;
        wchar_t folder[MAX_PATH + 1] = {};
        const UINT length = t.folder(folder, MAX_PATH + 1);
        if (length == 0 || length > MAX_PATH) throw HostError(std::string("cannot read ") + t.what);
        for (const std::wstring& file : *t.files)
            if (!CopyFileW((packageDir + L"\\" + file).c_str(), (std::wstring(folder) + L"\\" + file).c_str(), FALSE))
                throw HostError("cannot copy " + narrow(file) + " into " + t.what);
    }
}

}  // namespace wren::host
