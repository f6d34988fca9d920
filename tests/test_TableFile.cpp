#include "TClientDataSet.h"
#include "TableFile.h"
#include "TableSchemas.h"
#include "TableTestData.h"
#include "TestFiles.h"
#include "UserErrors.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <random>

using namespace Qt::StringLiterals;

namespace {

QStringList SchemaOf(const QString &path)
{
    const TableData table = ReadTableFile(path);
    QStringList columns;
    for (const FieldDef &f : table.fields)
        columns << u"%1 %2 %3"_s.arg(f.name).arg(f.type == FieldType::Integer ? u"INTEGER"_s : u"TEXT"_s).arg(f.size);
    return columns;
}

} // namespace

TEST(TableFile, RoundTripKeepsTypesNullsEmptyTextsAndStoredOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.cds"_s);
    WriteTable(path, MixedFields(), kRows);
    const TableData table = ReadTableFile(path);
    ASSERT_EQ(table.fields.size(), 3u);
    EXPECT_EQ(table.fields[1].type, FieldType::Integer);
    EXPECT_EQ(table.fields[2].size, 255);
    EXPECT_EQ(AllRows(table), kRows);
}

TEST(TableFile, GameTableHasTheDocumentedColumns)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kGameTableFile);
    WriteTable(path, GameTableFields(), {});
    // What any SQLite tool sees.
    EXPECT_EQ(QueryText(path, u"SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('records')"_s),
              u"TITEL VARCHAR(64), AUSGABE VARCHAR(64), SEITE INTEGER, WERTUNG INTEGER, GRAFIK INTEGER, "
              u"SOUND INTEGER, EINSTIEG INTEGER, KOMPLEXI INTEGER, STEUERUNG INTEGER, MULTIPLAY INTEGER, "
              u"ANSPRUCH VARCHAR(64), GENRE VARCHAR(64), HERSTELLER VARCHAR(64), TESTVER VARCHAR(64), "
              u"BETRIEBS VARCHAR(64), SPRACHE VARCHAR(64), MULTIPLAYT VARCHAR(64), DDKARTE VARCHAR(64), "
              u"HARDWAREM VARCHAR(64), HARDWAREE VARCHAR(64), TESTER VARCHAR(64), EXTRAS VARCHAR(64), "
              u"ZUSATZCD VARCHAR(64), BILDNAME VARCHAR(64)"_s);
    WriteTable(path, TipsTableFields(), {});
    EXPECT_EQ(QueryText(path, u"SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('records')"_s),
              u"Titel VARCHAR(64), Ausgabe VARCHAR(64), Seite INTEGER, Art VARCHAR(64), Hinweis VARCHAR(255)"_s);
}

TEST(TableFile, FilesOfOtherToolsAreReadByDeclaredTypeInRowidOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"fremd.cds"_s);
    RunSql(path, u"CREATE TABLE records (Titel VARCHAR(10), Seite INT, Notiz TEXT, Preis BIGINT);"
                 u"INSERT INTO records(rowid, Titel, Seite, Notiz, Preis) VALUES (30, 'drei', '12', 7, 2.0);"
                 u"INSERT INTO records(rowid, Titel, Seite, Notiz, Preis) VALUES (10, 'eins', NULL, 'x', -1);"
                 u"INSERT INTO records(rowid, Titel, Seite, Notiz, Preis) VALUES (20, 'zwei', 5, '', NULL);"_s);
    const TableData table = ReadTableFile(path);
    EXPECT_EQ(SchemaOf(path),
              (QStringList{u"Titel TEXT 10"_s, u"Seite INTEGER 0"_s, u"Notiz TEXT 0"_s, u"Preis INTEGER 0"_s}));
    const auto rows = AllRows(table);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], FieldValue(u"eins"_s));
    EXPECT_EQ(rows[1][1], FieldValue(qint64(5)));
    EXPECT_EQ(rows[2][1], FieldValue(qint64(12))); // a number stored as text
    EXPECT_EQ(rows[2][2], FieldValue(u"7"_s));     // a number in a text column reads as text
    EXPECT_EQ(rows[2][3], FieldValue(qint64(2)));
}

