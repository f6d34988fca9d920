#include "Detail.h"
#include "Misc.h"
#include "RecordingMessages.h"
#include "TClientDataSet.h"
#include "TableSchemas.h"
#include "TestFiles.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class DetailTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteTable(dir.filePath(kGameTableFile), GameTableFields(),
                   {{FieldValue(u"Mittel"_s)}, {FieldValue(u"Zuletzt"_s)}, {FieldValue(u"Anfang"_s)}});
        here = std::make_unique<ScopedCurrentDir>(dir.path());
    }
    void TearDown() override
    {
        here.reset();
        EditModeFlag(emNormal);
    }

    QString Title(TDetailansicht &window) { return window.ClientDataSet1->FieldByName(u"TITEL"_s).toText(); }

    QTemporaryDir dir;
    std::unique_ptr<ScopedCurrentDir> here;
    RecordingMessages boxes;
};

} // namespace

TEST_F(DetailTable, NormalModeOpensAtTheFirstTitleAndWritesNothing)
{
    EditModeFlag(emNormal);
    const QString game = dir.filePath(kGameTableFile);
    const QByteArray before = ReadBytes(game);
    const QDateTime modified = QFileInfo(game).lastModified();
    {
        TDetailansicht window;
        EXPECT_EQ(Detailansicht, &window);
        EXPECT_EQ(Title(window), u"Anfang"_s);
        EXPECT_EQ(window.size(), QSize(640, 480));
        EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
        QThread::msleep(20);
    }
    EXPECT_EQ(Detailansicht, nullptr);
    EXPECT_EQ(ReadBytes(game), before);
    EXPECT_EQ(QFileInfo(game).lastModified(), modified);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DetailTable, EditModeOpensAtTheLastStoredRecordAndSavesEvenWithoutChanges)
{
    EditModeFlag(emEdit);
    const QString game = dir.filePath(kGameTableFile);
    const QDateTime modified = QFileInfo(game).lastModified();
    {
        TDetailansicht window;
        EXPECT_EQ(Title(window), u"Anfang"_s); // last in the file's order
        EXPECT_EQ(window.ClientDataSet1->IndexFieldNames(), QString());
        QThread::msleep(20);
    }
    EXPECT_NE(QFileInfo(game).lastModified(), modified);
    EXPECT_EQ(QueryText(game, u"SELECT group_concat(TITEL) FROM records"_s), u"Mittel,Zuletzt,Anfang"_s);
}

TEST_F(DetailTable, MissingGameTableIsReportedAndTheWindowStillOpens)
{
    QFile::remove(dir.filePath(kGameTableFile));
    EditModeFlag(emEdit);
    {
        TDetailansicht window;
        window.show();
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.ClientDataSet1->Active());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].title, u"Spieldex 2.0"_s);
        EXPECT_EQ(boxes.shown[0].text, u"Datei spdex_d.cds kann nicht geöffnet werden"_s);
    }
    // Edit mode tries to save the closed table at the end: refused, and no file appears.
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(kGameTableFile)));
}
