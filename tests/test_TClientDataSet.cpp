#include "Collation.h"
#include "ColumnRanks.h"
#include "TClientDataSet.h"
#include "UserErrors.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

std::vector<FieldDef> Fields()
{
    return {{u"TITEL"_s, FieldType::Text, 64}, {u"SEITE"_s, FieldType::Integer, 0}, {u"GENRE"_s, FieldType::Text, 64}};
}

// A table holding the given rows in stored order, opened, with AfterScroll counted.
struct Table {
    TClientDataSet ds;
    int scrolls = 0;

    explicit Table(const std::vector<std::vector<FieldValue>> &rows)
    {
        ds.SetFieldDefs(Fields());
        ds.CreateDataSet();
        for (const auto &row : rows) {
            ds.Append();
            for (size_t f = 0; f < row.size(); ++f)
                ds.SetFieldValue(int(f), row[f]);
            ds.Post();
        }
        ds.First();
        QObject::connect(&ds, &TClientDataSet::AfterScroll, [this] { ++scrolls; });
    }

    QString title() const { return ds.FieldByName(u"TITEL"_s).toText(); }

    std::vector<QString> titles()
    {
        std::vector<QString> all;
        for (int r = 0; r < ds.RecordCount(); ++r)
            all.push_back(ds.ValueAtRow(r, 0).toText());
        return all;
    }
};

FieldValue T(const char16_t *text)
{
    return FieldValue(QString::fromUtf16(text));
}

const FieldValue Null = FieldValue::null();

Table ThreeGames()
{
    return Table({{T(u"Anno"), qint64(10), T(u"Strategie")},
                  {T(u"Bolide"), qint64(20), T(u"Rennspiel")},
                  {T(u"Cyber"), qint64(30), T(u"Action")}});
}

struct Step {
    const char *op;
    int row;
    bool eof, bof;
    int scrollsAfter;
};

void Apply(TClientDataSet &ds, const std::string &op)
{
    if (op == "first") ds.First();
    else if (op == "last") ds.Last();
    else if (op == "next") ds.Next();
    else if (op == "prior") ds.Prior();
    else FAIL() << op;
}

} // namespace

TEST(TClientDataSetCursor, MovesFlagsAndAfterScrollFollowTheRules)
{
    Table t = ThreeGames();
    const Step steps[] = {
        {"prior", 0, false, true, 0},  // right after first: nothing
        {"next", 1, false, false, 1},  {"next", 2, false, false, 2},
        {"next", 2, true, false, 3},   // finds no record: flag set, cursor stays, still a move
        {"next", 2, true, false, 3},   // flag set: nothing
        {"prior", 1, false, false, 4}, {"first", 0, false, true, 5},
        {"first", 0, false, true, 6},  // first is never a no-op
        {"last", 2, true, false, 7},   {"next", 2, true, false, 7},
        {"prior", 1, false, false, 8}, {"prior", 0, false, false, 9},
        {"prior", 0, false, true, 10}, // finds no record
        {"prior", 0, false, true, 10},
    };
    for (const Step &s : steps) {
        Apply(t.ds, s.op);
        SCOPED_TRACE(s.op);
        EXPECT_EQ(t.ds.RecNo(), s.row);
        EXPECT_EQ(t.ds.Eof(), s.eof);
        EXPECT_EQ(t.ds.Bof(), s.bof);
        EXPECT_EQ(t.scrolls, s.scrollsAfter);
    }
}

TEST(TClientDataSetCursor, EmptyTableHasNoCurrentRecordAndReadsNull)
{
    Table t({});
    t.ds.First();
    EXPECT_EQ(t.scrolls, 1);
    EXPECT_EQ(t.ds.RecNo(), -1);
    EXPECT_TRUE(t.ds.Eof());
    EXPECT_TRUE(t.ds.Bof());
    t.ds.Next();
    t.ds.Prior();
    EXPECT_EQ(t.scrolls, 1);
    EXPECT_TRUE(t.ds.FieldByName(u"TITEL"_s).isNull());
    EXPECT_TRUE(t.ds.FieldByName(u"SEITE"_s).isNull());
    EXPECT_THROW(t.ds.Delete(), EDatabaseError);
    EXPECT_THROW(t.ds.Edit(), EDatabaseError);
}

