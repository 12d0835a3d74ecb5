// The document feature mapping runs while the core driver builds its
// settings tree, before the sheet appears. Measured over a tree the size of
// a full printer description (400 items) in which every keyword the mapping
// looks for is present, with paper names to hide and user media types.
#include <benchmark/benchmark.h>

#include "fake_option_tree.h"
#include "fakes.h"
#include "ui/features/feature_mapping.h"
#include "ui/features/feature_tables.h"

namespace {

using namespace wren;
using test::FakeItem;

constexpr std::u16string_view kIni = u"C:\\drivers\\zeplugin.ini";
constexpr std::size_t kTreeItems = 400;

test::FakeOptionTree FullTree() {
    test::FakeOptionTree tree;
    for (std::uint8_t role : {1, 2, 3, 4, 5, 6, 7, 16}) tree.add(FakeItem::role(role));
    FakeItem paper = FakeItem::role(9);
    paper.withOptions({u"A3", u"A4", u"A5", u"B4", u"B5", u"\u30EC\u30BF\u30FC", u"Legal", u"Executive"});
    for (int i = 0; i < 24; ++i) paper.options.push_back({u"Paper " + std::u16string(1, char16_t(u'A' + i))});
    tree.add(paper);
    FakeItem media = FakeItem::role(12);
    for (int i = 0; i < 16; ++i) media.options.push_back({u"Media type name " + std::u16string(1, char16_t(u'A' + i))});
    tree.add(media);
    tree.add(FakeItem::named(423));
    tree.add(FakeItem::named(424));
    FakeItem f25;
    f25.featureNumber = 25;
    tree.add(f25);
    for (const auto& row : ui::DocumentKeywords()) tree.add(FakeItem::feature(std::string(row.keyword), 1));
    // The rest of a printer description: features the plug-in leaves alone,
    // many sharing a prefix with the ones it takes.
    for (std::size_t i = 0; tree.size() < kTreeItems; ++i)
        tree.add(FakeItem::feature("ZEOtherFeature" + std::to_string(i)));
    return tree;
}

void BM_MapDocumentFeatures(benchmark::State& state) {
    test::FakeOptionTree tree = FullTree();
    test::FakeProfile profile;
    profile.addFile(std::u16string(kIni),
                    "[Plg_Feature]\nHidePaperName=A5,B5,Legal,Executive\n"
                    "[Usertype]\nUSERTYPE1=Recycled\nUSERTYPE2=Labels\nUSERTYPE3=Thick\n");
    ui::PaperItems paperItems;
    for (auto _ : state) {
        ui::SheetContext context;
        ui::MapDocumentFeatures(context, tree, profile, kIni, 0x0101, u"C:\\drivers\\zehelp.chm", paperItems);
        benchmark::DoNotOptimize(context);
    }
    state.counters["items"] = static_cast<double>(tree.size());
}
BENCHMARK(BM_MapDocumentFeatures)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
