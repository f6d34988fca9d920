#pragma once

#include "FieldValue.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <ostream>
#include <vector>

// Lets test failures show texts as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Makes the given folder current while it lives.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const QString &path);
    ~ScopedCurrentDir();

private:
    QString previous_;
};

QByteArray ReadBytes(const QString &path);
void WriteBytes(const QString &path, const QByteArray &bytes);

// Runs SQL on a database file, creating it when missing (for files written by "another tool").
void RunSql(const QString &path, const QString &sql);

// The first column of the first row of a query, as text.
QString QueryText(const QString &path, const QString &sql);

// Writes a table file with the given fields and rows.
void WriteTable(const QString &path, const std::vector<FieldDef> &fields,
                const std::vector<std::vector<FieldValue>> &rows);

// The tables and the fallback picture, as the CD folder holds them: two games, no tips.
void MakeCdTables(const QString &folder);

// A tmpfs that can be made read-only, for the behaviour on a CD. Needs the right to
// mount (root); available() says whether it could be made, and why not.
class ScratchMount {
public:
    ScratchMount();
    ~ScratchMount();
    bool available() const { return mounted_; }
    QString reason() const { return reason_; }
    QString path() const { return dir_.path(); }
    bool makeReadOnly();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString reason_;
};
