// The start-up load of the keyword index and the current catalogue into the two global maps.
// Target: at most 2 ms for both tables at their full size on the development machine.
//
// The shipped tables are measured as they are; the "FullSize" cases build tables of the full
// catalogue's shape (10,782 index lines with 20,082 entry numbers, 980 rows), so the figure
// means something even while catalogue/ holds a small sample.

#include "catalogue/CatalogueText.h"
#include "catalogue/ModGlobal.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

// An index of the full table's shape: CamelCase keywords, 1 to 3 entry numbers a line,
// and one long "Desktop"-like line.
const QString &fullSizeIndex()
{
    static const QString text = [] {
        static const char *const parts[] = {"Desktop", "List",    "Box",      "Cell",   "Bold",   "Folder", "Item",
                                            "Native",  "Path",    "Xojo",     "Core",   "Text",   "Value",  "Date",
                                            "Time",    "Picture", "Graphics", "Socket", "Window", "Menu"};
        QString out;
        int numbers = 0;
        for (int line = 0; line < 10782; ++line) {
            if (line)
                out += u'\n';
            int k = line;
            QString key;
            do {
                key += QLatin1String(parts[k % 20]);
                k /= 20;
            } while (k);
            if (line % 7 == 0)
                key += u'.';
            out += key + QString::number(line);
            const int count = line == 5000 ? 272 : 1 + (line % 3 == 0 ? 1 : 0) + (line % 11 == 0 ? 1 : 0);
            for (int e = 0; e < count; ++e, ++numbers)
                out += u' ' + QString::number((line * 7 + e * 3) % 988 + 1).rightJustified(3, u'0');
        }
        return out;
    }();
    return text;
}

const QString &fullSizeCatalogue()
{
    static const QString text = [] {
        QString out;
        int entry = 0;
        for (int row = 0; row < 980; ++row) {
            entry += (row % 120 == 7) ? 2 : 1;
            if (row)
                out += u'\n';
            out += QString::number(entry)
                + QStringLiteral("\tDesktopListBox.CellBoldAt%1\tDeprec\t2019r2\t"
                                 "DesktopListBox.CellBoldAtNewName%1")
                      .arg(row);
        }
        return out;
    }();
    return text;
}

void BM_StartupLoad_Shipped(benchmark::State &state)
{
    for (auto _ : state) {
        auto keywords = ModGlobal::ParseKeywordIndex(Catalogue::KEYWORDS_TEXT_View(), ModGlobal::TextStorage::Static);
        auto rows = ModGlobal::ParseCatalogue(Catalogue::DEPRECATIONS_TEXT_View(), ModGlobal::TextStorage::Static);
        benchmark::DoNotOptimize(keywords);
        benchmark::DoNotOptimize(rows);
    }
    state.counters["index_lines"] = double(ModGlobal::ParseKeywordIndex(Catalogue::KEYWORDS_TEXT_View()).KeyCount());
    state.counters["catalogue_rows"] = double(ModGlobal::ParseCatalogue(Catalogue::DEPRECATIONS_TEXT_View()).size());
}
BENCHMARK(BM_StartupLoad_Shipped)->Unit(benchmark::kMicrosecond);

// Full-size tables held as the compiled-in ones are (they live for the whole run): the start-up
// load's real cost. The 2 ms target applies here.
void BM_StartupLoad_FullSize(benchmark::State &state, ModGlobal::TextStorage storage)
{
    const QString &index = fullSizeIndex();
    const QString &catalogue = fullSizeCatalogue();
    for (auto _ : state) {
        auto keywords = ModGlobal::ParseKeywordIndex(index, storage);
        auto rows = ModGlobal::ParseCatalogue(catalogue, storage);
        benchmark::DoNotOptimize(keywords);
        benchmark::DoNotOptimize(rows);
    }
    state.counters["index_lines"] = double(ModGlobal::ParseKeywordIndex(index).KeyCount());
    state.counters["catalogue_rows"] = double(ModGlobal::ParseCatalogue(catalogue).size());
}
BENCHMARK_CAPTURE(BM_StartupLoad_FullSize, in_place, ModGlobal::TextStorage::Static)->Unit(benchmark::kMicrosecond);
// Any other text is copied key by key: the cost for tables that are not compiled in.
BENCHMARK_CAPTURE(BM_StartupLoad_FullSize, copied, ModGlobal::TextStorage::Copy)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