TEST(TableFile, UnreadableFilesRaiseTheOpenErrorAndLeaveTheTableAsItWas)
{
    QTemporaryDir dir;
    ScopedCurrentDir here(dir.path());
    WriteBytes(u"kaputt.cds"_s, QByteArray("this is not a database at all, not even close.", 47));
    RunSql(u"leer.cds"_s, u"CREATE TABLE andere (x INTEGER)"_s);
    WriteTable(u"gut.cds"_s, MixedFields(), kRows);

    TClientDataSet ds;
    ds.LoadFromFile(u"gut.cds"_s);
    for (const QString &name : {u"fehlt.cds"_s, u"kaputt.cds"_s, u"leer.cds"_s}) {
        EXPECT_EQ(ErrorOf([&] { ds.LoadFromFile(name); }), u"Datei %1 kann nicht geöffnet werden"_s.arg(name));
        EXPECT_EQ(ds.RecordCount(), 3);
        EXPECT_EQ(ds.FieldByName(u"Titel"_s).toText(), u"Zündstoff: Söldner's Rückkehr"_s);
    }
}

// A table read ahead on a thread of its own gives what reading it in its turn gives, its
// message naming the file as asked; a read of another file is not answered by it.
TEST(TableFile, AReadAheadGivesTheTableOrTheMessageOfTheReadItself)
{
    QTemporaryDir dir;
    ScopedCurrentDir here(dir.path());
    WriteTable(u"gut.cds"_s, MixedFields(), kRows);
    WriteBytes(u"kaputt.cds"_s, QByteArray("this is not a database at all, not even close.", 47));
    const auto rows = AllRows(ReadTableFile(u"gut.cds"_s));

    ReadTableFileAhead(dir.filePath(u"gut.cds"_s), u"gut.cds"_s);
    EXPECT_EQ(ErrorOf([] { ReadTableFile(u"kaputt.cds"_s); }), u"Datei kaputt.cds kann nicht geöffnet werden"_s);
    EXPECT_EQ(AllRows(ReadTableFile(u"gut.cds"_s)), rows);

    ReadTableFileAhead(dir.filePath(u"kaputt.cds"_s), u"kaputt.cds"_s);
    EXPECT_EQ(ErrorOf([] { ReadTableFile(u"kaputt.cds"_s); }), u"Datei kaputt.cds kann nicht geöffnet werden"_s);
}

TEST(TableFile, ValuesThatAreNoWholeNumberAreReportedWithRowAndField)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.cds"_s);
    // Letters, a fraction, and floats beyond the 64-bit range, where a plain conversion fails.
    for (const QString &value : {u"'zwölf'"_s, u"2.5"_s, u"9.3e18"_s, u"-1e300"_s, u"9e999"_s}) {
        SCOPED_TRACE(value.toStdString());
        QFile::remove(path);
        RunSql(path, u"CREATE TABLE records (TITEL VARCHAR(64), SEITE INTEGER);"
                     u"INSERT INTO records VALUES ('a', 1), ('b', %1);"_s.arg(value));
        const QString message = ErrorOf([&] { ReadTableFile(path); });
        EXPECT_TRUE(message.contains(u"keine gültige ganze Zahl für das Feld 'SEITE'"_s)) << message.toStdString();
        EXPECT_TRUE(message.contains(u"Datensatz 2"_s)) << message.toStdString();
    }
}

TEST(TableFile, AHugeValueIsRefusedInAWholeNumberColumnWithAShortMessageAndKeptInAText)
{
    QTemporaryDir dir;
    for (const int megabytes : {1, 16}) {
        SCOPED_TRACE(megabytes);
        const QString path = dir.filePath(u"gross%1.cds"_s.arg(megabytes));
        RunSql(path, u"CREATE TABLE records (TITEL VARCHAR(64), SEITE INTEGER);"
                     u"INSERT INTO records VALUES (printf('%.*c', %1, 'x'), 1);"
                     u"INSERT INTO records VALUES ('b', printf('%.*c', %1, '7') || 'x');"_s.arg(megabytes << 20));
        const QString message = ErrorOf([&] { ReadTableFile(path); });
        EXPECT_TRUE(message.contains(u"'7777777777777777777777777777777777777777…'"_s)) << message.left(200).toStdString();
        EXPECT_LT(message.size(), 200) << "the value is quoted cut short";

        RunSql(path, u"UPDATE records SET SEITE = 2 WHERE TITEL = 'b'"_s); // the huge text alone: kept
        EXPECT_EQ(ReadTableFile(path).records.text(0, 0).size(), megabytes << 20);
    }
}

