#include "option_report.h"

#include <windows.h>

#include <vector>

namespace wren::stand_in {
namespace {

HMODULE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&thisModule), &module);
    return module;
}

std::wstring ownPath() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(thisModule(), path, MAX_PATH * 2);
    return std::wstring(path, length < MAX_PATH * 2 ? length : 0);
}

}  // namespace

std::wstring ownFolder() {
    const std::wstring path = ownPath();
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ownIniFile() {
    const std::wstring path = ownPath();
    const std::size_t dot = path.find_last_of(L'.');
    return (dot == std::wstring::npos ? path : path.substr(0, dot)) + L".ini";
}

std::wstring widePrinterName(const char* printer) {
    if (!printer) return {};
    wchar_t wide[512] = {};
    MultiByteToWideChar(CP_ACP, 0, printer, -1, wide, 511);
    return wide;
}

bool writeOptionReport(const std::wstring& dataFile, const char* printer) {
    const std::wstring section = widePrinterName(printer);
    if (section.empty() || dataFile.empty()) return false;
    std::vector<wchar_t> report(32767, L'\0');
    const DWORD length =
        GetPrivateProfileSectionW(L"Report", report.data(), DWORD(report.size()), ownIniFile().c_str());
    if (length == 0) report[1] = L'\0';  // an empty section: the printer reports nothing
    WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, dataFile.c_str());
    return WritePrivateProfileSectionW(section.c_str(), report.data(), dataFile.c_str()) != 0;
}

}  // namespace wren::stand_in
