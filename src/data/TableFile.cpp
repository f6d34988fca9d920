#include "TableFile.h"

#include "FileSystem.h"
#include "UserErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>
#include <future>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString CannotOpen(const QString &fileName)
{
    return u"Datei %1 kann nicht geöffnet werden"_s.arg(fileName);
}

struct DbCloser {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

QString QuoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(u'"', u"\"\""_s);
    return u'"' + quoted + u'"';
}

Stmt Prepare(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK)
        return nullptr;
    return Stmt(stmt);
}

FieldDef FieldFromDeclaration(const QString &name, const QString &declaredType)
{
    FieldDef field;
    field.name = name;
    const QString upper = declaredType.toUpper();
    // SQLite's own affinity rule: a declared type containing INT is an integer column.
    if (upper.contains(u"INT"_s)) {
        field.type = FieldType::Integer;
        return field;
    }
    field.type = FieldType::Text;
    static const QRegularExpression sizePattern(u"\\(\\s*(\\d+)\\s*\\)"_s);
    const QRegularExpressionMatch m = sizePattern.match(upper);
    if (m.hasMatch())
        field.size = m.captured(1).toInt();
    return field;
}

QString DeclarationOf(const FieldDef &field)
{
    if (field.type == FieldType::Integer)
        return u"INTEGER"_s;
    if (field.size > 0)
        return u"VARCHAR(%1)"_s.arg(field.size);
    return u"TEXT"_s;
}

// SQLite keeps statistics of its memory under a global lock on every allocation; the
// program never reads them. Must come before SQLite's first use to take effect.
void ConfigureSqliteOnce()
{
    static const bool configured = [] { return sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK; }();
    (void)configured;
}

Db OpenForReading(const QString &fileName, bool immutable)
{
    ConfigureSqliteOnce();
    // A URI, so that a file on a medium that cannot even hold SQLite's lock files still opens.
    QString uri = QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()).toString(QUrl::FullyEncoded);
    uri += immutable ? u"?mode=ro&immutable=1"_s : u"?mode=ro"_s;
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(uri.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        return nullptr;
    return db;
}

std::vector<FieldDef> ReadFields(sqlite3 *db)
{
    std::vector<FieldDef> fields;
    Stmt info = Prepare(db, u"PRAGMA table_info(\"records\")"_s);
    if (!info)
        return fields;
    while (sqlite3_step(info.get()) == SQLITE_ROW) {
        const auto name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info.get(), 1)));
        const auto type = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info.get(), 2)));
        fields.push_back(FieldFromDeclaration(name, type));
    }
    return fields;
}

void ReadIntegerCell(sqlite3_stmt *stmt, int column, RecordStore::Builder &builder, const QString &fileName,
                     const FieldDef &field, int row)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        builder.addInteger(sqlite3_column_int64(stmt, column));
        return;
    case SQLITE_NULL:
        builder.addNull();
        return;
    case SQLITE_FLOAT: {
        const double d = sqlite3_column_double(stmt, column);
        // Only a value inside the 64-bit range may be converted; beyond it, and for inf and
        // NaN, the conversion itself is undefined.
        if (d >= -0x1p63 && d < 0x1p63 && d == double(qint64(d))) {
            builder.addInteger(qint64(d));
            return;
        }
        break;
    }
    default: {
        // A text in a whole-number column is taken when it reads as a whole number.
        const auto *data = static_cast<const char16_t *>(sqlite3_column_text16(stmt, column));
        const int bytes = sqlite3_column_bytes16(stmt, column);
        qint64 number = 0;
        if (data && ParseWholeNumber(QStringView(data, bytes / 2), number)) {
            builder.addInteger(number);
            return;
        }
        break;
    }
    }
    const auto *data = static_cast<const char16_t *>(sqlite3_column_text16(stmt, column));
    const QString shown = data ? ValueExcerpt(QStringView(data, sqlite3_column_bytes16(stmt, column) / 2)) : QString();
    throw EDatabaseError(u"Datei %1, Datensatz %2: '%3' ist keine gültige ganze Zahl für das Feld '%4'"_s
                             .arg(fileName)
                             .arg(row)
                             .arg(shown, field.name));
}

