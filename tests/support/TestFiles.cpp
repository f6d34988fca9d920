#include "TestFiles.h"

#include "RecordStore.h"
#include "TableFile.h"
#include "TableSchemas.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

using namespace Qt::StringLiterals;

ScopedCurrentDir::ScopedCurrentDir(const QString &path) : previous_(QDir::currentPath())
{
    if (!QDir::setCurrent(path))
        throw std::runtime_error("cannot enter " + path.toStdString());
}

ScopedCurrentDir::~ScopedCurrentDir()
{
    QDir::setCurrent(previous_);
}

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void RunSql(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path.toStdString());
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("SQL failed: " + message);
}

QString QueryText(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path.toStdString());
    }
    sqlite3_stmt *stmt = nullptr;
    QString result;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

void WriteTable(const QString &path, const std::vector<FieldDef> &fields,
                const std::vector<std::vector<FieldValue>> &rows)
{
    RecordStore records(int(fields.size()));
    for (const auto &row : rows)
        records.append(row);
    WriteTableFile(path, fields, records);
}

// The tables and the fallback picture, as the CD folder holds them.
void MakeCdTables(const QString &folder)
{
    QImage fallback(320, 240, QImage::Format_Indexed8);
    fallback.setColorTable({qRgb(40, 40, 90)});
    fallback.fill(0);
    fallback.save(folder + u"/spdexpic.bmp"_s, "BMP");
    WriteTable(folder + u'/' + kGameTableFile, GameTableFields(),
               {{FieldValue(u"Zeta"_s)}, {FieldValue(u"Alpha"_s)}});
    WriteTable(folder + u'/' + kTipsTableFile, TipsTableFields(), {});
}