TEST(TClientDataSetCursor, MoveByStopsAtTheEnds)
{
    Table t = ThreeGames();
    t.ds.MoveBy(5);
    EXPECT_EQ(t.ds.RecNo(), 2);
    EXPECT_TRUE(t.ds.Eof());
    t.ds.MoveBy(-1);
    t.ds.MoveBy(-7);
    EXPECT_EQ(t.ds.RecNo(), 0);
    EXPECT_TRUE(t.ds.Bof());
    t.ds.MoveBy(0);
    EXPECT_EQ(t.scrolls, 3);
}

TEST(TClientDataSetEditing, AMoveFirstPostsAChangedRecordAndForgetsAnUnchangedOne)
{
    Table t = ThreeGames();
    t.ds.Edit();
    t.ds.SetFieldText(u"titel"_s, u"Anno 1602"_s);
    EXPECT_EQ(t.title(), u"Anno 1602"_s); // the pending value is what the record shows
    t.ds.Next();
    EXPECT_EQ(t.ds.state(), TClientDataSet::State::Browse);
    EXPECT_EQ(t.ds.ValueAtRow(0, 0).toText(), u"Anno 1602"_s);

    t.ds.Edit();
    t.ds.Next();
    EXPECT_EQ(t.ds.state(), TClientDataSet::State::Browse);
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Anno 1602"_s, u"Bolide"_s, u"Cyber"_s}));
}

TEST(TClientDataSetEditing, AppendedRecordIsPostedByTheNextMoveOrDroppedWhenLeftEmpty)
{
    Table t = ThreeGames();
    t.ds.Last();
    const int before = t.scrolls;
    t.ds.Append();
    EXPECT_EQ(t.scrolls, before + 1);
    EXPECT_EQ(t.ds.RecordCount(), 4);
    EXPECT_TRUE(t.ds.FieldByName(u"TITEL"_s).isNull());

    // Left unchanged: dropped; the cursor is back on the last record, which counts as a change of record.
    t.ds.Next();
    EXPECT_EQ(t.ds.RecordCount(), 3);
    EXPECT_EQ(t.ds.RecNo(), 2);
    EXPECT_EQ(t.title(), u"Cyber"_s);
    EXPECT_EQ(t.scrolls, before + 2);

    // Filled in: posted at the end of the stored order, then the move finds no further record.
    t.ds.Append();
    t.ds.SetFieldText(u"TITEL"_s, u"Dune"_s);
    t.ds.SetFieldText(u"SEITE"_s, u""_s);
    t.ds.Next();
    EXPECT_EQ(t.ds.RecordCount(), 4);
    EXPECT_EQ(t.title(), u"Dune"_s);
    EXPECT_TRUE(t.ds.FieldByName(u"SEITE"_s).isNull());
    EXPECT_TRUE(t.ds.Eof());
}

TEST(TClientDataSetEditing, AppendedRecordTakesItsPlaceInTheIndexOrder)
{
    Table t = ThreeGames();
    t.ds.SetIndexFieldNames(u"TITEL"_s);
    t.ds.Append();
    t.ds.SetFieldText(0, u"Baukasten"_s);
    t.ds.Post();
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Anno"_s, u"Baukasten"_s, u"Bolide"_s, u"Cyber"_s}));
    EXPECT_EQ(t.title(), u"Baukasten"_s);
    EXPECT_EQ(t.ds.RecNo(), 1);
}

