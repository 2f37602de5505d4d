// One keystroke's search-filter run on the real main window (offscreen): the keyword with the
// most entries, typed as its last letter, and every keyword of the index in turn.
// Target: at most 0.5 ms for the keyword with the most entries (found from the loaded index).

#include "catalogue/ModGlobal.h"
#include "toolkit/Controls.h"
#include "toolkit/ListBox.h"
#include "windows/BrowserWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>

namespace {

BrowserWindow *g_window = nullptr;

QString largestKeyword()
{
    QString best;
    qsizetype bestCount = -1;
    for (const QString &keyword : ModGlobal::KeyGlobal().Keys()) {
        const qsizetype n = ModGlobal::KeywordEntries(keyword).count(QLatin1Char(' ')) + 1;
        if (n > bestCount) {
            best = keyword;
            bestCount = n;
        }
    }
    return best;
}

// From a cleared display with all but the last letter in the field, type the last letter.
void BM_KeystrokeLargestKeyword(benchmark::State &state)
{
    const QString keyword = largestKeyword();
    Toolkit::TextField *field = g_window->tfSearch();
    const QString last = keyword.right(1);
    for (auto _ : state) {
        state.PauseTiming();
        field->setTextValue(QString());
        field->setTextValue(keyword.chopped(1));
        field->setCursorPosition(int(field->Text().size()));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QTest::keyClicks(field, last);
    }
    if (g_window->searchText() != keyword)
        state.SkipWithError("the keyword was not applied");
    state.SetLabel(keyword.toStdString());
    state.counters["rows"] = g_window->lbSearch()->RowCount();
}

// Every keyword of the index applied from a cleared display; the figure is the mean per keyword.
void BM_EveryKeyword(benchmark::State &state)
{
    const QStringList keywords = ModGlobal::KeyGlobal().Keys();
    Toolkit::TextField *field = g_window->tfSearch();
    for (auto _ : state) {
        std::chrono::duration<double> elapsed{0};
        for (const QString &keyword : keywords) {
            field->setTextValue(QString());
            const auto start = std::chrono::steady_clock::now();
            field->setTextValue(keyword);
            elapsed += std::chrono::steady_clock::now() - start;
        }
        QCoreApplication::processEvents();
        state.SetIterationTime(elapsed.count() / double(keywords.size()));
    }
    state.counters["keywords"] = double(keywords.size());
}

} // namespace

BENCHMARK(BM_KeystrokeLargestKeyword)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EveryKeyword)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(5);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The start-up load creates the application's folder; keep it out of the real home.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());

    QApplication app(argc, argv);
    ModGlobal::RunStartupLoad({});
    g_window = winMain();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete g_window;
    return 0;
}
