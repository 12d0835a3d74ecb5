#include "ppd_reader.h"

#include <cmath>
#include <map>
#include <sstream>
#include <tuple>

#include "text_trim.h"

namespace wren::host {
namespace {

// One "*Main Option/Text: value" statement.
struct Statement {
    std::string_view main;
    std::string_view option;  // "Option/Text", may be empty
    std::string_view value;
};

std::optional<Statement> split(std::string_view line) {
    if (line.size() < 2 || line[0] != '*' || line[1] == '%') return std::nullopt;
    line.remove_prefix(1);
    std::size_t end = line.find_first_of(": \t");
    Statement s;
    s.main = line.substr(0, end);
    if (end == std::string_view::npos) return s;
    std::string_view rest = line.substr(end);
    // The option part ends at the first colon that follows it; a
    // translation string may not hold one.
    std::size_t colon = rest.find(':');
    s.option = trim(rest.substr(0, colon));
    if (colon != std::string_view::npos) s.value = trim(rest.substr(colon + 1));
    return s;
}

bool fail(PpdError& error, std::size_t line, std::string message) {
    error.line = line;
    error.message = "line " + std::to_string(line) + ": " + std::move(message);
    return false;
}

// "Keyword/Text" into its two parts, each within its bound.
bool splitOption(std::string_view part, std::string& keyword, std::string& text) {
    std::size_t slash = part.find('/');
    std::string_view k = trim(part.substr(0, slash));
    std::string_view t = slash == std::string_view::npos ? k : trim(part.substr(slash + 1));
    if (k.empty() || k.size() > kPpdMaxKeyword || t.size() > kPpdMaxText) return false;
    keyword.assign(k);
    text.assign(t.empty() ? k : t);
    return true;
}

std::optional<PpdUiType> uiType(std::string_view value) {
    if (value == "PickOne") return PpdUiType::PickOne;
    if (value == "Boolean") return PpdUiType::Boolean;
    if (value == "PickMany") return PpdUiType::PickMany;
    return std::nullopt;
}

class Reader {
public:
    explicit Reader(PpdError& error) : error_(error) {}

    bool line(std::string_view text, std::size_t number) {
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        if (inQuote_) {
            const std::size_t close = text.find('"');
            if (close != std::string_view::npos) inQuote_ = false;
            return collect(text.substr(0, close), close == std::string_view::npos, number);
        }
        std::optional<Statement> s = split(trim(text));
        if (!s) return true;
        // A quoted value that does not close on its line runs on to the
        // line that does; nothing inside it is a statement.
        if (!s->value.empty() && s->value.front() == '"' && s->value.find('"', 1) == std::string_view::npos)
            inQuote_ = true;
        return statement(*s, number);
    }

    bool finish(std::size_t number, PpdFile& file) {
        if (open_) return fail(error_, number, "*OpenUI *" + file_.features[*open_].keyword + " is never closed");
        for (PpdFeature& f : file_.features) {
            auto d = defaults_.find(f.keyword);
            if (d != defaults_.end()) f.defaultOption = d->second;
            auto o = orders_.find(f.keyword);
            if (o != orders_.end()) std::tie(f.order, f.section) = o->second;
        }
        // A feature without options has nothing to choose: the core
        // driver shows no item for it.
        for (PpdFeature& f : file_.features)
            if (!f.options.empty()) file.features.push_back(std::move(f));
        return true;
    }

private:
    bool statement(const Statement& s, std::size_t number) {
        if (s.main == "OpenGroup") {
            installable_ = trim(s.value.substr(0, s.value.find('/'))) == "InstallableOptions";
            return true;
        }
        if (s.main == "CloseGroup") {
            installable_ = false;
            return true;
        }
        if (s.main == "OpenUI" || s.main == "JCLOpenUI") {
            if (!openUi(s, number)) return false;
            file_.features[*open_].jcl = s.main == "JCLOpenUI";
            return true;
        }
        if (s.main == "OrderDependency") return orderDependency(s.value);
        if (s.main == "CloseUI" || s.main == "JCLCloseUI") {
            if (!open_) return fail(error_, number, "*CloseUI without *OpenUI");
            std::string_view closed = s.value;
            if (!closed.empty() && closed.front() == '*') closed.remove_prefix(1);
            if (closed != file_.features[*open_].keyword)
                return fail(error_, number, "*CloseUI *" + std::string(closed) + " closes *" +
                                                file_.features[*open_].keyword);
            open_.reset();
            return true;
        }
        if (s.main.size() > 7 && s.main.substr(0, 7) == "Default") {
            std::string_view feature = s.main.substr(7);
            if (feature.size() <= kPpdMaxKeyword && s.value.size() <= kPpdMaxKeyword)
                defaults_.emplace(std::string(feature), std::string(s.value));
            return true;
        }
        if (open_ && s.main == file_.features[*open_].keyword && !s.option.empty()) return option(s, number);
        return true;
    }

