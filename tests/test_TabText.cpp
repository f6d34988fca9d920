#include "DemoData.h"
#include "TClientDataSet.h"
#include "TabText.h"
#include "TableFile.h"
#include "TableSchemas.h"
#include "TestFiles.h"
#include "UserErrors.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Row = std::vector<FieldValue>;
using Rows = std::vector<Row>;

const FieldValue N = FieldValue::null();
FieldValue T(const QString &text) { return FieldValue(text); }
FieldValue I(qint64 number) { return FieldValue(number); }

std::vector<FieldDef> ThreeTexts()
{
    return {{u"A"_s, FieldType::Text, 64}, {u"B"_s, FieldType::Text, 64}, {u"C"_s, FieldType::Text, 64}};
}

std::vector<FieldDef> TextNumberText()
{
    return {{u"A"_s, FieldType::Text, 64}, {u"N"_s, FieldType::Integer, 0}, {u"C"_s, FieldType::Text, 64}};
}

Rows RowsOf(const RecordStore &records)
{
    Rows rows;
    for (int r = 0; r < records.size(); ++r) {
        rows.emplace_back();
        for (int f = 0; f < records.fieldCount(); ++f)
            rows.back().push_back(records.value(r, f));
    }
    return rows;
}

QString Show(const Rows &rows)
{
    QString s;
    for (const Row &row : rows) {
        s += u'[';
        for (const FieldValue &v : row)
            s += v.isNull() ? u"Null "_s : v.isInteger() ? QString::number(v.integer()) + u' ' : u'"' + v.text() + u"\" "_s;
        s += u"] "_s;
    }
    return s;
}

// Hands out its bytes a few at a time, the counts cycling through `pattern`; at the end
// either the end of the bytes or, with failAtEnd, a read error.
class TrickleDevice : public QIODevice {
public:
    TrickleDevice(QByteArray bytes, std::vector<int> pattern, bool failAtEnd = false)
        : bytes_(std::move(bytes)), pattern_(std::move(pattern)), failAtEnd_(failAtEnd)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        if (failAtEnd_ && pos_ == bytes_.size()) {
            setErrorString(u"Lesefehler"_s);
            return -1;
        }
        const qint64 n = std::min({max, qint64(pattern_[turn_++ % pattern_.size()]), qint64(bytes_.size()) - pos_});
        std::copy_n(bytes_.constData() + pos_, n, data);
        pos_ += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray bytes_;
    std::vector<int> pattern_;
    bool failAtEnd_;
    size_t turn_ = 0;
    qint64 pos_ = 0;
};

// Takes up to `capacity` bytes; a write that does not fit fails whole, like a full disk.
class FullDiskDevice : public QIODevice {
public:
    explicit FullDiskDevice(qint64 capacity) : capacity_(capacity) { open(QIODevice::WriteOnly); }
    QByteArray written;
    int writesAfterFailure = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (failed_)
            ++writesAfterFailure;
        if (failed_ || written.size() + size > capacity_) {
            failed_ = true;
            setErrorString(u"Kein Platz auf dem Datenträger"_s);
            return -1;
        }
        written.append(data, size);
        return size;
    }

private:
    qint64 capacity_;
    bool failed_ = false;
};

TabImportResult ReadBytes(const QByteArray &bytes, const std::vector<FieldDef> &fields)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return ReadTabText(buffer, fields);
}

// An open table of the given fields holding rows in stored order.
void Fill(TClientDataSet &table, const std::vector<FieldDef> &fields, const Rows &rows)
{
    table.SetFieldDefs(fields);
    table.CreateDataSet();
    for (const Row &row : rows) {
        table.Append();
        for (int f = 0; f < int(row.size()); ++f)
            table.SetFieldValue(f, row[size_t(f)]);
        table.Post();
    }
}

QByteArray Export(const TClientDataSet &table, TabExportResult *result = nullptr)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const TabExportResult r = WriteTabText(buffer, table);
    if (result)
        *result = r;
    return bytes;
}

QByteArray Latin(const char *text) { return QByteArray(text); }

struct ImportCase {
    const char *name;
    QByteArray bytes;
    TabImportOutcome outcome;
    Rows rows;
};

const QByteArray k64(64, 'x');
const QByteArray k65(65, 'x');