TEST(TClientDataSetEditing, InsertedRecordStandsBeforeTheCurrentOneInStoredOrder)
{
    struct Case {
        const char *name;
        std::function<void(Table &)> placeCursor;
        std::vector<QString> storedAfter; // "Neu" filled in and posted
    };
    const Case cases[] = {
        {"first", [](Table &t) { t.ds.First(); }, {u"Neu"_s, u"Anno"_s, u"Bolide"_s, u"Cyber"_s}},
        {"middle", [](Table &t) { t.ds.Next(); }, {u"Anno"_s, u"Neu"_s, u"Bolide"_s, u"Cyber"_s}},
        {"last", [](Table &t) { t.ds.Last(); }, {u"Anno"_s, u"Bolide"_s, u"Neu"_s, u"Cyber"_s}},
        {"no current record", [](Table &t) { t.ds.SetFilter(u"TITEL = 'N*'"_s); t.ds.SetFiltered(true); },
         {u"Anno"_s, u"Bolide"_s, u"Cyber"_s, u"Neu"_s}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Table t = ThreeGames();
        c.placeCursor(t);
        const QString current = t.title();
        const int row = t.ds.RecNo() < 0 ? t.ds.RecordCount() : t.ds.RecNo();
        const int scrolls = t.scrolls;

        // Left empty, it goes again when the cursor moves on, and the rows below it count as before.
        t.ds.Insert();
        EXPECT_EQ(t.scrolls, scrolls + 1);
        EXPECT_EQ(t.ds.RecNo(), row);
        EXPECT_TRUE(t.ds.ValueAtRow(row, 0).isNull());
        if (!current.isEmpty()) {
            EXPECT_EQ(t.ds.ValueAtRow(row + 1, 0).toText(), current);
            t.ds.Next(); // onto the row below the new one: the record that was current
            EXPECT_EQ(t.title(), current);
            EXPECT_EQ(t.ds.RecordCount(), 3);
        }

        t.ds.Insert();
        t.ds.SetFieldText(0, u"Neu"_s);
        t.ds.Post();
        EXPECT_EQ(t.title(), u"Neu"_s);
        t.ds.SetFiltered(false);
        EXPECT_EQ(t.titles(), c.storedAfter);
    }
}

TEST(TClientDataSetEditing, InsertedRecordIsStoredBeforeTheCurrentOneWhateverTheIndex)
{
    Table t = ThreeGames();
    t.ds.SetIndexFieldNames(u"GENRE"_s); // Cyber (Action), Bolide (Rennspiel), Anno (Strategie)
    t.ds.First();
    t.ds.Next();
    ASSERT_EQ(t.title(), u"Bolide"_s);
    t.ds.Insert();
    t.ds.SetFieldText(0, u"Neu"_s);
    t.ds.SetFieldText(2, u"Zauberei"_s);
    t.ds.Next(); // posted: it takes its place in the index
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Cyber"_s, u"Bolide"_s, u"Anno"_s, u"Neu"_s}));
    t.ds.SetIndexFieldNames(QString());
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Anno"_s, u"Neu"_s, u"Bolide"_s, u"Cyber"_s}));
}

TEST(TClientDataSetEditing, AnErrorOfTheAfterScrollHandlerReachesTheCallerAfterTheMove)
{
    QTemporaryDir dir;
    Table t = ThreeGames();
    int calls = 0;
    t.ds.SetAfterScrollHandler([&] {
        ++calls;
        throw EDatabaseError(u"Feld 'BILDNAME' nicht gefunden"_s);
    });
    EXPECT_THROW(t.ds.Next(), EDatabaseError);
    EXPECT_EQ(t.title(), u"Bolide"_s); // the move itself is done
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(t.scrolls, 1); // the grids were told first

    // A save whose posted change leaves the filter has written the file before the handler runs.
    t.ds.SetFilter(u"TITEL = 'B*'"_s);
    EXPECT_THROW(t.ds.SetFiltered(true), EDatabaseError);
    t.ds.Edit();
    t.ds.SetFieldText(0, u"Xolide"_s);
    EXPECT_THROW(t.ds.SaveToFile(dir.filePath(u"t.cds"_s)), EDatabaseError);
    TClientDataSet loaded;
    loaded.LoadFromFile(dir.filePath(u"t.cds"_s));
    loaded.Next();
    EXPECT_EQ(loaded.FieldByName(u"TITEL"_s).toText(), u"Xolide"_s);
}

TEST(TClientDataSetEditing, DeleteRemovesTheRecordAndMovesOn)
{
    Table t = ThreeGames();
    t.ds.Next();
    const int before = t.scrolls;
    t.ds.Delete();
    EXPECT_EQ(t.scrolls, before + 1);
    EXPECT_EQ(t.title(), u"Cyber"_s);
    t.ds.Delete();
    EXPECT_EQ(t.title(), u"Anno"_s);
    t.ds.Delete();
    EXPECT_EQ(t.ds.RecordCount(), 0);
    EXPECT_TRUE(t.ds.FieldByName(u"TITEL"_s).isNull());
}

TEST(TClientDataSetEditing, SettingFieldsNeedsEditingAndConvertsText)
{
    Table t = ThreeGames();
    EXPECT_THROW(t.ds.SetFieldText(0, u"x"_s), EDatabaseError);
    t.ds.Edit();
    t.ds.SetFieldText(u"SEITE"_s, u" 42 "_s);
    EXPECT_EQ(t.ds.FieldByName(u"SEITE"_s), FieldValue(qint64(42)));
    t.ds.SetFieldText(u"SEITE"_s, u""_s);
    EXPECT_TRUE(t.ds.FieldByName(u"SEITE"_s).isNull());
    try {
        t.ds.SetFieldText(u"SEITE"_s, u"zwölf"_s);
        FAIL() << "no error";
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.message().contains(u"zwölf"_s)) << e.what();
        EXPECT_TRUE(e.message().contains(u"SEITE"_s)) << e.what();
    }
    t.ds.SetFieldText(u"TITEL"_s, QString(70, u'x'));
    EXPECT_EQ(t.title().size(), 64);
    t.ds.Cancel();
    EXPECT_EQ(t.title(), u"Anno"_s);
}

