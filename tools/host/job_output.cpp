#include "job_output.h"
#include "host_files.h"

#include <windows.h>

#include "common/config/ini_document.h"
#include "host_error.h"

namespace wren::host {
namespace {

[[noreturn]] void refuse(const std::wstring& path, const std::string& why) {
    throw HostError("cannot write the job to " + narrow(path) + ": " + why);
}

std::wstring folderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

void prepareJobOutput(const std::wstring& path) {
    // The spooler's own paths hold MAX_PATH characters with the terminator.
    if (path.empty()) refuse(path, "no path");
    if (path.size() >= MAX_PATH) refuse(path, "the path is longer than " + std::to_string(MAX_PATH - 1) + " characters");
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) refuse(path, "it is a folder");
    const std::wstring folder = folderOf(path);
    if (!folder.empty() && folder.back() != L':') {
        DWORD folderAttributes = GetFileAttributesW(folder.c_str());
        if (folderAttributes == INVALID_FILE_ATTRIBUTES) refuse(path, "the folder does not exist");
        if (!(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) refuse(path, "its folder is a file");
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && !DeleteFileW(path.c_str()))
        refuse(path, "the earlier file cannot be replaced (error " + std::to_string(GetLastError()) + ")");
}

void verifyJobOutput(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        refuse(path, "the spooler wrote no file (error " + std::to_string(GetLastError()) + ")");
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) refuse(path, "it is a folder");
    if (data.nFileSizeHigh == 0 && data.nFileSizeLow == 0) refuse(path, "the spooler wrote an empty file");
}

}  // namespace wren::host