std::vector<ImportCase> ImportCases()
{
    using O = TabImportOutcome;
    return {
        {"CrLf", "A\tB\tC\r\nx\ty\tz\r\nu\tv\tw\r\n", O::Success, {{T(u"x"_s), T(u"y"_s), T(u"z"_s)}, {T(u"u"_s), T(u"v"_s), T(u"w"_s)}}},
        {"LfOnly", "A\tB\tC\nx\ty\tz\nu\tv\tw\n", O::Success, {{T(u"x"_s), T(u"y"_s), T(u"z"_s)}, {T(u"u"_s), T(u"v"_s), T(u"w"_s)}}},
        {"CrOnly", "A\tB\tC\rx\ty\tz\ru\tv\tw\r", O::Success, {{T(u"x"_s), T(u"y"_s), T(u"z"_s)}, {T(u"u"_s), T(u"v"_s), T(u"w"_s)}}},
        {"ShortLineLeavesRestNull", "h\r\nx\r\nu\tv\tw\r\n", O::Success, {{T(u"x"_s), N, N}, {T(u"u"_s), T(u"v"_s), T(u"w"_s)}}},
        {"TabBeforeLineEndGivesEmptyThenNull", "h\r\nx\t\r\n", O::Success, {{T(u"x"_s), T(u""_s), N}}},
        {"ShortLastLineWithoutLineEnd", "h\r\nx\ty\tz\r\nx\ty", O::EndsInsideRecord, {}},
        {"CompleteLastLineWithoutLineEnd", "h\r\nx\ty\tz", O::Success, {{T(u"x"_s), T(u"y"_s), T(u"z"_s)}}},
        {"EmptyLastValueAtEndOfFile", "h\r\nx\ty\t", O::Success, {{T(u"x"_s), T(u"y"_s), T(u""_s)}}},
        {"BlankLinesVanish", "h\r\n\r\n\nx\ty\tz\r\n\r\n\r\r\nu\tv\tw\r\n\r\n", O::Success,
         {{T(u"x"_s), T(u"y"_s), T(u"z"_s)}, {T(u"u"_s), T(u"v"_s), T(u"w"_s)}}},
        {"TabsOnlyIsRecordOfEmptyValues", "h\r\n\t\t\r\n", O::Success, {{T(u""_s), T(u""_s), T(u""_s)}}},
        {"ExtraValueStartsNewRecord", "h\r\nx\ty\tz\tq\r\nu\tv\tw\r\n", O::Success,
         {{T(u"x"_s), T(u"y"_s), T(u"z"_s)}, {T(u"q"_s), N, N}, {T(u"u"_s), T(u"v"_s), T(u"w"_s)}}},
        {"EmptyExtraValueGivesNothing", "h\r\nx\ty\tz\t\r\n", O::Success, {{T(u"x"_s), T(u"y"_s), T(u"z"_s)}}},
        {"TwoEmptyExtraValuesGiveARecord", "h\r\nx\ty\tz\t\t\r\n", O::Success,
         {{T(u"x"_s), T(u"y"_s), T(u"z"_s)}, {T(u""_s), T(u""_s), N}}},
        {"OtherControlCharactersEndRecords", Latin("h\r\nx\fy\tz\r\n") + QByteArray("a\0b\r\n", 5), O::Success,
         {{T(u"x"_s), N, N}, {T(u"y"_s), T(u"z"_s), N}, {T(u"a"_s), N, N}, {T(u"b"_s), N, N}}},
        {"FileBeginningWithLineEndHasEmptyHeader", "\r\nx\ty\tz\r\n", O::Success, {{T(u"x"_s), T(u"y"_s), T(u"z"_s)}}},
        {"HeaderIsNotCompared", "Name\tmit\tTAB\tund\tmehr\r\nx\r\n", O::Success, {{T(u"x"_s), N, N}}},
        {"HeaderOnlyWithLineEnd", "A\tB\tC\r\n", O::NoRecords, {}},
        {"HeaderOnlyWithoutLineEnd", "A\tB\tC", O::NoRecords, {}},
        {"HeaderAndBlankLines", "A\tB\tC\r\n\r\n\n", O::NoRecords, {}},
        {"EmptyFile", "", O::NoRecords, {}},
        {"EndsBeforeLastFieldAfterGoodRecords", "h\r\nx\ty\tz\r\nu\tv", O::EndsInsideRecord, {}},
        {"SixtyFourCharactersAreRead", "h\r\n" + k64 + "\t\t" + k64 + "\r\n", O::Success,
         {{T(QString::fromLatin1(k64)), T(u""_s), T(QString::fromLatin1(k64))}}},
        {"SixtyFiveCharactersInFirstField", "h\r\n" + k65 + "\ty\tz\r\n", O::ValueTooLong, {}},
        {"SixtyFiveCharactersAtEndOfFile", "h\r\nx\ty\t" + k65, O::ValueTooLong, {}},
        {"TooLongValueBeforeEndOfFile", "h\r\n" + k65, O::ValueTooLong, {}},
        {"HighBytesAreWindows1252", "h\r\n\x80\x9F\tSt\xE4rke\t\x8A\r\n", O::Success,
         {{T(u"€Ÿ"_s), T(u"Stärke"_s), T(u"Š"_s)}}},
    };
}

