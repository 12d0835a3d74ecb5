#include "dsc_stream.h"

#include <charconv>
#include <string>
#include <vector>

namespace wren::host {
namespace {

constexpr std::uint32_t kBeginStream = 1, kBeginProlog = 14, kBeginSetup = 16, kEndSetup = 17, kEndStream = 20,
                        kEndPageSetup = 102;

struct Page {
    std::string label;           // the %%Page: line
    std::string setup;           // between %%BeginPageSetup and %%EndPageSetup
    std::string body;
};

struct Document {
    std::string header;          // up to and including %%EndComments
    std::string prolog, setup, trailer;
    std::string loose;           // outside every section and every page
    std::vector<Page> pages;
    std::vector<std::string> notes;
};

void endLine(std::string& text) {
    if (!text.empty() && text.back() != '\n') text += '\n';
}

bool startsWith(std::string_view line, std::string_view prefix) { return line.substr(0, prefix.size()) == prefix; }

// A DSC keyword with or without its colon: "%%BeginDocument" and
// "%%BeginDocument: name".
bool isComment(std::string_view bare, std::string_view keyword) {
    return startsWith(bare, keyword) && (bare.size() == keyword.size() || bare[keyword.size()] == ':');
}

// The document as lines: each keeps its end of line, which may be LF, CR LF
// or a lone CR, as the conventions allow.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool done() const { return text_.empty(); }
    std::size_t number() const { return number_; }

    std::string_view next() {
        std::size_t end = text_.size();
        for (std::size_t i = 0; i < text_.size(); ++i) {
            if (text_[i] == '\n') { end = i + 1; break; }
            if (text_[i] == '\r') { end = (i + 1 < text_.size() && text_[i + 1] == '\n') ? i + 2 : i + 1; break; }
        }
        ++number_;
        return take(end);
    }
    // Up to `count` bytes, whatever they hold.
    std::string_view bytes(std::size_t count) { return take(count < text_.size() ? count : text_.size()); }

