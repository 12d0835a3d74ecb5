// The scripts that drive a property sheet: one action per line, '#' starts
// a comment. Texts are either the rest of the line or one quoted string
// ("..." with \" \\ \n \r \t).
//
//   click <id>                 check <id> on|off
//   type <id> <text>           set-text <id> <text>
//   select <id> <position|"text">
//   select-row <id> <row>       (a report list view: that row alone selected)
//   page <title>               expect-dialog <title>
//   expect-message "<text>"    expect-no-message
//   expect-text <id> "<text>"  expect-checked <id> on|off
//   expect-enabled <id> on|off screenshot <name>
//   wait <milliseconds>        ok | cancel | apply
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wren::host {

enum class ScriptVerb {
    Click, Check, Type, SetText, Select, SelectRow, Page, ExpectDialog, ExpectMessage, ExpectNoMessage,
    ExpectText, ExpectChecked, ExpectEnabled, Screenshot, Wait, Ok, Cancel, Apply,
};

struct ScriptAction {
    std::size_t line = 0;
    ScriptVerb verb = ScriptVerb::Ok;
    int control = 0;               // the control id, for the verbs that take one
    std::u16string text;           // text, title, message or screenshot name
    bool on = false;               // check, expect-checked, expect-enabled
    std::optional<int> position;   // select by position (else by text); wait's milliseconds
    std::string source;            // the line as written, for messages
};

struct ScriptError {
    std::size_t line = 0;
    std::string message;
};

inline constexpr int kScriptMaxWaitMs = 60000;

std::optional<std::vector<ScriptAction>> parseScript(std::string_view text, ScriptError& error);

// "script line N: <source>: <what>" — the one line a failed action reports.
std::string scriptFailure(const ScriptAction& action, std::string_view what);

// A text as a script would quote it, so that a message stays on one line.
std::string scriptQuoted(std::u16string_view text);

}  // namespace wren::host
