// The UI features of a printer description (PPD), as the core driver lists
// them in its settings trees: every *OpenUI ... *CloseUI block with its
// options (and the code each sends), its default and whether it is an
// installable option.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wren::host {

// Bounds on what a description may hold; a file beyond them is refused
// rather than read in part.
inline constexpr std::size_t kPpdMaxKeyword = 40;      // main and option keywords
inline constexpr std::size_t kPpdMaxText = 255;        // translation strings
inline constexpr std::size_t kPpdMaxFeatures = 512;
inline constexpr std::size_t kPpdMaxOptions = 256;
inline constexpr std::size_t kPpdMaxInvocation = 65535;

enum class PpdUiType { PickOne, Boolean, PickMany };

struct PpdOption {
    std::string keyword;
    std::string text;  // the translation string; the keyword when the file has none
    std::string invocation;  // the PostScript the option sends, without its quotes
};

struct PpdFeature {
    std::string keyword;  // without the leading '*'
    std::string text;
    PpdUiType type = PpdUiType::PickOne;
    std::vector<PpdOption> options;
    std::string defaultOption;  // as the file says; may name no option
    bool installable = false;   // inside the InstallableOptions group
    bool jcl = false;           // a *JCLOpenUI feature: its code is PJL, not PostScript
    // *OrderDependency: where the code goes (AnySetup, DocumentSetup,
    // PageSetup, Prolog, ExitServer, JCLSetup) and in which order.
    double order = 0;
    std::string section = "AnySetup";

    // The default's position, else 0 (the core driver's fallback).
    std::size_t defaultIndex() const;
    // The position of an option keyword, when there is one.
    std::optional<std::size_t> find(std::string_view option) const;
};

struct PpdFile {
    std::vector<PpdFeature> features;  // in file order: the core driver's feature numbers
    const PpdFeature* find(std::string_view keyword) const;
};

struct PpdError {
    std::size_t line = 0;
    std::string message;
};

std::optional<PpdFile> parsePpd(std::string_view text, PpdError& error);

}  // namespace wren::host