void PrintTo(const ImportCase &c, std::ostream *os) { *os << c.name; }

class TabTextImport : public ::testing::TestWithParam<ImportCase> {};

} // namespace

TEST_P(TabTextImport, OutcomeAndRecords)
{
    const ImportCase &c = GetParam();
    const TabImportResult result = ReadBytes(c.bytes, ThreeTexts());
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(RowsOf(result.records), c.rows) << Show(RowsOf(result.records)).toStdString();
    EXPECT_EQ(result.records.fieldCount(), 3);
    EXPECT_EQ(result.message.isEmpty(), c.outcome == TabImportOutcome::Success);
}

// However the bytes arrive, one at a time or in odd pieces, the import is the same.
TEST_P(TabTextImport, SameResultWhateverPiecesTheBytesComeIn)
{
    const ImportCase &c = GetParam();
    for (const std::vector<int> &pattern : {std::vector<int>{1}, std::vector<int>{2, 1, 5}, std::vector<int>{3, 7, 1, 64}}) {
        TrickleDevice device(c.bytes, pattern);
        const TabImportResult result = ReadTabText(device, ThreeTexts());
        EXPECT_EQ(result.outcome, c.outcome) << "pattern starting " << pattern[0];
        EXPECT_EQ(RowsOf(result.records), c.rows) << "pattern starting " << pattern[0];
    }
}

INSTANTIATE_TEST_SUITE_P(TabText, TabTextImport, ::testing::ValuesIn(ImportCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TabText, ImportMessagesFollowTheOutcome)
{
    EXPECT_EQ(ReadBytes("h\r\nx", ThreeTexts()).message, u"Die Datei enthält zu wenig Datensätze"_s);
    EXPECT_EQ(ReadBytes("h\r\n" + k65, ThreeTexts()).message,
              u"Die Datei besitzt einen Datensatz mit mehr als 64 Zeichen"_s);
    EXPECT_EQ(ReadBytes("h\r\n", ThreeTexts()).message, u"Die Datei enthält keine Datensätze"_s);
}

TEST(TabText, ImportConvertsThroughTheFieldsOwnConversion)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        TabImportOutcome outcome;
        Rows rows;
    };
    using O = TabImportOutcome;
    const std::vector<Case> cases = {
        {"number", "h\r\nx\t42\tz\r\n", O::Success, {{T(u"x"_s), I(42), T(u"z"_s)}}},
        {"negative and blanks", "h\r\nx\t -7 \tz\r\n", O::Success, {{T(u"x"_s), I(-7), T(u"z"_s)}}},
        {"empty number is Null, empty text is empty", "h\r\n\t\t\r\n", O::Success, {{T(u""_s), N, T(u""_s)}}},
        {"letters in a number", "h\r\nx\t4a\tz\r\n", O::ValueNotAccepted, {}},
        {"bad number after good records", "h\r\nx\t1\tz\r\nx\tzwei\tz\r\n", O::ValueNotAccepted, {}},
        // the first fault decides
        {"bad number before a too long value", "h\r\nx\tzwei\t" + k65 + "\r\n", O::ValueNotAccepted, {}},
        {"too long value before a bad number", "h\r\n" + k65 + "\tzwei\tz\r\n", O::ValueTooLong, {}},
        {"bad number before the file ends short", "h\r\nx\tzwei\tz\r\nx", O::ValueNotAccepted, {}},
    };
    for (const Case &c : cases) {
        const TabImportResult result = ReadBytes(c.bytes, TextNumberText());
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(RowsOf(result.records), c.rows) << c.name << ": " << Show(RowsOf(result.records)).toStdString();
    }

    QString engineText;
    try {
        ConvertTextForField(TextNumberText()[1], u"4a"_s);
    } catch (const EDatabaseError &e) {
        engineText = e.message();
    }
    ASSERT_FALSE(engineText.isEmpty());
    EXPECT_EQ(ReadBytes("h\r\nx\t4a\tz\r\n", TextNumberText()).message, engineText);
}

