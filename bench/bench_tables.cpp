// The table engine on a game table of 100,000 records generated like the demo data.
#include "DemoData.h"
#include "TClientDataSet.h"
#include "TableFile.h"
#include "TableSchemas.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr int kGames = 100000;

// The file named by SPIELDEX_BENCH_TABLE, or one written once into a temporary folder.
const QString &TableFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (const char *given = std::getenv("SPIELDEX_BENCH_TABLE"); given && *given)
            return QString::fromLocal8Bit(given);
        const QString written = dir.filePath(kGameTableFile);
        WriteTableFile(written, GameTableFields(), GenerateGameRecords(kGames));
        return written;
    }();
    return path;
}

void LoadToFirstInTitleOrder(benchmark::State &state)
{
    const QString &path = TableFile();
    for (auto _ : state) {
        TClientDataSet table;
        table.LoadFromFile(path);
        table.SetIndexFieldNames(u"TITEL"_s);
        table.First();
        benchmark::DoNotOptimize(table.FieldByName(u"TITEL"_s));
    }
    state.SetItemsProcessed(state.iterations() * kGames);
}
BENCHMARK(LoadToFirstInTitleOrder)->Unit(benchmark::kMillisecond)->UseRealTime();

void ResortByGenreAndTitle(benchmark::State &state)
{
    TClientDataSet table;
    table.LoadFromFile(TableFile());
    for (auto _ : state) {
        state.PauseTiming();
        table.SetIndexFieldNames(u"TITEL"_s);
        state.ResumeTiming();
        table.SetIndexFieldNames(u"GENRE; TITEL"_s);
    }
    state.SetItemsProcessed(state.iterations() * table.RecordCount());
}
BENCHMARK(ResortByGenreAndTitle)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
