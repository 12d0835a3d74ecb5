#include "ui/pages/fit_paper_list.h"

namespace wren::ui {

std::int16_t defaultFitPaper(std::uint16_t threadLanguage) {
    return (threadLanguage == 1033 || threadLanguage == 1046) ? kPaperLetter : kPaperA4;
}

void buildFitPaperList(SheetContext& context, const std::vector<NamedPaper>& papers, const OptionTree& tree,
                       std::uint16_t formItem, std::uint16_t threadLanguage) {
    context.fitPapers.clear();
    context.fitPapers.reserve(papers.size());
    for (const NamedPaper& paper : papers) {
        FitPaper entry;
        entry.name = paper.name.substr(0, 63);
        entry.id = paper.size.code;
        entry.width = paper.size.width;
        entry.length = paper.size.length;
        if (formItem != kAbsentItem && formItem < tree.size()) {
            for (std::size_t k = 0; k < tree.optionCount(formItem); ++k) {
                if (tree.optionName(formItem, k) == entry.name) {
                    entry.hidden = tree.optionFlags(formItem, k);
                    break;
                }
            }
        }
        context.fitPapers.push_back(std::move(entry));
    }
    const std::int16_t wanted = defaultFitPaper(threadLanguage);
    context.defaultFitPosition = 0;
    for (std::size_t i = 0; i < context.fitPapers.size(); ++i) {
        if (context.fitPapers[i].id == wanted) {
            context.defaultFitPosition = static_cast<int>(i);
            break;
        }
    }
}

int fitTargetPosition(const SheetContext& context, std::uint32_t stored) {
    if (stored == 100 || stored >= context.fitPapers.size()) return context.defaultFitPosition;
    return static_cast<int>(stored);
}

}  // namespace wren::ui
