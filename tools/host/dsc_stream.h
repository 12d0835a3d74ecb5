// The PostScript stream the core driver would produce for a document: the
// document's DSC sections in order, with the plug-in's injection points
// where the core driver calls them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wren::host {

class StreamSink {
public:
    virtual ~StreamSink() = default;
    virtual void bytes(std::string_view data) = 0;
    virtual void inject(std::uint32_t point) = 0;
    // What the core driver itself writes: its procedures at the start of
    // the prolog, the page size at the start of the setup, and the device
    // transform at the start of every page setup.
    virtual std::string documentProlog() { return {}; }
    virtual std::string documentSetup() { return {}; }
    virtual std::string pageSetup() { return {}; }
    // What the splitter had to decide about a document that is not cleanly
    // structured, one sentence each.
    virtual void note(std::string_view) {}
};

// Splits `document` at its DSC comments (%%BeginProlog, %%EndProlog,
// %%BeginSetup, %%EndSetup, %%Page:, %%BeginPageSetup, %%EndPageSetup,
// %%Trailer) and writes it out again with every section present. The header
// ends at %%EndComments or at its first line that is not a comment. An
// embedded document (%%BeginDocument ... %%EndDocument, nested) and counted
// data (%%BeginData: n [type [Bytes|Lines]], %%BeginBinary: n) are copied
// unread into the section that holds them, so comments inside them do not
// re-section the outer document. A document without %%Page: comments is one
// page (everything outside its prolog, setup and trailer), with a note. Calls
// the injection points: BEGINSTREAM before the first byte, BEGINPROLOG after
// %%BeginProlog, BEGINSETUP after %%BeginSetup, ENDSETUP before %%EndSetup,
// ENDPAGESETUP before each %%EndPageSetup (inside the page setup, where the
// core driver calls it), ENDSTREAM after the last byte.
// Returns the number of pages.
int emitDocument(std::string_view document, StreamSink& sink);

}  // namespace wren::host
