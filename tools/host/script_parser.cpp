#include "script_parser.h"

#include <charconv>

#include "common/config/ini_document.h"
#include "text_trim.h"

namespace wren::host {
namespace {

std::string_view nextWord(std::string_view& rest) {
    rest = trim(rest);
    std::size_t end = rest.find_first_of(" \t");
    std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : trim(rest.substr(end));
    return word;
}

// What one verb takes after it.
enum class Args { None, Id, IdSwitch, IdText, IdChoice, IdRow, Text, QuotedText, Name, Number };

struct VerbRule {
    std::string_view word;
    ScriptVerb verb;
    Args args;
};

constexpr VerbRule kVerbs[] = {
    {"click", ScriptVerb::Click, Args::Id},
    {"check", ScriptVerb::Check, Args::IdSwitch},
    {"type", ScriptVerb::Type, Args::IdText},
    {"set-text", ScriptVerb::SetText, Args::IdText},
    {"select", ScriptVerb::Select, Args::IdChoice},
    {"select-row", ScriptVerb::SelectRow, Args::IdRow},
    {"page", ScriptVerb::Page, Args::Text},
    {"expect-dialog", ScriptVerb::ExpectDialog, Args::Text},
    {"expect-message", ScriptVerb::ExpectMessage, Args::QuotedText},
    {"expect-no-message", ScriptVerb::ExpectNoMessage, Args::None},
    {"expect-text", ScriptVerb::ExpectText, Args::IdText},
    {"expect-checked", ScriptVerb::ExpectChecked, Args::IdSwitch},
    {"expect-enabled", ScriptVerb::ExpectEnabled, Args::IdSwitch},
    {"screenshot", ScriptVerb::Screenshot, Args::Name},
    {"wait", ScriptVerb::Wait, Args::Number},
    {"ok", ScriptVerb::Ok, Args::None},
    {"cancel", ScriptVerb::Cancel, Args::None},
    {"apply", ScriptVerb::Apply, Args::None},
};

bool number(std::string_view word, int low, int high, int& value) {
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        base = 16;
        word.remove_prefix(2);
    }
    if (word.empty()) return false;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    return ec == std::errc() && end == word.data() + word.size() && value >= low && value <= high;
}

// A quoted string that is the whole of `rest`; false on a missing closing
// quote, a bad escape or anything after it.
bool quoted(std::string_view rest, std::string& out) {
    if (rest.size() < 2 || rest.front() != '"') return false;
    out.clear();
    for (std::size_t i = 1; i < rest.size(); ++i) {
        char c = rest[i];
        if (c == '"') return trim(rest.substr(i + 1)).empty();
        if (c == '\\') {
            if (++i == rest.size()) return false;
            switch (rest[i]) {
            case '"': case '\\': c = rest[i]; break;
            case 'n': c = '\n'; break;
            case 'r': c = '\r'; break;
            case 't': c = '\t'; break;
            default: return false;
            }
        }
        out.push_back(c);
    }
    return false;
}

// The text argument: a quoted string, or the rest of the line as it is.
bool text(std::string_view rest, bool mustQuote, std::u16string& out) {
    std::string raw;
    if (!rest.empty() && rest.front() == '"') {
        if (!quoted(rest, raw)) return false;
    } else {
        if (mustQuote || rest.empty()) return false;
        raw.assign(rest);
    }
    out = fromUtf8(raw);
    return true;
}

bool onOff(std::string_view word, bool& on) {
    if (word == "on") on = true;
    else if (word == "off") on = false;
    else return false;
    return true;
}

// Screenshot names become file names: no folders, no surprises.
bool safeName(std::string_view name) {
    if (name.empty() || name.size() > 64 || name.front() == '.') return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
              c == '.'))
            return false;
    return true;
}

