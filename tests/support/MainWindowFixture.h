#pragma once

#include "Detail.h"
#include "FieldValue.h"
#include "RecordingMessages.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

// A program folder in a temporary directory with the given game and tips tables, made
// current, and the main window opened on it in the chosen mode; boxes are recorded.
class MainWindowFixture {
public:
    using Row = std::vector<FieldValue>;

    // A game row: its title and further fields by name.
    static Row Game(const QString &title, std::initializer_list<std::pair<const char16_t *, FieldValue>> set = {});
    static Row Tip(const QString &title, const QString &issue, qint64 page, const QString &kind, const QString &note);

    void Open(const std::vector<Row> &games, const std::vector<Row> &tips, bool editMode = false);
    void Close(); // destroys the window (edit mode saves) and leaves the folder

    QString Path(const QString &name) const { return dir.filePath(name); }
    QString Title() const;

    QTemporaryDir dir;
    RecordingMessages boxes;
    std::unique_ptr<TDetailansicht> window;

private:
    std::unique_ptr<ScopedCurrentDir> here_;
};
