#include "DemoCatalog.h"
#include "DemoData.h"
#include "TableFile.h"
#include "TableSchemas.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

int FieldIndex(const std::vector<FieldDef> &fields, const QString &name)
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == name)
            return int(i);
    ADD_FAILURE() << "no field " << name.toStdString();
    return 0;
}

QByteArray ReadAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Relative path -> contents of every file below folder.
std::map<QString, QByteArray> FolderContents(const QString &folder)
{
    std::map<QString, QByteArray> contents;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        contents[QDir(folder).relativeFilePath(path)] = ReadAll(path);
    }
    return contents;
}

struct PngFacts {
    quint32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    int paletteEntries = 0;
    bool hasTime = false;
};

// Walks the chunks by hand, so the check does not share code with the writer.
std::optional<PngFacts> ReadPngFacts(const QByteArray &bytes)
{
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return std::nullopt;
    PngFacts facts;
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    qsizetype at = 8;
    bool sawHeader = false;
    while (at + 12 <= bytes.size()) {
        const quint32 length = qFromBigEndian<quint32>(data + at);
        const QByteArray type = bytes.mid(at + 4, 4);
        const uchar *body = data + at + 8;
        if (at + 12 + qsizetype(length) > bytes.size())
            return std::nullopt;
        if (type == "IHDR") {
            sawHeader = true;
            facts.width = qFromBigEndian<quint32>(body);
            facts.height = qFromBigEndian<quint32>(body + 4);
            facts.bitDepth = body[8];
            facts.colourType = body[9];
            facts.interlace = body[12];
        } else if (type == "PLTE") {
            facts.paletteEntries = int(length / 3);
        } else if (type == "tIME") {
            facts.hasTime = true;
        } else if (type == "IEND") {
            return sawHeader ? std::optional(facts) : std::nullopt;
        }
        at += 12 + length;
    }
    return std::nullopt;
}


int RunMkdemo(const QStringList &arguments, QString *errorOutput = nullptr)
{
    QProcess process;
    process.start(QString::fromUtf8(SPIELDEX_MKDEMO), arguments);
    if (!process.waitForFinished(60000))
        return -1;
    if (errorOutput)
        *errorOutput = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

// One demo CD written once and inspected by every test below.
class DemoDataCd : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(folder_->isValid());
        WriteDemoCd(folder_->path(), kDemoGameCount);
        games_ = std::make_unique<TableData>(ReadTableFile(path(kGameTableFile)));
        tips_ = std::make_unique<TableData>(ReadTableFile(path(kTipsTableFile)));
    }
    static void TearDownTestSuite()
    {
        games_.reset();
        tips_.reset();
        folder_.reset();
    }
    static QString path(const QString &relative) { return folder_->filePath(relative); }
    static int game(const char *name) { return FieldIndex(games_->fields, QString::fromLatin1(name)); }
    static int tip(const char *name) { return FieldIndex(tips_->fields, QString::fromLatin1(name)); }
    static const RecordStore &games() { return games_->records; }
    static const RecordStore &tips() { return tips_->records; }

    static int countGames(const std::function<bool(int)> &test)
    {
        int n = 0;
        for (int g = 0; g < games().size(); ++g)
            n += test(g) ? 1 : 0;
        return n;
    }

    static inline std::unique_ptr<QTemporaryDir> folder_;
    static inline std::unique_ptr<TableData> games_;
    static inline std::unique_ptr<TableData> tips_;
};

TEST_F(DemoDataCd, TablesReadBackWithTheirFieldsAndTypes)
{
    const auto checkTable = [](const TableData &table, const std::vector<FieldDef> &expected) {
        ASSERT_EQ(table.fields.size(), expected.size());
        for (size_t f = 0; f < expected.size(); ++f) {
            EXPECT_EQ(table.fields[f].name, expected[f].name);
            EXPECT_EQ(table.fields[f].type, expected[f].type) << expected[f].name.toStdString();
            EXPECT_EQ(table.fields[f].size, expected[f].size) << expected[f].name.toStdString();
        }
        for (int r = 0; r < table.records.size(); ++r) {
            for (size_t f = 0; f < expected.size(); ++f) {
                const int c = int(f);
                if (table.records.isNull(r, c))
                    continue;
                if (expected[f].type == FieldType::Integer)
                    EXPECT_TRUE(table.records.isInteger(r, c)) << "record " << r << ' ' << expected[f].name.toStdString();
                else
                    EXPECT_LE(table.records.textForm(r, c).size(), expected[f].size)
                        << "record " << r << ' ' << expected[f].name.toStdString();
            }
        }
    };
    checkTable(*games_, GameTableFields());
    checkTable(*tips_, TipsTableFields());
    EXPECT_EQ(games().size(), kDemoGameCount);
    EXPECT_GE(tips().size(), 170);
    EXPECT_LE(tips().size(), 240);
}

