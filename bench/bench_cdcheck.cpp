// The CD check on a big CD (20,000 games, each with its own screenshot) beside its floor: a
// plain sequential decode of the same files with the same decoder, in the same run.
#include "CdCheck.h"
#include "Paintpic.h"
#include "TableFile.h"
#include "TableSchemas.h"

#include "DemoData.h"
#include "Palette.h"
#include "PaletteFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kGames = 20000;

// 20,000 demo games; every one gets a screenshot of its own (a few pictures, told apart by
// a pixel), in the folder its issue names.
bool MakeBigCd(const QTemporaryDir &dir)
{
    RecordStore games = GenerateGameRecords(kGames);
    RecordStore named(kGameFieldCount);
    std::vector<QByteArray> pictures;
    for (int p = 0; p < 8; ++p) {
        QImage scene(320, 240, QImage::Format_RGB32);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                scene.setPixel(x, y, qRgb((x * 3 + p * 40) & 255, (y * 2 + p * 17) & 255, (x ^ y) & 255));
        pictures.push_back(EncodePng(ReduceToPalette(scene)));
    }
    for (int g = 0; g < games.size(); ++g) {
        std::vector<FieldValue> row;
        for (int f = 0; f < kGameFieldCount; ++f)
            row.push_back(games.value(g, f));
        row[kBildname] = FieldValue(u"b%1.png"_s.arg(g));
        named.append(row);
        const QString folder = dir.filePath(u"DATA/"_s + PictureKey(row[kAusgabe]));
        QDir().mkpath(folder);
        QFile file(folder + u"/b%1.png"_s.arg(g));
        if (file.open(QIODevice::WriteOnly))
            file.write(pictures[size_t(g) % pictures.size()]);
    }
    WriteTableFile(dir.filePath(kGameTableFile), GameTableFields(), named);
    WriteTableFile(dir.filePath(kTipsTableFile), TipsTableFields(), RecordStore(kTipFieldCount));
    return true;
}

QString BigCd()
{
    static QTemporaryDir dir;
    static const bool made = MakeBigCd(dir);
    return made ? dir.path() : QString();
}

void BM_CheckCd(benchmark::State &state)
{
    const QString folder = BigCd();
    for (auto _ : state) {
        const CheckReport report = CheckCd(folder, {int(state.range(0)), {}});
        if (report.games != kGames || report.screenshots != kGames)
            state.SkipWithError("the big CD is not what it should be");
        benchmark::DoNotOptimize(report.findings.size());
    }
}
BENCHMARK(BM_CheckCd)->Arg(0)->Arg(1)->ArgName("threads (0: one per core)")->Unit(benchmark::kMillisecond)
    ->Iterations(1)->UseRealTime();

// The floor: the same files decoded one after the other, nothing else.
void BM_SequentialDecode(benchmark::State &state)
{
    const QString folder = BigCd();
    QStringList files;
    for (QDirIterator it(folder + u"/DATA"_s, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    for (auto _ : state) {
        QImage bitmap;
        int shown = 0;
        for (const QString &path : files) {
            if (std::FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb")) {
                shown += DecodeScreenshot(file, bitmap) == ssShown;
                std::fclose(file);
            }
        }
        if (shown != kGames)
            state.SkipWithError("a picture did not decode");
    }
}
BENCHMARK(BM_SequentialDecode)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