TEST(TClientDataSetFields, NamesMatchRegardlessOfCaseAndMissingOnesAreNamed)
{
    Table t = ThreeGames();
    EXPECT_EQ(t.ds.FieldByName(u"genre"_s).toText(), u"Strategie"_s);
    EXPECT_EQ(t.ds.FieldIndex(u"Seite"_s), 1);
    EXPECT_EQ(t.ds.FieldCount(), 3);
    EXPECT_EQ(t.ds.FieldDefAt(2).name, u"GENRE"_s);
    EXPECT_EQ(t.ds.FieldText(1), u"10"_s);
    try {
        t.ds.FieldByName(u"BILDNAME"_s);
        FAIL() << "no error";
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.message().contains(u"BILDNAME"_s));
    }
}

TEST(TClientDataSetFields, ClosedTableRaisesOnMovesAndReads)
{
    TClientDataSet ds;
    EXPECT_FALSE(ds.Active());
    EXPECT_THROW(ds.First(), EDatabaseError);
    EXPECT_THROW(ds.Next(), EDatabaseError);
    EXPECT_THROW(ds.FieldByName(u"TITEL"_s), EDatabaseError);
    EXPECT_THROW(ds.Open(), EDatabaseError);
}

TEST(TClientDataSetFields, RecreateEmptyKeepsTheFields)
{
    Table t = ThreeGames();
    t.ds.Close();
    EXPECT_FALSE(t.ds.Active());
    t.ds.CreateDataSet();
    EXPECT_TRUE(t.ds.Active());
    EXPECT_EQ(t.ds.RecordCount(), 0);
    EXPECT_EQ(t.ds.FieldCount(), 3);
    EXPECT_EQ(t.scrolls, 1);
    t.ds.Open(); // already open: nothing
    EXPECT_EQ(t.scrolls, 1);
}