const char* arguments(const VerbRule& rule, std::string_view rest, ScriptAction& action) {
    auto id = [&]() { return number(nextWord(rest), 0, 0xFFFF, action.control); };
    switch (rule.args) {
    case Args::None:
        return rest.empty() ? nullptr : "takes no arguments";
    case Args::Id:
        if (!id()) return "needs a control id (0..65535)";
        return rest.empty() ? nullptr : "takes only a control id";
    case Args::IdSwitch:
        if (!id()) return "needs a control id (0..65535)";
        if (!onOff(nextWord(rest), action.on) || !rest.empty()) return "needs on or off after the id";
        return nullptr;
    case Args::IdText:
        if (!id()) return "needs a control id (0..65535)";
        return text(rest, rule.verb == ScriptVerb::ExpectText, action.text) ? nullptr : "needs a text after the id";
    case Args::IdChoice: {
        if (!id()) return "needs a control id (0..65535)";
        if (!rest.empty() && rest.front() == '"')
            return text(rest, true, action.text) ? nullptr : "needs a position or a quoted text";
        int position = 0;
        if (!number(rest, 0, 0xFFFF, position)) return "needs a position or a quoted text";
        action.position = position;
        return nullptr;
    }
    case Args::IdRow: {
        if (!id()) return "needs a control id (0..65535)";
        int row = 0;
        if (!number(rest, 0, 0xFFFF, row)) return "needs a row number after the id";
        action.position = row;
        return nullptr;
    }
    case Args::Text:
        return text(rest, false, action.text) ? nullptr : "needs a title";
    case Args::QuotedText:
        return text(rest, true, action.text) ? nullptr : "needs a quoted text";
    case Args::Name:
        if (!safeName(rest)) return "needs a file name of letters, digits, '-', '_' and '.'";
        action.text = fromUtf8(rest);
        return nullptr;
    case Args::Number: {
        int ms = 0;
        if (!number(rest, 0, kScriptMaxWaitMs, ms)) return "needs milliseconds (0..60000)";
        action.position = ms;
        return nullptr;
    }
    }
    return "cannot be read";
}

// Drops a comment: '#' outside a quoted string.
std::string_view withoutComment(std::string_view line) {
    bool inQuote = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (inQuote && line[i] == '\\') ++i;
        else if (line[i] == '"') inQuote = !inQuote;
        else if (line[i] == '#' && !inQuote) return line.substr(0, i);
    }
    return line;
}

}  // namespace

std::optional<std::vector<ScriptAction>> parseScript(std::string_view script, ScriptError& error) {
    std::vector<ScriptAction> actions;
    std::size_t lineNumber = 0;
    while (!script.empty()) {
        ++lineNumber;
        std::size_t eol = script.find('\n');
        std::string_view line = trim(withoutComment(script.substr(0, eol)));
        script = eol == std::string_view::npos ? std::string_view{} : script.substr(eol + 1);
        if (line.empty()) continue;
        std::string_view rest = line;
        std::string_view word = nextWord(rest);
        const VerbRule* rule = nullptr;
        for (const VerbRule& v : kVerbs)
            if (v.word == word) rule = &v;
        ScriptAction action;
        action.line = lineNumber;
        action.source.assign(line);
        if (!rule) {
            error = {lineNumber, "script line " + std::to_string(lineNumber) + ": unknown action " + std::string(word)};
            return std::nullopt;
        }
        action.verb = rule->verb;
        if (const char* problem = arguments(*rule, rest, action)) {
            error = {lineNumber, "script line " + std::to_string(lineNumber) + ": " + std::string(word) + " " + problem};
            return std::nullopt;
        }
        actions.push_back(std::move(action));
    }
    return actions;
}

std::string scriptFailure(const ScriptAction& action, std::string_view what) {
    return "script line " + std::to_string(action.line) + ": " + action.source + ": " + std::string(what);
}

std::string scriptQuoted(std::u16string_view text) {
    std::string out = "\"";
    for (char c : toUtf8(text)) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

}  // namespace wren::host