// Reads all rows; returns false when SQLite fails (the caller decides what that means).
bool ReadRows(sqlite3 *db, const QString &fileName, TableData &table)
{
    QString columns;
    for (const FieldDef &f : table.fields)
        columns += (columns.isEmpty() ? QString() : u", "_s) + QuoteIdentifier(f.name);
    Stmt stmt = Prepare(db, u"SELECT %1 FROM \"records\" ORDER BY rowid"_s.arg(columns));
    if (!stmt)
        stmt = Prepare(db, u"SELECT %1 FROM \"records\""_s.arg(columns)); // a table without rowid
    if (!stmt)
        return false;

    const int n = int(table.fields.size());
    RecordStore::Builder builder(table.records);
    int row = 0;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        ++row;
        for (int c = 0; c < n; ++c) {
            if (table.fields[c].type == FieldType::Integer) {
                ReadIntegerCell(stmt.get(), c, builder, fileName, table.fields[c], row);
            } else if (sqlite3_column_type(stmt.get(), c) == SQLITE_NULL) {
                builder.addNull();
            } else {
                const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), c));
                builder.addUtf8(data, sqlite3_column_bytes(stmt.get(), c));
            }
        }
        builder.finish();
    }
    return rc == SQLITE_DONE;
}

// Reads the file at path; messages name the table as fileName. Returns SQLite's code for
// the failure, SQLITE_OK when the table was read, and SQLITE_NOTFOUND for a database
// without a table of records.
int TryRead(const QString &path, const QString &fileName, bool immutable, TableData &table)
{
    Db db = OpenForReading(path, immutable);
    if (!db)
        return SQLITE_CANTOPEN;
    // What failed, in SQLite's words where it has any.
    const auto failure = [&](int otherwise) {
        const int code = sqlite3_errcode(db.get());
        return code == SQLITE_OK ? otherwise : code;
    };
    table.fields = ReadFields(db.get());
    if (table.fields.empty())
        return failure(SQLITE_NOTFOUND);
    table.records = RecordStore(int(table.fields.size()));
    return ReadRows(db.get(), fileName, table) ? SQLITE_OK : failure(SQLITE_ERROR);
}

// A read that failed on the file's own bytes fails the same way when read as immutable;
// only a failure around them (a lock, a journal that cannot be rolled back) is worth
// the second try.
bool WorthReadingImmutable(int code)
{
    return code != SQLITE_OK && code != SQLITE_CORRUPT && code != SQLITE_NOTADB && code != SQLITE_NOTFOUND;
}

// True when the file's header says it is a database in WAL mode.
bool InWalMode(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(20);
    return header.size() == 20 && header.startsWith(QByteArrayView("SQLite format 3\0", 16)) && header[18] == 2
        && header[19] == 2;
}

// A database in WAL mode opened where it lies gets its -wal and -shm files created or
// rewritten beside it, read-only or not. Read from a copy in a private folder instead: the
// copy takes in what the -wal holds, and the table's own folder is not touched.
bool TryReadWalCopy(const QString &path, const QString &fileName, TableData &table)
{
    const QTemporaryDir copy;
    const QString copied = copy.filePath(u"table.cds"_s);
    if (!copy.isValid() || !QFile::copy(path, copied))
        return false;
    const QString wal = path + u"-wal"_s;
    if (QFileInfo::exists(wal) && !QFile::copy(wal, copied + u"-wal"_s))
        return false;
    return TryRead(copied, fileName, false, table) == SQLITE_OK;
}

QString DescribeWriteFailure(int sqliteCode, int err)
{
    if (sqliteCode == SQLITE_FULL || err == ENOSPC || err == EFBIG)
        return u"Der Datenträger ist voll."_s;
    if (sqliteCode == SQLITE_READONLY || err == EROFS)
        return u"Der Datenträger ist schreibgeschützt."_s;
    if (err == EACCES || err == EPERM || sqliteCode == SQLITE_PERM)
        return u"Keine Berechtigung zum Schreiben."_s;
    return u"Beim Schreiben trat ein Fehler auf."_s;
}