TEST(TabText, ImportKeepsAtMostTheTextFieldsSize)
{
    const std::vector<FieldDef> fields = {{u"K"_s, FieldType::Text, 3}, {u"L"_s, FieldType::Text, 0}};
    const TabImportResult result = ReadBytes("h\r\nabcdef\t" + k64 + "\r\n", fields);
    ASSERT_EQ(result.outcome, TabImportOutcome::Success);
    EXPECT_EQ(RowsOf(result.records), (Rows{{T(u"abc"_s), T(QString::fromLatin1(k64))}}));
}

// A read error is no end of file: complete records before it must not pass as the file.
TEST(TabText, ImportFailsWholeOnReadError)
{
    TrickleDevice device("h\r\nx\ty\tz\r\nu\tv\tw\r\n", {4096}, true);
    const TabImportResult result = ReadTabText(device, ThreeTexts());
    EXPECT_EQ(result.outcome, TabImportOutcome::ReadFailed);
    EXPECT_EQ(result.records.size(), 0);
    EXPECT_TRUE(result.message.contains(u"Lesefehler"_s)) << result.message.toStdString();
}

TEST(TabText, Windows1252BothWays)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = DecodeWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    QByteArray back;
    EXPECT_TRUE(EncodeWindows1252(text, back));
    EXPECT_EQ(back, all);

    const std::vector<std::pair<unsigned char, char16_t>> known = {
        {0x41, u'A'}, {0x80, u'€'}, {0x8A, u'Š'}, {0x93, u'“'}, {0x9F, u'Ÿ'}, {0xA0, 0x00A0}, {0xE4, u'ä'}, {0xFF, u'ÿ'}};
    for (const auto &[byte, ch] : known)
        EXPECT_EQ(text.at(byte).unicode(), ch) << int(byte);

    // Characters the code page lacks, among them a C1 control that Latin-1 would take.
    for (const QString &missing : {u"Ā"_s, u"😀"_s, QString(QChar(0x80)), QString(QChar(0x9F)), u"ő"_s}) {
        QByteArray out = "ab";
        EXPECT_FALSE(EncodeWindows1252(u"x"_s + missing + u"y"_s, out)) << missing.toStdString();
        EXPECT_EQ(out, "abx");
    }
}

TEST(TabText, ExportWritesHeaderAndRecordsWithNullAsEmpty)
{
    TClientDataSet table;
    Fill(table, TextNumberText(), {{T(u"x"_s), N, T(u"z"_s)}, {T(u"Größe €"_s), I(-12), T(u""_s)}, {N, I(0), N}});
    TabExportResult result;
    const QByteArray bytes = Export(table, &result);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.rowsWritten, 3);
    EXPECT_EQ(bytes, "A\tN\tC\r\nx\t\tz\r\nGr\xF6\xDF" "e \x80\t-12\t\r\n\t0\t\r\n");
}

TEST(TabText, ExportOfEmptyTableIsTheHeaderAlone)
{
    TClientDataSet table;
    Fill(table, ThreeTexts(), {});
    EXPECT_EQ(Export(table), "A\tB\tC\r\n");
}

TEST(TabText, ExportWritesVisibleRowsInViewOrderWithoutMovingTheCursor)
{
    TClientDataSet table;
    Fill(table, ThreeTexts(),
         {{T(u"Zeta"_s), T(u"1"_s), N}, {T(u"Alpha"_s), T(u"2"_s), N}, {T(u"Omega"_s), T(u"3"_s), N},
          {T(u"Aber"_s), T(u"4"_s), N}});
    table.SetIndexFieldNames(u"A"_s);
    table.SetFilter(u"A = 'A*'"_s);
    table.SetFiltered(true);
    table.Last();
    const int row = table.RecNo();
    int scrolls = 0;
    QObject::connect(&table, &TClientDataSet::AfterScroll, [&] { ++scrolls; });

    EXPECT_EQ(Export(table), "A\tB\tC\r\nAber\t4\t\r\nAlpha\t2\t\r\n");
    EXPECT_EQ(table.RecNo(), row);
    EXPECT_EQ(scrolls, 0);
}

