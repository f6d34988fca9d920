// One move of the game table's cursor with the whole review page redrawn (values,
// screenshot decoded from its PNG, badges), on the demo CD.
#include "Detail.h"
#include "Misc.h"
#include "Paintlog.h"
#include "Paintpic.h"
#include "TClientDataSet.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

void CursorMoveWithRedraw(benchmark::State &state)
{
    TDetailansicht window;
    TClientDataSet &table = *window.ClientDataSet1;
    for (auto _ : state) {
        if (table.Eof())
            table.First();
        else
            table.Next();
    }
    state.SetLabel(std::to_string(table.RecordCount()) + " games");
}
BENCHMARK(CursorMoveWithRedraw)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(SPIELDEX_CD_DIR));
    EditModeFlag(emNormal);
    Screenshot(ssInit);
    Screenshot(ssSwitch, nullptr, 1);
    BadgeOverlay(boInit);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