[[noreturn]] void FailSave(const QString &fileName, const QString &reason)
{
    throw EDatabaseError(u"Datei %1 kann nicht gespeichert werden. %2"_s.arg(fileName, reason));
}

// Writes the whole table into the empty file at path; returns the SQLite code of the first failure.
int WriteDatabase(const QString &path, const std::vector<FieldDef> &fields, const RecordStore &records)
{
    sqlite3 *raw = nullptr;
    ConfigureSqliteOnce();
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        return rc;
    const auto exec = [&](const char *sql) { return sqlite3_exec(db.get(), sql, nullptr, nullptr, nullptr); };
    // The file is new and private until the rename; durability comes from the sync before it.
    if ((rc = exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN")) != SQLITE_OK)
        return rc;

    QString columns, placeholders;
    for (const FieldDef &f : fields) {
        if (!columns.isEmpty()) {
            columns += u", "_s;
            placeholders += u", "_s;
        }
        columns += QuoteIdentifier(f.name) + u' ' + DeclarationOf(f);
        placeholders += u'?';
    }
    const QByteArray create = u"CREATE TABLE \"records\" (%1)"_s.arg(columns).toUtf8();
    if ((rc = exec(create.constData())) != SQLITE_OK)
        return rc;
    Stmt insert = Prepare(db.get(), u"INSERT INTO \"records\" VALUES (%1)"_s.arg(placeholders));
    if (!insert)
        return sqlite3_errcode(db.get());

    const int n = int(fields.size());
    for (int r = 0; r < records.size(); ++r) {
        for (int c = 0; c < n; ++c) {
            if (records.isNull(r, c)) {
                sqlite3_bind_null(insert.get(), c + 1);
            } else if (records.isInteger(r, c)) {
                sqlite3_bind_int64(insert.get(), c + 1, records.integer(r, c));
            } else {
                const QUtf8StringView text = records.text(r, c);
                sqlite3_bind_text(insert.get(), c + 1, text.data(), int(text.size()), SQLITE_STATIC);
            }
        }
        rc = sqlite3_step(insert.get());
        if (rc != SQLITE_DONE)
            return rc;
        sqlite3_reset(insert.get());
    }
    insert.reset();
    if ((rc = exec("COMMIT")) != SQLITE_OK)
        return rc;
    return sqlite3_close(db.release()) == SQLITE_OK ? SQLITE_OK : SQLITE_IOERR;
}

} // namespace

namespace {

// Reads the table file at path; messages name it as fileName.
TableData ReadTableFileAt(const QString &path, const QString &fileName)
{
    if (!QFileInfo(path).isFile())
        throw EDatabaseError(CannotOpen(fileName));
    TableData table;
    if (InWalMode(path)) {
        // Where no copy can be made, the table is read as it stands, without its -wal.
        if (TryReadWalCopy(path, fileName, table) || TryRead(path, fileName, true, table) == SQLITE_OK)
            return table;
    } else {
        const int code = TryRead(path, fileName, false, table);
        if (code == SQLITE_OK || (WorthReadingImmutable(code) && TryRead(path, fileName, true, table) == SQLITE_OK))
            return table;
    }
    throw EDatabaseError(CannotOpen(fileName));
}

// A table being read ahead, and the names it was asked for by.
struct TableReadAhead {
    QString path; // real path, links resolved
    QString fileName;
    std::future<TableData> table;
    // A thread of the window framework's own: the read makes file objects, and a thread the
    // framework did not start would have to be adopted by it, which on Windows can end in a
    // crash when that thread exits.
    std::unique_ptr<QThread> reader;

    ~TableReadAhead()
    {
        if (reader)
            reader->wait();
    }
    TableReadAhead(QString p, QString f, std::future<TableData> t, std::unique_ptr<QThread> r)
        : path(std::move(p)), fileName(std::move(f)), table(std::move(t)), reader(std::move(r))
    {
    }
    TableReadAhead(TableReadAhead &&) = default;
    TableReadAhead &operator=(TableReadAhead &&) = default;
};
std::optional<TableReadAhead> readAhead;

} // namespace

void ReadTableFileAhead(const QString &path, const QString &fileName)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty())
        return; // no such file: the read in its turn says so
    // The window framework takes the first thread that asks for its thread data as its main
    // thread: this one, before the reader's file objects on the other could.
    QThread::currentThread();
    readAhead.reset();
    auto read = std::make_shared<std::packaged_task<TableData()>>([real, fileName] { return ReadTableFileAt(real, fileName); });
    std::future<TableData> table = read->get_future();
    std::unique_ptr<QThread> reader(QThread::create([read] { (*read)(); }));
    reader->start();
    readAhead.emplace(real, fileName, std::move(table), std::move(reader));
}

