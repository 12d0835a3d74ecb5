#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dsc_stream.h"

namespace wren::host {
namespace {

struct Recorder : StreamSink {
    std::string out;
    std::vector<std::string> notes;
    void bytes(std::string_view data) override { out += data; }
    void inject(std::uint32_t point) override { out += "<" + std::to_string(point) + ">"; }
    std::string documentProlog() override { return "[procs]\n"; }
    std::string pageSetup() override { return "[transform]\n"; }
    void note(std::string_view text) override { notes.emplace_back(text); }
};

// The part of the stream from the first page to the trailer.
std::string pagesOf(const std::string& out) {
    std::size_t first = out.find("%%Page:"), trailer = out.rfind("%%Trailer\n");
    return out.substr(first, trailer - first);
}

TEST(DscStream, InjectionPointsComeWhereTheCoreDriverCallsThem) {
    Recorder sink;
    int pages = emitDocument("%!PS-Adobe-3.0\n%%EndComments\n%%BeginProlog\n/p {} def\n%%EndProlog\n"
                             "%%BeginSetup\nsetup\n%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\nps\n%%EndPageSetup\n"
                             "page1\n%%Page: 2 2\npage2\n%%Trailer\nend\n%%EOF\n",
                             sink);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(sink.out,
              "<1>%!PS-Adobe-3.0\n%%EndComments\n%%BeginProlog\n<14>[procs]\n/p {} def\n%%EndProlog\n"
              "%%BeginSetup\n<16>setup\n<17>%%EndSetup\n"
              "%%Page: 1 1\n%%BeginPageSetup\n[transform]\nps\n<102>%%EndPageSetup\npage1\n"
              "%%Page: 2 2\n%%BeginPageSetup\n[transform]\n<102>%%EndPageSetup\npage2\n"
              "%%Trailer\nend\n%%EOF\n<20>");
    EXPECT_TRUE(sink.notes.empty());
}

TEST(DscStream, ADocumentWithoutPagesIsOnePageWithANote) {
    struct Case {
        const char* document;
        const char* page;  // the stream from the page comment to the trailer
    };
    const Case cases[] = {
        {"showpage", "%%Page: 1 1\n%%BeginPageSetup\n[transform]\n<102>%%EndPageSetup\nshowpage\n"},
        {"%!PS\n%%Title: t\n1 1 moveto\nshowpage\n%%Trailer\nx\n",
         "%%Page: 1 1\n%%BeginPageSetup\n[transform]\n<102>%%EndPageSetup\n1 1 moveto\nshowpage\n"},
        {"%!PS\n%%BeginProlog\n/p 1 def\n%%EndProlog\ndraw\n",
         "%%Page: 1 1\n%%BeginPageSetup\n[transform]\n<102>%%EndPageSetup\ndraw\n"},
    };
    for (const Case& c : cases) {
        Recorder sink;
        EXPECT_EQ(emitDocument(c.document, sink), 1) << c.document;
        EXPECT_EQ(pagesOf(sink.out), c.page) << c.document;
        if (std::string_view(c.document).find("%%Title") != std::string_view::npos)
            EXPECT_LT(sink.out.find("%%Title: t\n"), sink.out.find("%%BeginProlog")) << "the header stays a header";
        ASSERT_EQ(sink.notes.size(), 1u);
        EXPECT_EQ(sink.notes[0], "the document has no %%Page: comments: printed as one page");
    }
}

constexpr const char* kEps =
    "%%BeginDocument: logo.eps\n%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n%%EndComments\n"
    "%%BeginProlog\n%%EndProlog\n%%Page: 1 1\nlogo\n%%Trailer\n%%EOF\n%%EndDocument\n";

TEST(DscStream, AnEmbeddedDocumentStaysWhereItIsWithItsOwnComments) {
    Recorder sink;
    const std::string document = std::string("%!PS-Adobe-3.0\n%%EndComments\n%%Page: 1 1\nbefore\n") + kEps +
                                 "after\nshowpage\n%%Page: 2 2\nsecond\n%%Trailer\nouter trailer\n%%EOF\n";
    EXPECT_EQ(emitDocument(document, sink), 2);
    EXPECT_EQ(pagesOf(sink.out), std::string("%%Page: 1 1\n%%BeginPageSetup\n[transform]\n<102>%%EndPageSetup\nbefore\n") +
                                     kEps + "after\nshowpage\n"
                                     "%%Page: 2 2\n%%BeginPageSetup\n[transform]\n<102>%%EndPageSetup\nsecond\n");
    EXPECT_NE(sink.out.find("%%Trailer\nouter trailer\n%%EOF\n<20>"), std::string::npos);
    EXPECT_TRUE(sink.notes.empty());
}

TEST(DscStream, EmbeddedDocumentsNestAndAnUnclosedOneIsNamed) {
    Recorder nested;
    const std::string inner = std::string("%%BeginDocument: outer.eps\n") + kEps + "%%Trailer\n%%EndDocument\n";
    EXPECT_EQ(emitDocument("%!PS\n%%EndComments\n%%Page: 1 1\n" + inner + "%%Trailer\n", nested), 1);
    EXPECT_NE(nested.out.find("<102>%%EndPageSetup\n" + inner + "%%Trailer\n%%EOF\n<20>"), std::string::npos);

    Recorder unclosed;
    EXPECT_EQ(emitDocument("%!PS\n%%EndComments\n%%Page: 1 1\n%%BeginDocument: x\n%%Trailer\n", unclosed), 1);
    EXPECT_NE(unclosed.out.find("%%BeginDocument: x\n%%Trailer\n%%Trailer\n%%EOF"), std::string::npos);
    ASSERT_EQ(unclosed.notes.size(), 1u);
    EXPECT_EQ(unclosed.notes[0], "line 4: %%BeginDocument has no %%EndDocument: the rest of the file is part of it");
}

TEST(DscStream, CountedDataIsNotReadForComments) {
    struct Case {
        std::string data;  // from the opening comment to the end of the data
        const char* note;  // or nullptr
    };
    const Case cases[] = {
        {"%%BeginData: 14 Binary Bytes\n\n%%Trailer\n\x01\xFF\n", nullptr},
        {"%%BeginData: 2 Hex Lines\n%%Page: 9 9\n%%Trailer\n", nullptr},
        {"%%BeginBinary: 11\n%%Trailer\r\n\n", nullptr},
        {"%%BeginData:\n%%Page: 9 9\n%%EndData\n", "line 4: %%BeginData: has no count: its data is taken up to %%EndData"},
    };
    for (const Case& c : cases) {
        Recorder sink;
        const std::string document = "%!PS\n%%EndComments\n%%Page: 1 1\n" + c.data + "%%EndData\nrest\n%%Trailer\n";
        EXPECT_EQ(emitDocument(document, sink), 1) << c.data;
        EXPECT_NE(sink.out.find("<102>%%EndPageSetup\n" + c.data + "%%EndData\nrest\n%%Trailer\n%%EOF"),
                  std::string::npos)
            << sink.out;
        if (c.note) {
            ASSERT_EQ(sink.notes.size(), 1u);
            EXPECT_EQ(sink.notes[0], c.note);
        } else {
            EXPECT_TRUE(sink.notes.empty()) << sink.notes.front();
        }
    }
}

TEST(DscStream, CarriageReturnsEndLinesAndALastLineDoesNotRunIntoTheNext) {
    Recorder sink;
    EXPECT_EQ(emitDocument("%!PS\r%%EndComments\r%%Page: 1 1\rpage\r%%Trailer\r", sink), 1);
    EXPECT_EQ(pagesOf(sink.out), "%%Page: 1 1\n%%BeginPageSetup\n[transform]\n<102>%%EndPageSetup\npage\r\n");

    Recorder stray;
    emitDocument("%!PS\n%%EndComments\nloose\n%%Page: 1 1\np\n%%BeginSetup\nlast setup line", stray);
    EXPECT_NE(stray.out.find("<16>last setup line\nloose\n<17>"), std::string::npos) << stray.out;
}

}  // namespace
}  // namespace wren::host
