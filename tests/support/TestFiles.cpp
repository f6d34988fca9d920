#include "TestFiles.h"

#include "RecordStore.h"
#include "TableFile.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/mount.h>

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

ScratchMount::ScratchMount()
{
    if (!dir_.isValid()) {
        reason_ = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray target = QFile::encodeName(dir_.path());
    if (::mount("tmpfs", target.constData(), "tmpfs", 0, "size=16m") != 0) {
        reason_ = QStringLiteral("mounting a tmpfs is not allowed here: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    mounted_ = true;
}

ScratchMount::~ScratchMount()
{
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

bool ScratchMount::makeReadOnly()
{
    const QByteArray target = QFile::encodeName(dir_.path());
    return ::mount("tmpfs", target.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=16m") == 0;
}