TEST(TClientDataSetOrder, IndexSortsWithoutScrollingAndKeepsTheCursorOnItsRecord)
{
    Table t({{T(u"Zork"), qint64(5), T(u"Adventure")},
             {T(u"Äpfel"), Null, T(u"Denkspiel")},
             {T(u"apfel"), qint64(5), T(u"Adventure")},
             {Null, qint64(-3), T(u"Action")},
             {T(u"Birne"), qint64(1), Null},
             {T(u""), qint64(5), T(u"Adventure")}});
    t.ds.Next(); // on "Äpfel"
    t.scrolls = 0;

    t.ds.SetIndexFieldNames(u"TITEL"_s);
    EXPECT_EQ(t.scrolls, 0);
    EXPECT_EQ(t.title(), u"Äpfel"_s);
    // Null first, then the empty text, then German collation: a, A and Ä before B.
    EXPECT_EQ(t.titles(), (std::vector<QString>{u""_s, u""_s, u"apfel"_s, u"Äpfel"_s, u"Birne"_s, u"Zork"_s}));
    EXPECT_TRUE(t.ds.ValueAtRow(0, 0).isNull());
    EXPECT_FALSE(t.ds.ValueAtRow(1, 0).isNull());

    // Whole numbers by value, Null first; ties broken by the second key, blanks around names ignored.
    t.ds.SetIndexFieldNames(u" SEITE ;  titel "_s);
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Äpfel"_s, u""_s, u"Birne"_s, u""_s, u"apfel"_s, u"Zork"_s}));
    EXPECT_EQ(t.ds.RecNo(), 0);

    // Equal keys keep the stored order.
    t.ds.SetIndexFieldNames(u"GENRE"_s);
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Birne"_s, u""_s, u"Zork"_s, u"apfel"_s, u""_s, u"Äpfel"_s}));

    t.ds.SetIndexFieldNames(u""_s);
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Zork"_s, u"Äpfel"_s, u"apfel"_s, u""_s, u"Birne"_s, u""_s}));
    EXPECT_EQ(t.scrolls, 0);
}

// The order of a field is made on its first sort and kept: every change of its values must
// show in the next sort by it, and a change elsewhere must not upset it.
TEST(TClientDataSetOrder, AKeptOrderFollowsEditsDeletionsInsertionsAndImports)
{
    Table t({{T(u"Cyber"), qint64(30), T(u"Action")},
             {T(u"Anno"), qint64(10), T(u"Strategie")},
             {T(u"Bolide"), qint64(20), T(u"Rennspiel")}});
    using Titles = std::vector<QString>;
    const auto sortedBy = [&t](const QString &names) {
        t.ds.SetIndexFieldNames(names);
        return t.titles();
    };
    // Puts the cursor on the record at `stored` in stored order and sets field f to v.
    const auto change = [&t](int stored, int f, const FieldValue &v) {
        t.ds.SetIndexFieldNames(u""_s);
        t.ds.First();
        t.ds.MoveBy(stored);
        t.ds.Edit();
        t.ds.SetFieldValue(f, v);
        t.ds.Post();
    };
    EXPECT_EQ(sortedBy(u"GENRE"_s), (Titles{u"Cyber"_s, u"Bolide"_s, u"Anno"_s}));
    EXPECT_EQ(sortedBy(u"SEITE; GENRE; TITEL"_s), (Titles{u"Anno"_s, u"Bolide"_s, u"Cyber"_s}));

    change(1, 2, T(u"Abenteuer")); // Anno's genre
    change(0, 1, qint64(5));        // Cyber's page
    EXPECT_EQ(sortedBy(u"GENRE"_s), (Titles{u"Anno"_s, u"Cyber"_s, u"Bolide"_s}));
    EXPECT_EQ(sortedBy(u"SEITE; GENRE; TITEL"_s), (Titles{u"Cyber"_s, u"Anno"_s, u"Bolide"_s}));
    change(2, 0, Null); // Bolide's title: Null comes first
    EXPECT_EQ(sortedBy(u"TITEL"_s), (Titles{u""_s, u"Anno"_s, u"Cyber"_s}));

    t.ds.SetIndexFieldNames(u""_s);
    t.ds.First();
    t.ds.Delete(); // Cyber: the others keep their order
    EXPECT_EQ(sortedBy(u"GENRE"_s), (Titles{u"Anno"_s, u""_s}));

    t.ds.Insert();
    t.ds.SetFieldValue(0, T(u"Zak"));
    t.ds.SetFieldValue(2, T(u"Action"));
    t.ds.Post();
    EXPECT_EQ(sortedBy(u"GENRE"_s), (Titles{u"Anno"_s, u"Zak"_s, u""_s}));

    RecordStore imported(3);
    imported.append({T(u"Xenon"), qint64(1), T(u"Rennspiel")});
    imported.append({T(u"Yeti"), qint64(2), T(u"Denkspiel")});
    t.ds.ReplaceRecords(std::move(imported));
    EXPECT_EQ(sortedBy(u"GENRE"_s), (Titles{u"Yeti"_s, u"Xenon"_s}));
}