namespace {

// Every file of a folder with its bytes and modification time.
std::map<QString, std::pair<QByteArray, qint64>> Snapshot(const QString &folder)
{
    std::map<QString, std::pair<QByteArray, qint64>> files;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        files[file.fileName()] = {ReadBytes(file.filePath()), file.lastModified().toMSecsSinceEpoch()};
    return files;
}

// A table in WAL mode whose last rows may stay in its -wal, as a crashed writer leaves them.
void WriteWalTable(const QString &path, bool leavePendingFrames)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    if (leavePendingFrames)
        sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    ASSERT_EQ(sqlite3_exec(db,
                           "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                           "CREATE TABLE records (TITEL VARCHAR(64), SEITE INTEGER);"
                           "INSERT INTO records VALUES ('a', 1), ('b', 2), ('c', 3);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
}

} // namespace

TEST(TableFile, ReadingChangesNoFileBesideTheTableWhateverItsJournal)
{
    struct Case {
        const char *what;
        std::function<void(const QString &)> make;
    };
    const Case cases[] = {
        {"rollback journal", [](const QString &p) {
             RunSql(p, u"CREATE TABLE records (TITEL VARCHAR(64), SEITE INTEGER);"
                       u"INSERT INTO records VALUES ('a', 1), ('b', 2), ('c', 3);"_s);
         }},
        {"WAL, checkpointed", [](const QString &p) { WriteWalTable(p, false); }},
        {"WAL with pending frames", [](const QString &p) {
             WriteWalTable(p, true);
             ASSERT_GT(QFileInfo(p + u"-wal"_s).size(), 0);
         }},
        {"WAL with a leftover -shm", [](const QString &p) {
             WriteWalTable(p, false);
             WriteBytes(p + u"-shm"_s, QByteArray(32768, '\x7f'));
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"t.cds"_s);
        c.make(path);
        const auto before = Snapshot(dir.path());
        QThread::msleep(20); // a write would show in the times too
        const TableData table = ReadTableFile(path);
        EXPECT_EQ(table.records.size(), 3) << "the rows in the -wal are read as well";
        EXPECT_EQ(Snapshot(dir.path()), before);
    }
}

TEST(TableFile, LoadsFromAReadOnlyMedium)
{
    ScratchMount medium;
    if (!medium.available())
        GTEST_SKIP() << medium.reason().toStdString();
    const QString plain = medium.path() + u"/spdex_d.cds"_s;
    const QString wal = medium.path() + u"/wal.cds"_s;
    WriteTable(plain, MixedFields(), kRows);
    WriteTable(wal, MixedFields(), kRows);
    RunSql(wal, u"PRAGMA journal_mode=WAL"_s); // such a file needs extra files beside it when opened normally
    ASSERT_TRUE(medium.makeReadOnly());

    for (const QString &path : {plain, wal}) {
        TClientDataSet ds;
        ds.LoadFromFile(path);
        EXPECT_EQ(ds.RecordCount(), 3) << path.toStdString();
    }
    EXPECT_EQ(QDir(medium.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(TableFile, SaveOnAReadOnlyMediumFailsAndChangesNothing)
{
    ScratchMount medium;
    if (!medium.available())
        GTEST_SKIP() << medium.reason().toStdString();
    const QString path = medium.path() + u"/t.cds"_s;
    WriteTable(path, MixedFields(), kRows);
    const QByteArray before = ReadBytes(path);
    ASSERT_TRUE(medium.makeReadOnly());

    TClientDataSet ds;
    ds.LoadFromFile(path);
    const QString message = ErrorOf([&] { ds.SaveToFile(path); });
    EXPECT_TRUE(message.contains(u"kann nicht gespeichert werden"_s)) << message.toStdString();
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(TableFile, ClosedTableIsNeverSaved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.cds"_s);
    WriteTable(path, MixedFields(), kRows);
    const QByteArray before = ReadBytes(path);
    TClientDataSet ds;
    EXPECT_THROW(ds.LoadFromFile(dir.filePath(u"fehlt.cds"_s)), EDatabaseError);
    EXPECT_THROW(ds.SaveToFile(path), EDatabaseError);
    EXPECT_EQ(ReadBytes(path), before);
}

namespace {

// The checks a table file must pass after any stop: SQLite finds it sound, it has the game
// table's columns and one of the given row counts. Returns its row count, or -1.
int SoundGameTable(const QString &path)
{
    if (QueryText(path, u"PRAGMA integrity_check"_s) != u"ok"_s)
        return -1;
    QStringList columns;
    for (const FieldDef &field : ReadTableFile(path).fields)
        columns << field.name;
    QStringList expected;
    for (const FieldDef &field : GameTableFields())
        expected << field.name;
    if (columns != expected)
        return -1;
    return QueryText(path, u"SELECT count(*) FROM records"_s).toInt();
}

} // namespace

// A save of 20,000 games killed at moments spread over its whole run: the table is always the
// old or the new one, complete, and edit mode's start leaves no temporary file behind.
TEST(TableFile, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewTableWhole)
{
    QTemporaryDir dir;
    const QString game = dir.filePath(kGameTableFile);
    const auto save = [&dir](int games) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(SPIELDEX_MKDEMO),
                       {dir.path(), u"--games"_s, QString::number(games), u"--tables-only"_s});
        return process;
    };
    auto first = save(20000); // the old table
    ASSERT_TRUE(first->waitForFinished(60000));
    ASSERT_EQ(SoundGameTable(game), 20000);

    QElapsedTimer clock;
    clock.start();
    auto whole = save(19999);
    ASSERT_TRUE(whole->waitForFinished(60000));
    const qint64 runMs = clock.elapsed();
    ASSERT_EQ(SoundGameTable(game), 19999);

    constexpr int kKills = 30;
    int killedBeforeTheEnd = 0;
    for (int k = 0; k < kKills; ++k) {
        SCOPED_TRACE(k);
        const int games = k % 2 == 0 ? 20000 : 19999; // the new one differs from the one in place
        const int old = SoundGameTable(game);
        auto run = save(games);
        ASSERT_TRUE(run->waitForStarted(10000));
        QThread::msleep(std::max<qint64>(1, runMs * (k + 1) / (kKills + 2)));
        run->kill(); // as hard as a power cut: no handler of the program runs
        run->waitForFinished(10000);
        killedBeforeTheEnd += run->exitStatus() == QProcess::CrashExit;
        const int now = SoundGameTable(game);
        EXPECT_TRUE(now == old || now == games) << "rows: " << now;

        RemoveSaveLeftovers(game); // what edit mode does at its start
        RemoveSaveLeftovers(dir.filePath(kTipsTableFile));
        EXPECT_TRUE(QDir(dir.path()).entryList({u".spdex_*"_s}, QDir::Files | QDir::Hidden).isEmpty());
    }
    EXPECT_GE(killedBeforeTheEnd, kKills / 2) << "the kills came too late to catch saves at work";
    std::cout << "[          ] " << killedBeforeTheEnd << " of " << kKills << " saves killed before their end; a whole save took "
              << runMs << " ms\n";
}

// A few hundred damaged game tables go through the real table code: each ends in a loaded
// table or a German message, quickly, and leaves the folder as it was.
TEST(TableFileSweep, EveryDamagedTableLoadsOrIsRefusedInGermanAndStaysAsItWas)
{
    QTemporaryDir source;
    const QString good = source.filePath(u"gut.cds"_s);
    RecordStore games(int(GameTableFields().size()));
    for (int g = 0; g < 300; ++g) {
        std::vector<FieldValue> row(GameTableFields().size(), FieldValue::null());
        row[kTitel] = FieldValue(u"Spiel Nummer %1 mit einem längeren Titel"_s.arg(g));
        row[kAusgabe] = FieldValue(u"Nr. 1998-12"_s);
        row[kWertung] = FieldValue(qint64(g % 101));
        games.append(row);
    }
    WriteTableFile(good, GameTableFields(), games);
    const QByteArray valid = ReadBytes(good);

    struct Variant {
        QString what;
        std::function<void(const QString &path)> make;
    };
    std::vector<Variant> variants;
    const auto bytes = [](const QByteArray &content) { return [content](const QString &p) { WriteBytes(p, content); }; };
    std::mt19937 random(1998);
    for (int i = 0; i <= 60; ++i) // truncations, the empty file among them
        variants.push_back({u"cut at %1"_s.arg(valid.size() * i / 60), bytes(valid.left(valid.size() * i / 60))});
    for (int i = 0; i < 120; ++i) { // the header
        QByteArray changed = valid;
        changed[random() % 100] = char(random());
        variants.push_back({u"header byte"_s, bytes(changed)});
    }
    for (int i = 0; i < 200; ++i) { // the b-tree pages
        QByteArray changed = valid;
        for (int f = 0, n = 1 + int(random() % 16); f < n; ++f)
            changed[100 + qsizetype(random() % quint32(valid.size() - 100))] = char(random());
        variants.push_back({u"page bytes"_s, bytes(changed)});
    }
    const auto sql = [](const QString &statements) { return [statements](const QString &p) { RunSql(p, statements); }; };
    variants.push_back({u"another table's name"_s, sql(u"CREATE TABLE spiele (TITEL VARCHAR(64))"_s)});
    variants.push_back({u"columns missing"_s, sql(u"CREATE TABLE records (TITEL VARCHAR(64)); INSERT INTO records VALUES ('a')"_s)});
    variants.push_back({u"no columns to speak of"_s, sql(u"CREATE TABLE records (x)"_s)});
    variants.push_back({u"a text in a number column"_s,
                        sql(u"CREATE TABLE records (TITEL VARCHAR(64), SEITE INTEGER); INSERT INTO records VALUES ('a', 'x')"_s)});
    variants.push_back({u"a huge number text"_s,
                        sql(u"CREATE TABLE records (TITEL VARCHAR(64), SEITE INTEGER);"
                            u"INSERT INTO records VALUES ('a', printf('%.*c', 1000000, '9'))"_s)});
    variants.push_back({u"WAL with a damaged -wal"_s, [&valid](const QString &p) {
                            WriteWalTable(p, false);
                            WriteBytes(p + u"-wal"_s, valid.left(5000));
                        }});
    variants.push_back({u"a folder in its place"_s, [](const QString &p) { QDir().mkpath(p); }});

    int loaded = 0, refused = 0;
    qint64 slowestMs = 0;
    for (const Variant &v : variants) {
        SCOPED_TRACE(v.what.toStdString());
        QTemporaryDir dir;
        const QString path = dir.filePath(kGameTableFile);
        v.make(path);
        const auto before = Snapshot(dir.path());
        QElapsedTimer clock;
        clock.start();
        TClientDataSet table;
        try {
            table.LoadFromFile(path);
            ++loaded;
        } catch (const EUserError &error) {
            ++refused;
            EXPECT_TRUE(error.message().startsWith(u"Datei "_s)) << error.message().left(100).toStdString();
        } catch (...) {
            ADD_FAILURE() << "neither a table nor the engine's message";
        }
        slowestMs = std::max(slowestMs, clock.elapsed());
        EXPECT_EQ(Snapshot(dir.path()), before);
    }
    EXPECT_LT(slowestMs, 5000) << "a table kept the reader busy";
    EXPECT_GT(refused, 50);
    std::cout << "[          ] " << variants.size() << " tables: " << loaded << " loaded, " << refused
              << " refused; slowest " << slowestMs << " ms\n";
}
