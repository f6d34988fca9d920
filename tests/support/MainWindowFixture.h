#pragma once

#include "Detail.h"
#include "FieldValue.h"
#include "RecordingMessages.h"
#include "TestFiles.h"

#include <QColor>
#include <QTemporaryDir>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

// A program folder in a temporary directory with a game table, a tips table and the
// fallback picture, made current, and the main window opened on it in the chosen mode,
// with screenshots loading; boxes are recorded.
class MainWindowFixture {
public:
    using Row = std::vector<FieldValue>;

    // The plain colour of the fallback picture.
    static constexpr QRgb kFallback = qRgb(40, 40, 90);

    // A game row: its title and further fields by name.
    static Row Game(const QString &title, std::initializer_list<std::pair<const char16_t *, FieldValue>> set = {});
    static Row Tip(const QString &title, const QString &issue, qint64 page, const QString &kind, const QString &note);

    // Writes the tables and the fallback picture; the window is opened separately.
    void WriteTables(const std::vector<Row> &games, const std::vector<Row> &tips = {});
    // Opens the main window on the folder as it stands and waits until it shows.
    TDetailansicht &OpenWindow(bool editMode = false);
    void Open(const std::vector<Row> &games, const std::vector<Row> &tips = {}, bool editMode = false);
    void Close(); // destroys the window (edit mode saves) and leaves the folder

    QString Path(const QString &name) const { return dir.filePath(name); }
    QString Title() const;

    QTemporaryDir dir;
    RecordingMessages boxes;
    std::unique_ptr<TDetailansicht> window;

private:
    std::unique_ptr<ScopedCurrentDir> here_;
};
