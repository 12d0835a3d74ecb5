// Stand-in for the printer family's network option library ("NetExtDLL"):
// nobody is asked over the network; zenetopt.ini says what each call answers
// and what the printer "reports" (section [Report]), which the query writes
// into the option data file under the printer's name.
#include <windows.h>

#include <cstring>
#include <string>
#include <type_traits>

#include "option_report.h"
#include "stand_in_config.h"
#include "ui/options/option_exports.h"

using namespace wren::options;
using wren::stand_in::Config;
using wren::stand_in::LogLine;

namespace {

// The data file: "File" of [GetDataFileName], relative to the DLL's folder.
std::wstring dataFile(const Config& config) {
    std::string name = config.text(L"GetDataFileName", L"File", "zenetopt.dat");
    std::wstring wide(name.begin(), name.end());
    if (wide.size() > 1 && (wide[1] == L':' || wide[0] == L'\\')) return wide;
    return wren::stand_in::ownFolder() + wide;
}

int answer(const Config& config, const wchar_t* section) { return int(config.integer(section, L"Result", 1)); }

}  // namespace

extern "C" {

int WREN_FAMILY_CALL IsValidPort(const char* printer) {
    Config config;
    LogLine("IsValidPort").text("printer", printer).write(config);
    return answer(config, L"IsValidPort");
}

int WREN_FAMILY_CALL GetNetextCapability(const char* printer) {
    Config config;
    LogLine("GetNetextCapability").text("printer", printer).write(config);
    return answer(config, L"GetNetextCapability");
}

int WREN_FAMILY_CALL ReadPrinterOptionFlag32(const char* printer, void* window, int reserved1, int reserved2,
                                             std::uint32_t flags) {
    Config config;
    LogLine("ReadPrinterOptionFlag32").text("printer", printer).pointer("window", window)
        .number("reserved1", reserved1).number("reserved2", reserved2).hex32("flags", flags).write(config);
    const int result = answer(config, L"ReadPrinterOptionFlag32");
    if (result != 0) wren::stand_in::writeOptionReport(dataFile(config), printer);
    return result;
}

int WREN_FAMILY_CALL GetDataFileName(const char* printer, char* buffer, std::uint32_t size) {
    Config config;
    LogLine("GetDataFileName").text("printer", printer).number("size", size).write(config);
    if (answer(config, L"GetDataFileName") == 0 || !buffer || size == 0) return 0;
    const std::wstring file = dataFile(config);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, buffer, int(size), nullptr, nullptr);
    if (bytes <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    return 1;
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&IsValidPort), IsValidPortFn>);
static_assert(std::is_same_v<decltype(&GetNetextCapability), GetNetextCapabilityFn>);
static_assert(std::is_same_v<decltype(&ReadPrinterOptionFlag32), ReadPrinterOptionFlag32Fn>);
static_assert(std::is_same_v<decltype(&GetDataFileName), GetDataFileNameFn>);