    static std::string_view bare(std::string_view line) {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        return line;
    }

private:
    std::string_view take(std::size_t size) {
        std::string_view part = text_.substr(0, size);
        text_.remove_prefix(size);
        return part;
    }
    std::string_view text_;
    std::size_t number_ = 0;
};

// The arguments of "%%BeginData: numberof [type [Bytes|Lines]]" or
// "%%BeginBinary: bytecount".
struct DataCount {
    bool valid = false;
    bool lines = false;
    std::size_t count = 0;
};

DataCount dataCount(std::string_view bare) {
    DataCount result;
    std::size_t colon = bare.find(':');
    if (colon == std::string_view::npos) return result;
    std::vector<std::string_view> words;
    std::string_view rest = bare.substr(colon + 1);
    while (!rest.empty()) {
        std::size_t start = rest.find_first_not_of(" \t");
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        std::size_t end = rest.find_first_of(" \t");
        words.push_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }
    if (words.empty()) return result;
    auto [end, ec] = std::from_chars(words[0].data(), words[0].data() + words[0].size(), result.count);
    if (ec != std::errc() || end != words[0].data() + words[0].size()) return result;
    if (words.size() >= 3 && words[2] != "Bytes" && words[2] != "Lines") return result;
    result.lines = words.size() >= 3 && words[2] == "Lines";
    result.valid = true;
    return result;
}

// Appends to `out` the data that follows a %%BeginData or %%BeginBinary
// line: its counted bytes or lines, unread, or without a usable count every
// line up to the closing comment.
void takeData(std::string_view opening, Lines& lines, std::string& out, std::vector<std::string>& notes) {
    const bool binary = isComment(opening, "%%BeginBinary");
    DataCount count = dataCount(opening);
    if (binary) count.lines = false;
    if (!count.valid) {
        const std::string_view closing = binary ? "%%EndBinary" : "%%EndData";
        notes.push_back("line " + std::to_string(lines.number()) + ": " + std::string(opening) +
                        " has no count: its data is taken up to " + std::string(closing));
        while (!lines.done()) {
            std::string_view line = lines.next();
            out += line;
            if (Lines::bare(line) == closing) return;
        }
        return;
    }
    if (count.lines) {
        for (std::size_t i = 0; i < count.count && !lines.done(); ++i) out += lines.next();
    } else {
        std::string_view data = lines.bytes(count.count);
        out += data;
        // Counted bytes that end inside a line leave the rest of that line
        // with them: sections only ever meet at line ends.
        if (!data.empty() && data.back() != '\n' && data.back() != '\r' && !lines.done()) out += lines.next();
        if (data.size() < count.count)
            notes.push_back(std::string(opening) + ": the document ends " + std::to_string(count.count - data.size()) +
                            " bytes early");
    }
}

// Appends to `out` an embedded document up to its matching %%EndDocument,
// as it is: its own comments (%%Page:, %%Trailer, %%EOF) describe it, not
// the document around it.
void takeEmbedded(std::size_t openedAt, Lines& lines, std::string& out, std::vector<std::string>& notes) {
    int depth = 1;
    while (!lines.done()) {
        std::string_view line = lines.next();
        std::string_view bare = Lines::bare(line);
        out += line;
        if (isComment(bare, "%%BeginData") || isComment(bare, "%%BeginBinary")) takeData(bare, lines, out, notes);
        else if (isComment(bare, "%%BeginDocument")) ++depth;
        else if (bare == "%%EndDocument" && --depth == 0) return;
    }
    notes.push_back("line " + std::to_string(openedAt) +
                    ": %%BeginDocument has no %%EndDocument: the rest of the file is part of it");
}

// The header ends at %%EndComments or at the first line that is not a
// comment ("%" and a visible character).
bool endsHeader(std::string_view bare) {
    return bare.size() < 2 || bare[0] != '%' || bare[1] <= ' ' || bare[1] > '~';
}

Document split(std::string_view text) {
    enum class Where { Header, Prolog, BetweenSections, Setup, PageSetup, PageBody, Trailer };
    Document doc;
    Where where = Where::Header;
    Lines lines(text);
    auto current = [&]() -> std::string& {
        switch (where) {
        case Where::Header: return doc.header;
        case Where::Prolog: return doc.prolog;
        case Where::Setup: return doc.setup;
        case Where::PageSetup: return doc.pages.back().setup;
        case Where::PageBody: return doc.pages.back().body;
        case Where::Trailer: return doc.trailer;
        case Where::BetweenSections: break;
        }
        return doc.loose;
    };
    while (!lines.done()) {
        std::string_view line = lines.next();
        std::string_view bare = Lines::bare(line);

        if (where == Where::Header) {
            if (bare == "%%EndComments") { doc.header += line; where = Where::BetweenSections; continue; }
            if (endsHeader(bare)) where = Where::BetweenSections;
        }
        if (isComment(bare, "%%BeginDocument")) {
            std::string& out = current();
            out += line;
            takeEmbedded(lines.number(), lines, out, doc.notes);
            continue;
        }
        if (isComment(bare, "%%BeginData") || isComment(bare, "%%BeginBinary")) {
            std::string& out = current();
            out += line;
            takeData(bare, lines, out, doc.notes);
            continue;
        }
        if (bare == "%%BeginProlog") { where = Where::Prolog; continue; }
        if (bare == "%%EndProlog" || bare == "%%EndSetup") { where = Where::BetweenSections; continue; }
        if (bare == "%%BeginSetup") { where = Where::Setup; continue; }
        if (startsWith(bare, "%%Page:")) { doc.pages.push_back(Page{std::string(bare), {}, {}}); where = Where::PageBody; continue; }
        if (bare == "%%BeginPageSetup" && !doc.pages.empty()) { where = Where::PageSetup; continue; }
        if (bare == "%%EndPageSetup" && !doc.pages.empty()) { where = Where::PageBody; continue; }
        if (bare == "%%Trailer") { where = Where::Trailer; continue; }
        if (bare == "%%EOF") continue;
        current() += line;
    }
    if (doc.pages.empty()) {
        // Without page comments the script is one page: it draws (and shows)
        // whatever it draws after the setup, where the core driver would.
        doc.notes.push_back("the document has no %%Page: comments: printed as one page");
        doc.pages.push_back(Page{"%%Page: 1 1", {}, std::move(doc.loose)});
        doc.loose.clear();
    } else {
        // Stray lines between sections belong to the setup the core driver
        // would have written them in; a last setup line without its end of
        // line must not run into them.
        endLine(doc.setup);
        doc.setup += doc.loose;
    }
    return doc;
}

}  // namespace

int emitDocument(std::string_view document, StreamSink& sink) {
    Document doc = split(document);
    for (const std::string& note : doc.notes) sink.note(note);
    endLine(doc.header);
    endLine(doc.prolog);
    endLine(doc.setup);
    endLine(doc.trailer);

    sink.inject(kBeginStream);
    if (doc.header.empty() || !startsWith(doc.header, "%!")) sink.bytes("%!PS-Adobe-3.0\n");
    sink.bytes(doc.header);
    sink.bytes("%%BeginProlog\n");
    sink.inject(kBeginProlog);
    sink.bytes(sink.documentProlog());
    sink.bytes(doc.prolog);
    sink.bytes("%%EndProlog\n%%BeginSetup\n");
    sink.inject(kBeginSetup);
    sink.bytes(sink.documentSetup());
    sink.bytes(doc.setup);
    sink.inject(kEndSetup);
    sink.bytes("%%EndSetup\n");
    int number = 0;
    for (Page& page : doc.pages) {
        ++number;
        endLine(page.setup);
        endLine(page.body);
        sink.bytes(page.label + "\n%%BeginPageSetup\n");
        sink.bytes(sink.pageSetup());
        sink.bytes(page.setup);
        sink.inject(kEndPageSetup);
        sink.bytes("%%EndPageSetup\n");
        sink.bytes(page.body);
    }
    sink.bytes("%%Trailer\n");
    sink.bytes(doc.trailer);
    sink.bytes("%%EOF\n");
    sink.inject(kEndStream);
    return number;
}

}  // namespace wren::host
