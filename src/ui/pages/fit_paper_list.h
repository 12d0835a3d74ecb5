// The papers that fit to page can target: what the printer reports, each
// marked hidden when the core driver hides the paper-size option of the same
// name, and the position of the locale's default paper.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/spooler.h"
#include "ui/features/option_tree.h"
#include "ui/features/sheet_context.h"

namespace wren::ui {

inline constexpr std::int16_t kPaperLetter = 1;
inline constexpr std::int16_t kPaperA4 = 9;

// Letter in the United States and Brazil, A4 everywhere else.
std::int16_t defaultFitPaper(std::uint16_t threadLanguage);

// `formItem` is the paper-size item's index, or kAbsentItem.
void buildFitPaperList(SheetContext& context, const std::vector<NamedPaper>& papers, const OptionTree& tree,
                       std::uint16_t formItem, std::uint16_t threadLanguage);

// The stored target position made safe: 100 (and any position the printer
// did not report) means the default paper.
int fitTargetPosition(const SheetContext& context, std::uint32_t stored);

}  // namespace wren::ui
