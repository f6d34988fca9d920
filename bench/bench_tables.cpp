// The table engine on a game table of 100,000 records generated like the demo data.
#include "DemoData.h"
#include "TClientDataSet.h"
#include "TableFile.h"
#include "TableSchemas.h"
#include "UserErrors.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

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

// A sort by another column of the loaded table: the first one makes the column's order,
// a repeated one finds it kept.
void Resort(benchmark::State &state, const QString &names, bool first)
{
    TClientDataSet table;
    table.LoadFromFile(TableFile());
    for (auto _ : state) {
        state.PauseTiming();
        if (first)
            table.LoadFromFile(TableFile());
        else
            table.SetIndexFieldNames(names); // the order is made once, outside the timing
        table.SetIndexFieldNames(u"SEITE"_s); // another order to start from
        state.ResumeTiming();
        table.SetIndexFieldNames(names);
    }
    state.SetItemsProcessed(state.iterations() * table.RecordCount());
}
BENCHMARK_CAPTURE(Resort, first_GENRE_TITEL, u"GENRE; TITEL"_s, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Resort, repeated_GENRE_TITEL, u"GENRE; TITEL"_s, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Resort, first_HERSTELLER, u"HERSTELLER"_s, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Resort, repeated_HERSTELLER, u"HERSTELLER"_s, false)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor of any re-sort: 100,000 rows sorted by one plain 64-bit key each.
void SortPlainKeys(benchmark::State &state)
{
    std::vector<std::pair<quint64, int>> rows(kGames);
    quint64 x = 0x9E3779B97F4A7C15ull;
    for (auto _ : state) {
        state.PauseTiming();
        for (int r = 0; r < kGames; ++r) {
            x ^= x << 13, x ^= x >> 7, x ^= x << 17;
            rows[size_t(r)] = {x, r};
        }
        state.ResumeTiming();
        std::sort(rows.begin(), rows.end());
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(SortPlainKeys)->Unit(benchmark::kMillisecond)->UseRealTime();

// A table of the demo's first 1,000 games plus one huge value: in a text column it is kept,
// in a whole-number column it is refused. Either costs about what reading it costs; the
// peer is the same table without the huge value.
QString TableWithHugeValue(int megabytes, int column)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(u"gross-%1-%2.cds"_s.arg(megabytes).arg(column));
    if (!QFileInfo::exists(path)) {
        RecordStore games = GenerateGameRecords(1000);
        if (megabytes > 0) {
            std::vector<FieldValue> row(kGameFieldCount, FieldValue::null());
            row[kTitel] = FieldValue(u"Riesig"_s);
            row[column] = FieldValue(QString(megabytes << 20, u'7') + u'x');
            games.append(row);
        }
        // The text lands in the column as it is, whatever the column's type, as another tool
        // could have put it there.
        WriteTableFile(path, GameTableFields(), games);
    }
    return path;
}

void LoadWithHugeValue(benchmark::State &state)
{
    const QString path = TableWithHugeValue(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        TClientDataSet table;
        try {
            table.LoadFromFile(path);
        } catch (const EUserError &error) {
            benchmark::DoNotOptimize(error.message().size());
        }
    }
}
BENCHMARK(LoadWithHugeValue)
    ->ArgNames({"MB", "column"})
    ->Args({0, kTitel})
    ->Args({1, kTitel})
    ->Args({16, kTitel})
    ->Args({1, kSeite})
    ->Args({16, kSeite})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
