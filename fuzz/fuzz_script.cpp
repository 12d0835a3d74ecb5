// The sheet-script parser over arbitrary text: it either names the line it
// could not read or gives actions whose arguments are within their bounds.
#include "script_parser.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    host::ScriptError error;
    auto script = host::parseScript(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!script) {
        if (error.line == 0 || error.message.rfind("script line ", 0) != 0) __builtin_trap();
        return 0;
    }
    for (const host::ScriptAction& a : *script) {
        if (a.line == 0 || a.control < 0 || a.control > 0xFFFF) __builtin_trap();
        if (a.verb == host::ScriptVerb::Screenshot &&
            (a.text.empty() || a.text.find(u'/') != std::u16string::npos || a.text.find(u'\\') != std::u16string::npos))
            __builtin_trap();
        if (a.verb == host::ScriptVerb::Wait && (!a.position || *a.position > host::kScriptMaxWaitMs)) __builtin_trap();
    }
    return 0;
}