TEST_F(DemoDataCd, ScreenshotsLieInTheirIssuesFolder)
{
    static const QRegularExpression issuePattern(u"^Nr\\. \\d{4}-\\d{2}$"_s);
    const int ausgabe = game("AUSGABE"), bildname = game("BILDNAME");
    QSet<QString> named;
    for (int g = 0; g < games().size(); ++g) {
        if (!games().isNull(g, ausgabe)) {
            const QString issue = games().textForm(g, ausgabe);
            EXPECT_EQ(issue.size(), 11) << issue.toStdString();
            EXPECT_TRUE(issuePattern.match(issue).hasMatch()) << issue.toStdString();
        }
        const QString name = games().textForm(g, bildname);
        if (!name.isEmpty()) {
            EXPECT_LE(name.size(), 19);
            const QString file = u"DATA/"_s + PictureKey(games().value(g, ausgabe)) + u'/' + name;
            EXPECT_FALSE(named.contains(file)) << "two games share " << file.toStdString();
            named.insert(file);
        }
    }
    QSet<QString> present;
    for (const auto &[file, bytes] : FolderContents(path(u"DATA"_s)))
        present.insert(u"DATA/"_s + file);
    EXPECT_TRUE(present.subtract(named).isEmpty()) << "pictures no game names: " << present.values().join(u' ').toStdString();
    QSet<QString> missing;
    for (const QString &file : named)
        if (!QFile::exists(path(file)))
            missing.insert(file);
    EXPECT_EQ(missing.size(), 1) << "exactly one named screenshot is meant to be missing";
    EXPECT_GE(named.size() - missing.size(), 280);
    // spdexpic.bmp beside them is the skin's; a second writer would race it for the file.
    EXPECT_EQ(QDir(folder_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({u"DATA"_s, kGameTableFile, kTipsTableFile}));
}

TEST_F(DemoDataCd, ScreenshotsArePalettePngsOf320x240)
{
    const auto files = FolderContents(path(u"DATA"_s));
    ASSERT_GE(files.size(), 280u);
    // The two spoiled on purpose are the CD check's business.
    QStringList spoiled;
    const int titel = game("TITEL"), ausgabe = game("AUSGABE"), bildname = game("BILDNAME");
    for (int g = 0; g < games().size(); ++g)
        if (const QString title = games().textForm(g, titel);
            title == kTitleWithDamagedScreenshot || title == kTitleWithWrongKindScreenshot)
            spoiled << PictureKey(games().value(g, ausgabe)) + u'/' + games().textForm(g, bildname);
    ASSERT_EQ(spoiled.size(), 2);
    for (const auto &[file, bytes] : files) {
        SCOPED_TRACE(file.toStdString());
        if (spoiled.contains(file))
            continue;
        const std::optional<PngFacts> facts = ReadPngFacts(bytes);
        ASSERT_TRUE(facts.has_value());
        EXPECT_EQ(facts->width, 320u);
        EXPECT_EQ(facts->height, 240u);
        EXPECT_EQ(facts->bitDepth, 8);
        EXPECT_EQ(facts->colourType, 3);
        EXPECT_EQ(facts->interlace, 0);
        EXPECT_GT(facts->paletteEntries, 16) << "a drawn scene has more than a handful of colours";
        EXPECT_LE(facts->paletteEntries, 256);
        EXPECT_FALSE(facts->hasTime);
        const QImage image = QImage::fromData(bytes, "PNG");
        EXPECT_EQ(image.size(), QSize(320, 240));
    }
    // Games are told apart by their pictures: no two screenshots are the same.
    QSet<QByteArray> distinct;
    for (const auto &[file, bytes] : files)
        distinct.insert(bytes);
    EXPECT_EQ(distinct.size(), qsizetype(files.size()));
}

TEST_F(DemoDataCd, AwkwardCasesArePresent)
{
    const int titel = game("TITEL"), ausgabe = game("AUSGABE"), bildname = game("BILDNAME"), extras = game("EXTRAS");
    const int wertung = game("WERTUNG"), multiplay = game("MULTIPLAY");

    EXPECT_GE(countGames([&](int g) { return games().isNull(g, bildname); }), 1);
    EXPECT_GE(countGames([&](int g) { return !games().isNull(g, bildname) && games().textForm(g, bildname).isEmpty(); }), 1);

    const int nullIssue = countGames([&](int g) { return games().isNull(g, ausgabe); });
    EXPECT_EQ(nullIssue, 1);
    for (int g = 0; g < games().size(); ++g) {
        if (games().isNull(g, ausgabe) && !games().textForm(g, bildname).isEmpty()) {
            EXPECT_TRUE(QFile::exists(path(u"DATA/000000/"_s + games().textForm(g, bildname))));
        }
    }

    const auto nullRatings = [&](int g) {
        int n = 0;
        for (int f = wertung; f <= multiplay; ++f)
            n += games().isNull(g, f) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(countGames([&](int g) { return nullRatings(g) == 7; }), 1);
    EXPECT_GE(countGames([&](int g) { return nullRatings(g) == 1 && !games().isNull(g, multiplay); }), 2)
        << "single missing ratings besides the multiplayer one";
    EXPECT_GE(countGames([&](int g) {
                  for (int f = wertung; f <= multiplay; ++f)
                      if (games().isInteger(g, f) && games().integer(g, f) > 100)
                          return true;
                  return false;
              }), 1);

    QFont arialBold(u"Arial"_s);
    arialBold.setPixelSize(20);
    arialBold.setBold(true);
    const QFontMetrics metrics(arialBold);
    static const QRegularExpression umlaut(u"[ÄÖÜäöüß]"_s);
    EXPECT_GE(countGames([&](int g) { return games().textForm(g, titel).contains(umlaut); }), 3);
    EXPECT_GE(countGames([&](int g) { return games().textForm(g, titel).contains(u'\''); }), 2);
    EXPECT_GE(countGames([&](int g) { return games().textForm(g, titel).startsWith(u"Sternen"_s); }), 4);
    EXPECT_GE(countGames([&](int g) { return metrics.horizontalAdvance(games().textForm(g, titel)) > 240; }), 1);

    for (const char *fact : {"ANSPRUCH", "GENRE", "HERSTELLER", "TESTVER", "BETRIEBS", "SPRACHE", "MULTIPLAYT",
                             "DDKARTE", "HARDWAREE", "TESTER"}) {
        const int f = game(fact);
        const int nulls = countGames([&](int g) { return games().isNull(g, f); });
        const int empties = countGames([&](int g) { return !games().isNull(g, f) && games().textForm(g, f).isEmpty(); });
        EXPECT_GE(nulls + empties, 1) << fact;
    }

    QSet<QString> marks;
    for (int g = 0; g < games().size(); ++g)
        marks.insert(games().textForm(g, extras));
    for (const QString &mark : {u"GA"_s, u"PA"_s, u"ga"_s, u"GA "_s, QString()})
        EXPECT_TRUE(marks.contains(mark)) << "EXTRAS '" << mark.toStdString() << "'";
    EXPECT_GT(countGames([&](int g) { return games().textForm(g, extras).isEmpty(); }), games().size() / 2);
}

TEST_F(DemoDataCd, TipsBelongToGamesExceptTwoLookalikes)
{
    const int gameTitle = game("TITEL"), tipTitle = tip("Titel"), hinweis = tip("Hinweis"), tipIssue = tip("Ausgabe");
    std::map<QString, int> tipsPerGame;
    for (int g = 0; g < games().size(); ++g)
        tipsPerGame[games().textForm(g, gameTitle)] = 0;
    QStringList strays;
    for (int t = 0; t < tips().size(); ++t) {
        const QString title = tips().textForm(t, tipTitle);
        auto it = tipsPerGame.find(title);
        if (it != tipsPerGame.end())
            ++it->second;
        else
            strays << title;
        const QString text = tips().textForm(t, hinweis);
        EXPECT_FALSE(text.isEmpty());
        EXPECT_LE(text.size(), 255);
        EXPECT_EQ(tips().textForm(t, tipIssue).size(), 11);
    }
    EXPECT_EQ(int(tipsPerGame.size()), games().size()) << "titles are unique, so a tip names one game";
    ASSERT_EQ(strays.size(), 2) << strays.join(u'|').toStdString();
    const auto matchesSomeGame = [&](const QString &title, Qt::CaseSensitivity cs) {
        for (const auto &[name, count] : tipsPerGame)
            if (name.compare(title, cs) == 0)
                return true;
        return false;
    };
    EXPECT_EQ(int(matchesSomeGame(strays[0], Qt::CaseInsensitive)) + int(matchesSomeGame(strays[1], Qt::CaseInsensitive)), 1)
        << "one stray differs from a game only in letter case";
    EXPECT_TRUE((strays[0].endsWith(u' ') && matchesSomeGame(strays[0].chopped(1), Qt::CaseSensitive))
                || (strays[1].endsWith(u' ') && matchesSomeGame(strays[1].chopped(1), Qt::CaseSensitive)))
        << "one stray is a game title with a trailing blank";

    int withoutTips = 0, withThree = 0, withSeveral = 0;
    for (const auto &[name, count] : tipsPerGame) {
        withoutTips += count == 0;
        withThree += count == 3;
        withSeveral += count >= 2;
    }
    EXPECT_GT(withoutTips, games().size() / 2);
    EXPECT_EQ(withThree, 1);
    EXPECT_GE(withSeveral, 10);
}

TEST_F(DemoDataCd, TheCdCheckFindsExactlyWhatWasPlanted)
{
    QProcess check;
    check.start(QStringLiteral(SPIELDEX_CHECK), {u"--json"_s, folder_->path()});
    ASSERT_TRUE(check.waitForFinished(60000));
    EXPECT_EQ(check.exitCode(), 1); // the planted errors
    const QJsonArray findings = QJsonDocument::fromJson(check.readAllStandardOutput()).object()[u"findings"_s].toArray();
    QStringList found, planted;
    for (const QJsonValue &f : findings)
        found << u"%1 %2 %3 %4"_s.arg(f[u"kind"_s].toString(), f[u"table"_s].toString())
                     .arg(f[u"record"_s].toInt())
                     .arg(f[u"field"_s].toString());
    for (const PlantedFinding &p : PlantedFindings(games(), tips()))
        planted << u"%1 %2 %3 %4"_s.arg(p.kind, p.table).arg(p.record).arg(p.field);
    EXPECT_EQ(found, planted);
    EXPECT_EQ(planted.size(), 10);
}

TEST_F(DemoDataCd, MkdemoWritesTheSameBytesInAnotherProcess)
{
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    ASSERT_EQ(RunMkdemo({other.path()}), 0);
    const auto expected = FolderContents(folder_->path());
    const auto actual = FolderContents(other.path());
    ASSERT_EQ(actual.size(), expected.size());
    for (const auto &[file, bytes] : expected) {
        const auto it = actual.find(file);
        ASSERT_NE(it, actual.end()) << file.toStdString();
        EXPECT_TRUE(it->second == bytes) << file.toStdString() << " differs";
    }
}

TEST(DemoData, LargeCountsStartWithTheDemoGames)
{
    const RecordStore large = GenerateGameRecords(100000);
    const RecordStore demo = GenerateGameRecords(kDemoGameCount);
    ASSERT_EQ(large.size(), 100000);
    ASSERT_EQ(large.fieldCount(), int(GameTableFields().size()));
    for (int r = 0; r < demo.size(); ++r)
        for (int f = 0; f < demo.fieldCount(); ++f)
            ASSERT_EQ(large.value(r, f), demo.value(r, f)) << "record " << r << " field " << f;
    EXPECT_FALSE(large.textForm(99999, 0).isEmpty());
    EXPECT_EQ(GenerateTipRecords(GenerateGameRecords(0)).size(), 0);
}

TEST(DemoData, MkdemoCommandLine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(RunMkdemo({dir.path(), u"--games"_s, u"40"_s, u"--tables-only"_s}), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({kGameTableFile, kTipsTableFile}));
    EXPECT_EQ(ReadTableFile(dir.filePath(kGameTableFile)).records.size(), 40);

    EXPECT_NE(RunMkdemo({}), 0);
    EXPECT_NE(RunMkdemo({dir.path(), u"--games"_s, u"viele"_s}), 0);
    EXPECT_NE(RunMkdemo({dir.path(), u"--bunt"_s}), 0);

    // A folder that cannot be made: below an ordinary file.
    QString message;
    EXPECT_NE(RunMkdemo({dir.filePath(kGameTableFile) + u"/cd"_s, u"--tables-only"_s}, &message), 0);
    EXPECT_FALSE(message.trimmed().isEmpty());
}
