// The papers fit to page can target, from the printer's paper list (names of
// any length and content, any codes and sizes) and the paper-size item's
// options, and the target a stored record names (any number).
//
// Invariants: every reported paper is listed once, its name cut to 63
// units; the default target and the stored one resolve to a listed paper,
// or to position 0 when the printer reports none.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fake_option_tree.h"
#include "ui/pages/fit_paper_list.h"

using namespace wren;

namespace {

std::u16string Name(FuzzedDataProvider& in) {
    static const std::u16string known[] = {u"Letter", u"A4", u"A5", u"Legal", u""};
    if (in.ConsumeBool()) return known[in.ConsumeIntegralInRange<std::size_t>(0, std::size(known) - 1)];
    std::u16string s(in.ConsumeIntegralInRange<std::size_t>(0, 80), u'\0');
    for (auto& c : s) c = in.ConsumeIntegral<char16_t>();
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<NamedPaper> papers(in.ConsumeIntegralInRange<std::size_t>(0, 40));
    for (NamedPaper& paper : papers) {
        paper.name = Name(in);
        paper.size.code = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int16_t>(0, 12)
                                           : in.ConsumeIntegral<std::int16_t>();
        paper.size.width = in.ConsumeIntegral<std::int32_t>();
        paper.size.length = in.ConsumeIntegral<std::int32_t>();
    }
    test::FakeOptionTree tree;
    std::uint16_t formItem = ui::kAbsentItem;
    if (in.ConsumeBool()) {
        test::FakeItem form = test::FakeItem::role(9);
        for (std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, 8); n > 0; --n)
            form.options.push_back({Name(in), std::u16string::npos, in.ConsumeIntegral<std::uint8_t>()});
        formItem = static_cast<std::uint16_t>(tree.add(std::move(form)));
    }
    // A position past the tree stands for an item the core driver dropped.
    if (in.ConsumeBool()) formItem = in.ConsumeIntegral<std::uint16_t>();
    const std::uint16_t language = in.ConsumeBool() ? 1033 : in.ConsumeIntegral<std::uint16_t>();

    ui::SheetContext context;
    ui::buildFitPaperList(context, papers, tree, formItem, language);
    if (context.fitPapers.size() != papers.size()) __builtin_trap();
    for (std::size_t i = 0; i < papers.size(); ++i)
        if (context.fitPapers[i].name != papers[i].name.substr(0, 63) || context.fitPapers[i].id != papers[i].size.code)
            __builtin_trap();
    const auto listed = [&](int position) {
        return position == 0 || (position > 0 && static_cast<std::size_t>(position) < context.fitPapers.size());
    };
    if (!listed(context.defaultFitPosition)) __builtin_trap();
    const std::uint32_t stored = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint32_t>(0, 101)
                                                  : in.ConsumeIntegral<std::uint32_t>();
    if (!listed(ui::fitTargetPosition(context, stored))) __builtin_trap();
    return 0;
}
