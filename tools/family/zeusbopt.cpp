// Stand-in for the printer family's USB option library ("USBExtDLL"): no USB
// device is asked; zeusbopt.ini says what each call answers and what the
// printer "reports" (section [Report]). ReadPrinterOptionUSB2 writes the
// report into the USB option data file in the user's application data,
// named by "File" of [Data] (the model's "USBExtDAT").
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <type_traits>

#include "option_report.h"
#include "stand_in_config.h"
#include "ui/options/option_exports.h"

using namespace wren::options;
using wren::stand_in::Config;
using wren::stand_in::LogLine;

namespace {

std::wstring dataFile(const Config& config) {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, TRUE)) return {};
    const std::string name = config.text(L"Data", L"File", "zeusbopt.dat");
    return std::wstring(folder) + L"\\" + std::wstring(name.begin(), name.end());
}

}  // namespace

extern "C" {

int WREN_FAMILY_CALL ReadPrinterOptionUSB(const char* printer) {
    Config config;
    LogLine("ReadPrinterOptionUSB").text("printer", printer).write(config);
    return int(config.integer(L"ReadPrinterOptionUSB", L"Result", 1));
}

int WREN_FAMILY_CALL ReadPrinterOptionUSB2(const char* printer) {
    Config config;
    LogLine("ReadPrinterOptionUSB2").text("printer", printer).write(config);
    const int result = int(config.integer(L"ReadPrinterOptionUSB2", L"Result", 1));
    if (result != 0) wren::stand_in::writeOptionReport(dataFile(config), printer);
    return result;
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&ReadPrinterOptionUSB), ReadPrinterOptionUSBFn>);
static_assert(std::is_same_v<decltype(&ReadPrinterOptionUSB2), ReadPrinterOptionUSB2Fn>);