TableData ReadTableFile(const QString &fileName)
{
    if (readAhead && readAhead->fileName == fileName && QFileInfo(fileName).canonicalFilePath() == readAhead->path) {
        std::future<TableData> table = std::move(readAhead->table);
        readAhead.reset();
        return table.get(); // its message, if it failed
    }
    return ReadTableFileAt(fileName, fileName);
}

namespace {

// A save is written into "." + the table's name + "." + six letters or digits beside it.
QString SaveFilePrefix(const QFileInfo &target)
{
    return u"."_s + target.fileName() + u"."_s;
}

} // namespace

int RemoveSaveLeftovers(const QString &fileName)
{
    const QFileInfo target(fileName);
    const QString prefix = SaveFilePrefix(target);
    static const QRegularExpression sixLettersOrDigits(u"^[A-Za-z0-9]{6}$"_s);
    int removed = 0;
    for (const QFileInfo &file : QDir(target.absolutePath()).entryInfoList({prefix + u"*"_s}, QDir::Files | QDir::Hidden)) {
        if (!file.isSymLink() && file.fileName().startsWith(prefix)
            && sixLettersOrDigits.match(file.fileName().mid(prefix.size())).hasMatch()
            && QFile::remove(file.filePath()))
            ++removed;
    }
    return removed;
}

void WriteTableFile(const QString &fileName, const std::vector<FieldDef> &fields, const RecordStore &records)
{
    const QFileInfo target(fileName);
    // Only the name is taken from the temporary file: on Windows QTemporaryFile holds its
    // file until it is destroyed, closed or not, and a file held open cannot be renamed there.
    QString tempPath;
    {
        QTemporaryFile temp(target.absolutePath() + u'/' + SaveFilePrefix(target) + u"XXXXXX"_s);
        temp.setAutoRemove(false);
        if (!temp.open()) {
            errno = 0;
            const QFileInfo dir(target.absolutePath());
            FailSave(fileName, DescribeWriteFailure(SQLITE_OK, dir.isWritable() ? EIO : EACCES));
        }
        tempPath = temp.fileName();
    }
    // A failed save leaves no file of its own behind.
    struct RemoveUnlessSaved {
        QString path;
        bool saved = false;
        ~RemoveUnlessSaved()
        {
            if (!saved)
                QFile::remove(path);
        }
    } cleanup{tempPath};

    errno = 0;
    const int rc = WriteDatabase(tempPath, fields, records);
    if (rc != SQLITE_OK)
        FailSave(fileName, DescribeWriteFailure(rc, errno));
    if (!FlushToMedium(tempPath))
        FailSave(fileName, DescribeWriteFailure(SQLITE_IOERR, errno));

    // The new file takes the old one's permissions; a first save gets the usual ones.
    const QFile::Permissions permissions = target.exists()
        ? QFile::permissions(fileName)
        : (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(tempPath, permissions);

    if (const int error = ReplaceFileDurably(tempPath, fileName))
        FailSave(fileName, DescribeWriteFailure(SQLITE_OK, error));
    cleanup.saved = true; // the name now belongs to the saved table
}
