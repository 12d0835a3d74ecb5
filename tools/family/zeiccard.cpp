// Stand-in for the printer family's IC-card library ("CARD_DLL"). There is no
// reader: zeiccard.ini says whether one is "present" and what the card holds.
#include <windows.h>

#include <cstring>
#include <string>
#include <type_traits>

#include "common/family/family_exports.h"
#include "stand_in_config.h"

using namespace wren::family;
using wren::stand_in::Config;
using wren::stand_in::LogLine;

namespace {

constexpr char kDefaultCardData[] = "ZE-CARD-0001";

}  // namespace

extern "C" {

int WREN_FAMILY_CALL QueryCardDriver(const char* driverName, const char* capabilityFile) {
    Config config;
    LogLine("QueryCardDriver").text("driverName", driverName).text("capabilityFile", capabilityFile)
        .write(config);
    return int(config.integer(L"QueryCardDriver", L"Result", 0));
}

int WREN_FAMILY_CALL GetCardData(const char* driverName, const char* capabilityFile, std::uint8_t* buffer,
                                 std::uint32_t* inOutSize) {
    Config config;
    LogLine("GetCardData").text("driverName", driverName).text("capabilityFile", capabilityFile)
        .number("size", inOutSize ? static_cast<long long>(*inOutSize) : -1).write(config);
    const wchar_t* section = L"GetCardData";
    int result = int(config.integer(section, L"Result", 1));
    if (result == 0 || !buffer || !inOutSize) return 0;
    // Binary card data is easiest to give in hex; plain text serves otherwise.
    std::string data;
    if (auto hex = config.hexIfSet(section, L"DataHex")) data = *hex;
    else data = config.text(section, L"Data", kDefaultCardData);
    if (data.size() > *inOutSize) return 0;  // a failed call leaves the caller's data alone
    std::memcpy(buffer, data.data(), data.size());
    *inOutSize = static_cast<std::uint32_t>(data.size());
    return result;
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&QueryCardDriver), QueryCardDriverFn>);
static_assert(std::is_same_v<decltype(&GetCardData), GetCardDataFn>);
