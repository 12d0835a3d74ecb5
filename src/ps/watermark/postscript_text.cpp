#include "ps/watermark/postscript_text.h"

namespace wren {

std::string escapePostScriptText(std::string_view text) {
    std::string out;
    const std::size_t considered = text.size() < kEscapeInputLimit ? text.size() : kEscapeInputLimit;
    for (std::size_t i = 0; i < considered; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t') break;
        if (c == '(' || c == ')' || c == '\\') out.push_back('\\');
        out.push_back(static_cast<char>(c));
    }
    if (out.size() > kEscapedTextLimit) {
        out.resize(kEscapeInputLimit);
        std::size_t run = 0;
        while (run < out.size() && out[out.size() - 1 - run] == '\\') ++run;
        if (run % 2 == 1) out.pop_back();
    }
    return out;
}

}  // namespace wren