// A column's order is made from collation keys, on two threads for a long table. Whatever
// the way, it must be the order the collator gives two texts: equal ranks exactly for texts
// it finds equal (a decomposed "ä" and a precomposed one), Null below all.
TEST(TClientDataSetOrder, ColumnRanksFollowTheCollatorInShortAndLongTables)
{
    const QString longStem = u"Die Siedler der fernen Inseln: Das große Abenteuer der Händler und Seefahrer "_s;
    const std::vector<QString> titleStems = {u"Äpfel"_s, u"äpfel"_s, u"a\u0308pfel"_s, u"apfel"_s, longStem};
    const std::vector<QString> genres = {u"Rennspiel"_s, u"rennspiel"_s, u"Ärger"_s, u"Aerger"_s, u""_s, u"Strategie"_s};
    for (const int size : {300, 6000}) {
        RecordStore records(2);
        QString title;
        for (int i = 0; i < size; ++i) {
            if (i % 16 != 15) // every sixteenth title repeats the one before
                title = titleStems[size_t(i % 5)] + u' ' + QString::number(i / 5);
            const FieldValue titleValue = i % 97 == 0 ? Null : i % 89 == 0 ? FieldValue(u""_s) : FieldValue(title);
            const FieldValue genreValue = i % 11 == 0 ? Null : FieldValue(genres[size_t(i % 6)]);
            records.append({titleValue, genreValue});
        }
        for (const int field : {0, 1}) {
            SCOPED_TRACE(testing::Message() << size << " records, field " << field);
            const std::vector<int> ranks = ColumnRanks(records, field, false);
            ASSERT_EQ(ranks.size(), size_t(size));
            std::vector<std::pair<int, int>> byRank; // rank, record
            for (int r = 0; r < size; ++r) {
                EXPECT_EQ(ranks[size_t(r)] < 0, records.isNull(r, field)) << r;
                if (ranks[size_t(r)] >= 0)
                    byRank.emplace_back(ranks[size_t(r)], r);
            }
            std::sort(byRank.begin(), byRank.end());
            ASSERT_FALSE(byRank.empty());
            EXPECT_EQ(byRank.front().first, 0);
            EXPECT_TRUE(records.text(byRank.front().second, field).isEmpty());
            for (size_t i = 1; i < byRank.size(); ++i) {
                const auto [rankA, a] = byRank[i - 1];
                const auto [rankB, b] = byRank[i];
                const int c = TextCollator().compare(records.textForm(a, field), records.textForm(b, field));
                ASSERT_TRUE(rankB == rankA ? c == 0 : rankB == rankA + 1 && c < 0)
                    << records.textForm(a, field).toStdString() << " (" << rankA << ") / "
                    << records.textForm(b, field).toStdString() << " (" << rankB << ")";
            }
        }
    }
}

