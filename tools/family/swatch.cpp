// Stand-in for the family's colour swatch program ("swatch.exe" in the
// folder its registry key names). It shows nothing: it notes each start in
// swatch.log beside itself, so a test can see that the Colour page started
// it, and exits.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    std::wstring log(path, length);
    log.replace(log.find_last_of(L'\\') + 1, std::wstring::npos, L"swatch.log");
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const char line[] = "swatch started\r\n";
    DWORD written = 0;
    WriteFile(file, line, sizeof line - 1, &written, nullptr);
    CloseHandle(file);
    return 0;
}
