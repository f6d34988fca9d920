// The review page and the table view as the reader moves through them:
// - a move of the game table's cursor with the whole page redrawn (values, screenshot
//   decoded from its PNG, badges), on the demo CD, beside its floor: libpng alone decoding
//   the same screenshots in the same order;
// - the table view of a CD with 100,000 games: shown, scrolled one page down, sent to the
//   last row, each until drawn.
#include "DemoData.h"
#include "Detail.h"
#include "Misc.h"
#include "Paintlog.h"
#include "Paintpic.h"
#include "TClientDataSet.h"
#include "TDBGrid.h"
#include "TableFile.h"
#include "TableSchemas.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>
#include <png.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Each game's screenshot file in the window's order, as the page's loader finds it.
std::vector<QByteArray> ScreenshotFiles(TClientDataSet &table)
{
    std::vector<QByteArray> files;
    table.First();
    while (!table.Eof()) {
        const FieldValue name = table.FieldByName(GameFieldName(kBildname));
        files.push_back("DATA/" + QFile::encodeName(PictureKey(table.FieldByName(GameFieldName(kAusgabe)))) + '/'
                        + QFile::encodeName(name.isNull() ? QString() : name.toText()));
        table.Next();
    }
    return files;
}

void CursorMoveWithRedraw(benchmark::State &state)
{
    TDetailansicht window;
    window.show();
    TClientDataSet &table = *window.ClientDataSet1;
    for (auto _ : state) {
        if (table.Eof())
            table.First();
        else
            table.Next();
        window.repaint(); // until the window holds the new page
    }
    state.SetLabel(std::to_string(table.RecordCount()) + " games");
}
BENCHMARK(CursorMoveWithRedraw)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The floor: the same files decoded by libpng alone into a 32-bit bitmap, one per move.
void BareDecodeOfTheSameScreenshots(benchmark::State &state)
{
    std::vector<QByteArray> files;
    {
        TDetailansicht window;
        files = ScreenshotFiles(*window.ClientDataSet1);
    }
    std::vector<png_byte> pixels;
    size_t next = 0;
    int decoded = 0;
    for (auto _ : state) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_file(&image, files[next].constData())) {
            image.format = PNG_FORMAT_BGRA;
            pixels.resize(PNG_IMAGE_SIZE(image));
            decoded += png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        }
        png_image_free(&image);
        next = (next + 1) % files.size();
    }
    state.SetLabel(std::to_string(files.size()) + " files");
    benchmark::DoNotOptimize(decoded);
}
BENCHMARK(BareDecodeOfTheSameScreenshots)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A CD folder with 100,000 games (tables only: their screenshots are missing) and the
// main window on it, shown, in the table view.
struct BigTableView {
    QTemporaryDir folder;
    std::unique_ptr<TDetailansicht> window;

    BigTableView()
    {
        WriteTableFile(folder.filePath(kGameTableFile), GameTableFields(), GenerateGameRecords(100000));
        WriteTableFile(folder.filePath(kTipsTableFile), TipsTableFields(), RecordStore(kTipFieldCount));
        // What a game without its screenshot shows instead.
        QFile::copy(QStringLiteral(SPIELDEX_CD_DIR "/spdexpic.bmp"), folder.filePath(QStringLiteral("spdexpic.bmp")));
        QDir::setCurrent(folder.path());
        window = std::make_unique<TDetailansicht>();
        window->show();
        QCoreApplication::processEvents();
    }
    ~BigTableView() { QDir::setCurrent(QStringLiteral(SPIELDEX_CD_DIR)); }
    void showTable() { window->TasteTabelleClick(); }
    TDBGrid *grid() const { return window->GridTabelle; } // made when the table is first shown
    void showPage() { window->TasteHauptansichtClick(); }
    void draw() { window->repaint(); }
    // The table view shown, its grid holding the keyboard.
    void showTableForKeys()
    {
        showTable();
        draw();
        grid()->setFocus();
    }
    // A key pressed in the grid, until the window is drawn.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(grid(), key, modifiers);
        draw();
    }
};

void TableViewOpened(benchmark::State &state)
{
    BigTableView view;
    for (auto _ : state) {
        state.PauseTiming();
        view.showPage();
        view.draw();
        state.ResumeTiming();
        view.showTable();
        view.draw();
    }
}
BENCHMARK(TableViewOpened)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first opening of a window's table view, which makes its grid.
void TableViewFirstOpened(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<BigTableView>();
        view->draw();
        state.ResumeTiming();
        view->showTable();
        view->draw();
        state.PauseTiming();
        view.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(TableViewFirstOpened)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void TableViewPageDown(benchmark::State &state)
{
    BigTableView view;
    view.showTableForKeys();
    for (auto _ : state) {
        view.press(Qt::Key_PageDown);
        if (view.window->ClientDataSet1->Eof()) {
            state.PauseTiming();
            view.press(Qt::Key_Home, Qt::ControlModifier);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(TableViewPageDown)->Unit(benchmark::kMillisecond)->UseRealTime();

void TableViewToLastRow(benchmark::State &state)
{
    BigTableView view;
    view.showTableForKeys();
    for (auto _ : state) {
        state.PauseTiming();
        view.press(Qt::Key_Home, Qt::ControlModifier);
        state.ResumeTiming();
        view.press(Qt::Key_End, Qt::ControlModifier);
    }
}
BENCHMARK(TableViewToLastRow)->Unit(benchmark::kMillisecond)->UseRealTime();

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
