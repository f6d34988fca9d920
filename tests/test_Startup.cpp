#include "CommandLine.h"
#include "EditLock.h"
#include "FileSystem.h"
#include "Misc.h"
#include "RecordingMessages.h"
#include "Startup.h"
#include "TableSchemas.h"
#include "TestFiles.h"
#include "TestSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>


using namespace Qt::StringLiterals;

namespace {

const QString kEditModeTitle = u"Spieldex: Edit-Modus nicht ausführbar"_s;

// Asks for edit mode in the folder and expects the refusal: the flag stays off and the one
// box is the error box of the refusal; returns that box.
MessageRequest ExpectEditModeRefused(const QString &folder)
{
    ScopedCurrentDir here(folder);
    RecordingMessages boxes;
    EditModeFlag(emNormal);
    EXPECT_FALSE(FixOperatingMode(u"/e"_s));
    EXPECT_EQ(EditModeFlag(emQuery), 0);
    EXPECT_EQ(boxes.shown.size(), 1u);
    const MessageRequest box = boxes.shown.empty() ? MessageRequest{} : boxes.shown[0];
    EXPECT_EQ(box.title, kEditModeTitle);
    return box;
}

} // namespace

TEST(StartupCommandLine, EditModeOnlyForATailBeginningWithSlashLowerE)
{
    struct Case {
        QString line;
        bool edit;
    };
    const Case cases[] = {
        {u"spieldex /e"_s, true},
        {u"spieldex /edit x"_s, true},
        {u"\"C:\\Meine Spiele\\spieldex.exe\"  /e"_s, true},
        {u"spieldex /E"_s, false},
        {u"spieldex -e"_s, false},
        {u"spieldex x /e"_s, false},
        {u"spieldex"_s, false},
        {u"spieldex \"\" /e"_s, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(EditModeAsked(SplitCommandLine(c.line).tail), c.edit);
    }
}

TEST(StartupOperatingMode, EditModeMakesBothTablesWritable)
{
    QTemporaryDir dir;
    MakeCdTables(dir.path());
    const QString game = dir.filePath(kGameTableFile), tips = dir.filePath(kTipsTableFile);
    SetReadOnly(game, true);
    SetReadOnly(tips, true);
    ScopedCurrentDir here(dir.path());
    RecordingMessages boxes;

    EXPECT_TRUE(FixOperatingMode(u"/e"_s));
    EXPECT_EQ(EditModeFlag(emQuery), 1);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(IsReadOnly(game));
    EXPECT_FALSE(IsReadOnly(tips));
}

TEST(StartupOperatingMode, EditModeRemovesWhatAKilledSaveLeftAndNothingElse)
{
    QTemporaryDir dir;
    MakeCdTables(dir.path());
    const QStringList leftovers = {u".spdex_d.cds.Ab3xY9"_s, u".spdex_t.cds.000000"_s};
    const QStringList others = {u".spdex_d.cds.Ab3xY"_s, u".spdex_d.cds.Ab3xY9z"_s, u"spdex_d.cds.Ab3xY9"_s,
                                u".spdex_d.cds.Ab-xY9"_s, u".spdex_x.cds.Ab3xY9"_s, u"Notizen.txt"_s};
    for (const QString &name : leftovers + others)
        WriteBytes(dir.filePath(name), "x");
    QDir(dir.path()).mkdir(u".spdex_t.cds.Ordner"_s);
    {
        ScopedCurrentDir here(dir.path());
        RecordingMessages boxes;
        EXPECT_TRUE(FixOperatingMode(QString())); // normal mode removes nothing
        for (const QString &name : leftovers)
            EXPECT_TRUE(QFile::exists(name)) << name.toStdString();
        EXPECT_TRUE(FixOperatingMode(u"/e"_s));
        ReleaseEditLock();
        EditModeFlag(emNormal);
    }
    for (const QString &name : leftovers)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
    for (const QString &name : others)
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << name.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath(u".spdex_t.cds.Ordner"_s)).isDir());
}

TEST(StartupOperatingMode, NormalModeTouchesNoAttribute)
{
    QTemporaryDir dir;
    MakeCdTables(dir.path());
    SetReadOnly(dir.filePath(kGameTableFile), true);
    ScopedCurrentDir here(dir.path());
    RecordingMessages boxes;
    EXPECT_TRUE(FixOperatingMode(u"/E"_s));
    EXPECT_EQ(EditModeFlag(emQuery), 0);
    EXPECT_TRUE(IsReadOnly(dir.filePath(kGameTableFile)));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(StartupOperatingMode, MissingGameTableRefusesEditModeWithoutTryingTheTips)
{
    QTemporaryDir dir;
    MakeCdTables(dir.path());
    QFile::remove(dir.filePath(kGameTableFile));
    SetReadOnly(dir.filePath(kTipsTableFile), true);
    const MessageRequest box = ExpectEditModeRefused(dir.path());
    EXPECT_TRUE(box.text.startsWith(u"Sie haben den Spieldex im Edit-Modus gestartet."_s));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_TRUE(IsReadOnly(dir.filePath(kTipsTableFile)));
}

TEST(StartupOperatingMode, MissingTipsTableRefusesEditMode)
{
    QTemporaryDir dir;
    MakeCdTables(dir.path());
    QFile::remove(dir.filePath(kTipsTableFile));
    ExpectEditModeRefused(dir.path());
}

TEST(StartupOperatingMode, ReadOnlyMediumRefusesEditMode)
{
    ScratchMount medium;
    if (!medium.available())
        GTEST_SKIP() << medium.reason().toStdString();
    MakeCdTables(medium.path());
    ASSERT_TRUE(medium.makeReadOnly());
    ExpectEditModeRefused(medium.path());
}