    // "*OrderDependency: 10 AnySetup *Resolution"; one that does not read
    // so is left out, as the core driver ignores it.
    bool orderDependency(std::string_view value) {
        std::string text(value);
        std::istringstream in(text);
        double order = 0;
        std::string section, keyword;
        if (!(in >> order >> section >> keyword) || !std::isfinite(order) || keyword.size() < 2 || keyword.front() != '*')
            return true;
        keyword.erase(0, 1);
        if (keyword.size() <= kPpdMaxKeyword && section.size() <= kPpdMaxKeyword)
            orders_.insert_or_assign(keyword, std::pair{order, section});
        return true;
    }

    bool openUi(const Statement& s, std::size_t number) {
        if (open_) return fail(error_, number, "*OpenUI inside *OpenUI *" + file_.features[*open_].keyword);
        if (s.option.size() < 2 || s.option.front() != '*') return fail(error_, number, "*OpenUI without a keyword");
        PpdFeature f;
        if (!splitOption(s.option.substr(1), f.keyword, f.text))
            return fail(error_, number, "*OpenUI keyword or text too long");
        std::optional<PpdUiType> type = uiType(s.value);
        if (!type) return fail(error_, number, "*OpenUI *" + f.keyword + ": unknown type " + std::string(s.value));
        f.type = *type;
        f.installable = installable_;
        for (const PpdFeature& other : file_.features)
            if (other.keyword == f.keyword) return fail(error_, number, "feature *" + f.keyword + " appears twice");
        if (file_.features.size() >= kPpdMaxFeatures) return fail(error_, number, "too many features");
        open_ = file_.features.size();
        file_.features.push_back(std::move(f));
        return true;
    }

    bool option(const Statement& s, std::size_t number) {
        PpdFeature& f = file_.features[*open_];
        PpdOption o;
        if (!splitOption(s.option, o.keyword, o.text))
            return fail(error_, number, "option of *" + f.keyword + ": keyword or text too long");
        if (f.find(o.keyword)) return true;  // the first one counts, as in the core driver
        if (f.options.size() >= kPpdMaxOptions) return fail(error_, number, "too many options of *" + f.keyword);
        f.options.push_back(std::move(o));
        if (s.value.empty() || s.value.front() != '"') return true;
        const std::string_view code = s.value.substr(1);
        const std::size_t close = code.find('"');
        collecting_ = true;
        return collect(code.substr(0, close), close == std::string_view::npos, number);
    }

    // Invocation code of the option just read, a line at a time.
    bool collect(std::string_view code, bool more, std::size_t number) {
        if (!collecting_) return true;
        PpdFeature& f = file_.features[*open_];
        std::string& invocation = f.options.back().invocation;
        if (invocation.size() + code.size() + 1 > kPpdMaxInvocation)
            return fail(error_, number, "the code of *" + f.keyword + " " + f.options.back().keyword + " is too long");
        invocation += code;
        if (more) invocation += '\n';
        else collecting_ = false;
        return true;
    }

    PpdError& error_;
    PpdFile file_;
    std::map<std::string, std::string> defaults_;
    std::map<std::string, std::pair<double, std::string>> orders_;
    std::optional<std::size_t> open_;
    bool installable_ = false;
    bool inQuote_ = false;
    bool collecting_ = false;  // the quoted value being read is an option's code
};

}  // namespace

std::size_t PpdFeature::defaultIndex() const { return find(defaultOption).value_or(0); }

std::optional<std::size_t> PpdFeature::find(std::string_view option) const {
    for (std::size_t i = 0; i < options.size(); ++i)
        if (options[i].keyword == option) return i;
    return std::nullopt;
}

const PpdFeature* PpdFile::find(std::string_view keyword) const {
    for (const PpdFeature& f : features)
        if (f.keyword == keyword) return &f;
    return nullptr;
}

std::optional<PpdFile> parsePpd(std::string_view text, PpdError& error) {
    Reader reader(error);
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        std::size_t eol = text.find('\n');
        if (!reader.line(text.substr(0, eol), number)) return std::nullopt;
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
    }
    PpdFile file;
    if (!reader.finish(number, file)) return std::nullopt;
    return file;
}

}  // namespace wren::host
