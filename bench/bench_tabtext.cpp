// TAB text export and import of a game table of 100,000 records generated like the demo
// data, to and from a real file.
#include "DemoData.h"
#include "TClientDataSet.h"
#include "TabText.h"
#include "TableFile.h"
#include "TableSchemas.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr int kGames = 100000;

QTemporaryDir &WorkDir()
{
    static QTemporaryDir dir;
    return dir;
}

// The table file named by SPIELDEX_BENCH_TABLE, or one written once into the work folder.
QString TableFilePath()
{
    if (const char *given = std::getenv("SPIELDEX_BENCH_TABLE"); given && *given)
        return QString::fromLocal8Bit(given);
    const QString written = WorkDir().filePath(kGameTableFile);
    WriteTableFile(written, GameTableFields(), GenerateGameRecords(kGames));
    return written;
}

TClientDataSet &Table()
{
    static TClientDataSet table;
    static const bool loaded = [] {
        table.LoadFromFile(TableFilePath());
        return true;
    }();
    (void)loaded;
    return table;
}

const QString &TabFilePath()
{
    static const QString path = WorkDir().filePath(u"spiele.tab"_s);
    return path;
}

bool Export(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = file.errorString();
        return false;
    }
    const TabExportResult result = WriteTabText(file, Table());
    error = result.error;
    return result.ok;
}

void ExportGameTable(benchmark::State &state)
{
    Table();
    QString error;
    for (auto _ : state) {
        if (!Export(TabFilePath(), error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * Table().RecordCount());
    state.SetBytesProcessed(state.iterations() * QFile(TabFilePath()).size());
}
BENCHMARK(ExportGameTable)->Unit(benchmark::kMillisecond)->UseRealTime();

void ImportGameTable(benchmark::State &state)
{
    QString error;
    if (!QFile::exists(TabFilePath()) && !Export(TabFilePath(), error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    const std::vector<FieldDef> fields = GameTableFields();
    int records = 0;
    for (auto _ : state) {
        QFile file(TabFilePath());
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the TAB file");
            break;
        }
        const TabImportResult result = ReadTabText(file, fields);
        if (result.outcome != TabImportOutcome::Success) {
            state.SkipWithError(result.message.toStdString().c_str());
            break;
        }
        records = result.records.size();
        benchmark::DoNotOptimize(records);
    }
    state.SetItemsProcessed(state.iterations() * records);
    state.SetBytesProcessed(state.iterations() * QFile(TabFilePath()).size());
}
BENCHMARK(ImportGameTable)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