// A cell is found by stepping over the ones before it, numbers taking from one to ten bytes.
TEST(RecordStoreCells, EveryCellReadsBackAfterNumbersOfEveryLength)
{
    const std::vector<qint64> numbers = {0, -1, 63, 64, -64, -65, 8191, 8192, qint64(1) << 35,
                                         std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
    RecordStore records(5);
    for (const qint64 n : numbers)
        records.append({FieldValue(n), T(u"x"), FieldValue(n / -3), Null, T(u"Schluss")});
    for (int r = 0; r < records.size(); ++r) {
        const qint64 n = numbers[size_t(r)];
        EXPECT_EQ(records.integer(r, 0), n);
        EXPECT_EQ(records.text(r, 1), QUtf8StringView("x"));
        EXPECT_EQ(records.integer(r, 2), n / -3);
        EXPECT_TRUE(records.isNull(r, 3));
        EXPECT_EQ(records.text(r, 4), QUtf8StringView("Schluss")) << n;
    }
}

TEST(TClientDataSetOrder, UnknownFieldRaisesAndKeepsTheOrder)
{
    Table t = ThreeGames();
    t.ds.SetIndexFieldNames(u"SEITE"_s);
    EXPECT_THROW(t.ds.SetIndexFieldNames(u"GENRE; PREIS"_s), EDatabaseError);
    EXPECT_EQ(t.ds.IndexFieldNames(), u"SEITE"_s);
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Anno"_s, u"Bolide"_s, u"Cyber"_s}));
}

TEST(TClientDataSetFilter, PrefixQuoteAndAsteriskCases)
{
    Table t({{T(u"ABENTEUER"), qint64(1), Null},
             {T(u"Abenteuer"), qint64(2), Null},
             {T(u"A*B-Team"), qint64(3), Null},
             {T(u"AB"), qint64(4), Null},
             {T(u"BALDUR'S RUHM"), qint64(5), Null},
             {Null, qint64(6), Null}});
    struct Case {
        const char16_t *expression;
        std::vector<QString> titles;
        bool ignoreCase = false;
    };
    const Case cases[] = {
        {u"TITEL = 'AB*'", {u"ABENTEUER"_s, u"AB"_s}},       // case counts
        {u"TITEL = 'A*B*'", {u"A*B-Team"_s}},                // an inner asterisk is a character
        {u"TITEL = 'AB'", {u"AB"_s}},                        // no asterisk: the whole title
        {u"titel='BALDUR''S*'", {u"BALDUR'S RUHM"_s}},        // a doubled quote is one quote
        {u"TITEL = '*'", {u"ABENTEUER"_s, u"Abenteuer"_s, u"A*B-Team"_s, u"AB"_s, u"BALDUR'S RUHM"_s}},
        {u"TITEL = 'XYZ*'", {}},
        {u"SEITE = '5*'", {u"BALDUR'S RUHM"_s}},
        // The option to ignore case: every title the exact comparison finds, and those written otherwise.
        {u"TITEL = 'AB*'", {u"ABENTEUER"_s, u"Abenteuer"_s, u"AB"_s}, true},
        {u"TITEL = 'abenteuer'", {u"ABENTEUER"_s, u"Abenteuer"_s}, true},
        {u"TITEL = 'aBENTEUERX*'", {}, true}, // what differs beyond the prefix still counts
        {u"TITEL = 'baldur''s*'", {u"BALDUR'S RUHM"_s}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.expression).toStdString());
        t.ds.SetFilterOptions(c.ignoreCase ? unsigned(TClientDataSet::foCaseInsensitive) : 0u);
        t.ds.SetFilter(QString::fromUtf16(c.expression));
        const int before = t.scrolls;
        t.ds.SetFiltered(true);
        EXPECT_EQ(t.scrolls, before + 1);
        EXPECT_EQ(t.titles(), c.titles);
        EXPECT_EQ(t.ds.RecNo(), c.titles.empty() ? -1 : 0);
        t.ds.SetFiltered(false);
        EXPECT_EQ(t.ds.RecordCount(), 6);
    }
}