// A character the file cannot hold stops the export before its value; no stand-in is written.
TEST(TabText, ExportStopsAtCharacterWindows1252Lacks)
{
    for (const QString &bad : {u"Ā"_s, u"a😀"_s, QString(QChar(0x80))}) {
        TClientDataSet table;
        Fill(table, TextNumberText(), {{T(u"x1"_s), I(1), T(u"z1"_s)}, {T(u"x2"_s), I(2), T(bad)}, {T(u"x3"_s), I(3), N}});
        TabExportResult result;
        const QByteArray bytes = Export(table, &result);
        EXPECT_FALSE(result.ok) << bad.toStdString();
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(result.rowsWritten, 1);
        EXPECT_EQ(bytes, "A\tN\tC\r\nx1\t1\tz1\r\nx2\t2\t") << bad.toStdString();
    }
}

TEST(TabText, ExportStopsAtFirstRefusedWrite)
{
    TClientDataSet table;
    Rows rows;
    for (int i = 0; i < 5000; ++i)
        rows.push_back({T(u"Spiel Nummer %1"_s.arg(i)), I(i), T(u"Eine Zeile mit etwas Text"_s)});
    Fill(table, TextNumberText(), rows);

    for (const qint64 capacity : {qint64(0), qint64(100000)}) {
        FullDiskDevice device(capacity);
        const TabExportResult result = WriteTabText(device, table);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(u"Kein Platz"_s)) << result.error.toStdString();
        EXPECT_EQ(device.writesAfterFailure, 0);
        EXPECT_LT(device.written.size(), capacity + 1);
        // the rows reported written are the complete lines the device took
        EXPECT_EQ(result.rowsWritten, std::max(qsizetype(0), device.written.count("\r\n") - 1));
        EXPECT_TRUE(device.written.isEmpty() || device.written.endsWith("\r\n"));
    }
}

TEST(TabText, ValueWithTabIsWrittenUnchangedAndReadsBackAsTwoValues)
{
    TClientDataSet table;
    Fill(table, ThreeTexts(), {{T(u"a\tb"_s), T(u"c"_s), T(u"d"_s)}});
    const QByteArray bytes = Export(table);
    EXPECT_EQ(bytes, "A\tB\tC\r\na\tb\tc\td\r\n");
    EXPECT_EQ(RowsOf(ReadBytes(bytes, ThreeTexts()).records),
              (Rows{{T(u"a"_s), T(u"b"_s), T(u"c"_s)}, {T(u"d"_s), N, N}}));
}

TEST(TabText, GameTableSurvivesExportAndImportThroughAFile)
{
    QTemporaryDir dir;
    const QString tablePath = dir.filePath(kGameTableFile);
    const RecordStore games = GenerateGameRecords(kDemoGameCount);
    WriteTableFile(tablePath, GameTableFields(), games);
    TClientDataSet table;
    table.LoadFromFile(tablePath);

    QFile file(dir.filePath(u"spiele.tab"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const TabExportResult written = WriteTabText(file, table);
    file.close();
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_EQ(written.rowsWritten, games.size());

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const TabImportResult read = ReadTabText(file, GameTableFields());
    ASSERT_EQ(read.outcome, TabImportOutcome::Success) << read.message.toStdString();

    // Null comes back as empty text in a text field and as Null in a number field.
    Rows expected = RowsOf(games);
    const std::vector<FieldDef> fields = GameTableFields();
    int nullTexts = 0;
    for (Row &row : expected) {
        for (size_t f = 0; f < row.size(); ++f) {
            if (row[f].isNull() && fields[f].type == FieldType::Text) {
                row[f] = T(u""_s);
                ++nullTexts;
            }
        }
    }
    EXPECT_GT(nullTexts, 0); // the demo data does hold Null texts
    EXPECT_EQ(RowsOf(read.records), expected);
}

TEST(TabText, ProgressEndsWithEverythingDone)
{
    TClientDataSet table;
    Rows rows(2500, Row{T(u"x"_s), I(1), N});
    Fill(table, TextNumberText(), rows);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    std::vector<std::pair<qint64, qint64>> calls;
    ASSERT_TRUE(WriteTabText(out, table, [&](qint64 done, qint64 total) { calls.emplace_back(done, total); }).ok);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), std::make_pair(qint64(2500), qint64(2500)));
    EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end()));

    calls.clear();
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_EQ(ReadTabText(in, TextNumberText(), [&](qint64 done, qint64 total) { calls.emplace_back(done, total); }).outcome,
              TabImportOutcome::Success);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), std::make_pair(qint64(bytes.size()), qint64(bytes.size())));
}
