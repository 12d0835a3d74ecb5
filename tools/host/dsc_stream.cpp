#include "dsc_stream.h"

#include <string>
#include <vector>

namespace wren::host {
namespace {

constexpr std::uint32_t kBeginStream = 1, kBeginProlog = 14, kBeginSetup = 16, kEndSetup = 17, kEndStream = 20,
                        kEndPageSetup = 102;

struct Page {
    std::string_view label;      // the %%Page: line
    std::string setup;           // between %%BeginPageSetup and %%EndPageSetup
    std::string body;
};

struct Document {
    std::string header;          // up to and including %%EndComments
    std::string prolog, setup, trailer;
    std::vector<Page> pages;
};

bool startsWith(std::string_view line, std::string_view prefix) { return line.substr(0, prefix.size()) == prefix; }

Document split(std::string_view text) {
    enum class Where { Header, Prolog, BetweenSections, Setup, PageSetup, PageBody, Trailer };
    Document doc;
    Where where = Where::Header;
    while (!text.empty()) {
        std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol == std::string_view::npos ? text.size() : eol + 1);
        text.remove_prefix(line.size());
        std::string_view bare = line;
        while (!bare.empty() && (bare.back() == '\n' || bare.back() == '\r')) bare.remove_suffix(1);

        if (bare == "%%BeginProlog") { where = Where::Prolog; continue; }
        if (bare == "%%EndProlog" || bare == "%%EndSetup") { where = Where::BetweenSections; continue; }
        if (bare == "%%BeginSetup") { where = Where::Setup; continue; }
        if (startsWith(bare, "%%Page:")) { doc.pages.push_back(Page{bare, {}, {}}); where = Where::PageBody; continue; }
        if (bare == "%%BeginPageSetup" && !doc.pages.empty()) { where = Where::PageSetup; continue; }
        if (bare == "%%EndPageSetup" && !doc.pages.empty()) { where = Where::PageBody; continue; }
        if (bare == "%%Trailer") { where = Where::Trailer; continue; }
        if (bare == "%%EOF") continue;
        switch (where) {
        case Where::Header: doc.header += line; break;
        case Where::Prolog: doc.prolog += line; break;
        case Where::Setup: doc.setup += line; break;
        case Where::PageSetup: doc.pages.back().setup += line; break;
        case Where::PageBody: doc.pages.back().body += line; break;
        case Where::Trailer: doc.trailer += line; break;
        case Where::BetweenSections:
            // Stray lines between sections belong to the setup the core
            // driver would have written them in.
            doc.setup += line;
            break;
        }
    }
    return doc;
}

void endLine(std::string& text) {
    if (!text.empty() && text.back() != '\n') text += '\n';
}

}  // namespace

int emitDocument(std::string_view document, StreamSink& sink) {
    Document doc = split(document);
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
        sink.bytes(std::string(page.label) + "\n%%BeginPageSetup\n");
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