TEST(TClientDataSetFilter, MovesStayInsideTheFilterAndAnEmptySelectionReadsNull)
{
    Table t = ThreeGames();
    t.ds.SetFilter(u"TITEL = 'B*'"_s);
    t.ds.SetFiltered(true);
    EXPECT_EQ(t.title(), u"Bolide"_s);
    t.ds.Next();
    EXPECT_TRUE(t.ds.Eof());
    EXPECT_EQ(t.title(), u"Bolide"_s);

    t.ds.SetFilter(u"TITEL = 'Q*'"_s); // replaced while on: applied at once
    EXPECT_EQ(t.ds.RecordCount(), 0);
    EXPECT_TRUE(t.ds.FieldByName(u"TITEL"_s).isNull());
    EXPECT_TRUE(t.ds.FieldByName(u"SEITE"_s).isNull());
}

TEST(TClientDataSetFilter, UnreadableExpressionsRaiseAndChangeNothing)
{
    Table t = ThreeGames();
    t.ds.SetFilter(u"TITEL = 'A*'"_s);
    t.ds.SetFiltered(true);
    for (const char16_t *bad : {u"TITEL = 'ABC", u"TITEL 'A*'", u"= 'A*'", u"TITEL = 'A*' OR 1", u"TITEL = A*",
                                u"TITEL = 'Baldur's*'"}) {
        SCOPED_TRACE(QString::fromUtf16(bad).toStdString());
        EXPECT_THROW(t.ds.SetFilter(QString::fromUtf16(bad)), EDatabaseError);
        EXPECT_EQ(t.ds.Filter(), u"TITEL = 'A*'"_s);
        EXPECT_EQ(t.titles(), (std::vector<QString>{u"Anno"_s}));
    }
    EXPECT_THROW(t.ds.SetFilter(u"PREIS = 'A*'"_s), EDatabaseError);
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Anno"_s}));
}

TEST(TClientDataSetFilter, PostedRecordThatFailsTheFilterLeavesTheSelection)
{
    Table t = ThreeGames();
    t.ds.SetFilter(u"TITEL = 'B*'"_s);
    t.ds.SetFiltered(true);
    t.ds.Edit();
    t.ds.SetFieldText(0, u"Xenon"_s);
    const int before = t.scrolls;
    t.ds.Post();
    EXPECT_EQ(t.ds.RecordCount(), 0);
    EXPECT_EQ(t.scrolls, before + 1);
    t.ds.SetFiltered(false);
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Anno"_s, u"Xenon"_s, u"Cyber"_s}));
}

TEST(TClientDataSetReplace, RecordsAreReplacedWholeAndTheCursorGoesToTheLast)
{
    Table t = ThreeGames();
    t.ds.SetFilter(u"TITEL = 'B*'"_s);
    t.ds.SetFiltered(true);
    t.ds.Edit();
    t.ds.SetFieldText(0, u"Verworfen"_s); // a pending change goes with the old records
    t.scrolls = 0;
    RecordStore fresh(3);
    fresh.append({T(u"Bahn"), qint64(1), Null});
    fresh.append({T(u"Anno"), qint64(2), Null});
    fresh.append({T(u"Brücke"), qint64(3), Null});
    t.ds.ReplaceRecords(std::move(fresh));
    EXPECT_EQ(t.titles(), (std::vector<QString>{u"Bahn"_s, u"Brücke"_s})); // the search still applies
    EXPECT_EQ(t.title(), u"Brücke"_s);
    EXPECT_TRUE(t.ds.Eof());
    EXPECT_EQ(t.scrolls, 1);
    EXPECT_EQ(t.ds.state(), TClientDataSet::State::Browse);
    EXPECT_THROW(t.ds.ReplaceRecords(RecordStore(2)), EDatabaseError);
    EXPECT_EQ(t.ds.RecordCount(), 2);
}
