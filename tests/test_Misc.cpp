#include "CommandLine.h"
#include "Misc.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MiscProgramFolder, FolderOfAProgramPath)
{
    struct Case {
        QString path;
        std::optional<QString> folder;
    };
    const QString folder254 = u'/' + QString(244, u'a');          // 245 characters
    const QString umlauts = u"/Spiele/Überfall ä/"_s + QString(240, u'ö'); // characters, not bytes, count
    const Case cases[] = {
        {u"/cd/spieldex"_s, u"/cd"_s},
        {u"/spieldex"_s, u"/"_s},                                      // the root keeps its slash
        {u"/mnt/Meine Spiele/Spieldex 2/spieldex"_s, u"/mnt/Meine Spiele/Spieldex 2"_s}, // blanks stay
        {u"/home/jörg/Größe/spieldex"_s, u"/home/jörg/Größe"_s},
        {u"spieldex"_s, u"spieldex"_s},                                // no folder at all: the name itself
        {folder254 + u"/spieldex"_s, folder254},                        // 254 characters
        {folder254 + u"/spieldex1"_s, folder254},                       // 255 characters still fit
        {folder254 + u"/spieldex12"_s, std::nullopt},                   // 256 do not
        {umlauts.left(255), umlauts.left(255).section(u'/', 0, -2)},
        {umlauts.left(256), std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(ProgramFolderOf(c.path), c.folder);
    }
    if (IsPathSeparator(u'\\')) { // the drive forms where the backslash separates
        EXPECT_EQ(ProgramFolderOf(u"C:\\SPIELE\\PROG.EXE"_s), u"C:\\SPIELE"_s);
        EXPECT_EQ(ProgramFolderOf(u"D:\\PROG.EXE"_s), u"D:\\"_s);
        EXPECT_EQ(ProgramFolderOf(u"\\\\server\\cd\\spieldex.exe"_s), u"\\\\server\\cd"_s);
    }
}

// The program's name on a Windows command line, and the tail after it.
TEST(MiscProgramFolder, ACommandLineSplitsIntoTheProgramsNameAndTheTail)
{
    struct Case {
        QString line, name, tail;
    };
    const Case cases[] = {
        {u"\"C:\\Program Files\\Spieldex\\spieldex.exe\" /e"_s, u"C:\\Program Files\\Spieldex\\spieldex.exe"_s, u"/e"_s},
        {u"D:\\spieldex.exe"_s, u"D:\\spieldex.exe"_s, QString()},
        {u"D:\\spieldex.exe \t /e mehr"_s, u"D:\\spieldex.exe"_s, u"/e mehr"_s},
        {u"C:\\\"Meine Spiele\"\\Größe\\spieldex.exe /E"_s, u"C:\\Meine Spiele\\Größe\\spieldex.exe"_s, u"/E"_s},
        {u"spieldex -e /e"_s, u"spieldex"_s, u"-e /e"_s},
        {QString(), QString(), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const CommandLine split = SplitCommandLine(c.line);
        EXPECT_EQ(split.programName, c.name);
        EXPECT_EQ(split.tail, c.tail);
    }
}

TEST(MiscProgramFolder, CaptureAndEnterUseTheRunningProgramsFolder)
{
    const QString before = QDir::currentPath();
    ASSERT_EQ(ProgramFolder(pfCapture), 1);
    QDir::setCurrent(QDir::tempPath());
    EXPECT_EQ(ProgramFolder(pfEnter), 0);
    EXPECT_EQ(QDir::currentPath(), QFileInfo(RunningProgramPath()).absolutePath());
    QDir::setCurrent(QDir::tempPath());
    EXPECT_EQ(ProgramFolder(7), 0); // unknown codes do nothing
    EXPECT_EQ(QDir::currentPath(), QFileInfo(QDir::tempPath()).canonicalFilePath());
    QDir::setCurrent(before);
    SetProgramFolder({});
}

TEST(MiscEditModeFlag, StoresZeroOrOneAndOtherwiseOnlyAnswers)
{
    EXPECT_EQ(EditModeFlag(emEdit), 1);
    EXPECT_EQ(EditModeFlag(emQuery), 1);
    EXPECT_EQ(EditModeFlag(99), 1);
    EXPECT_EQ(EditModeFlag(unsigned(-1)), 1);
    EXPECT_EQ(EditModeFlag(emNormal), 0);
    EXPECT_EQ(EditModeFlag(emQuery), 0);
}

TEST(MiscSearchTextStore, KeepsTheLastTextUntilCleared)
{
    EXPECT_EQ(SearchTextStore(stStore, u"ABC*"_s), QString());
    EXPECT_EQ(SearchTextStore(stFetch, u"ignored"_s), u"ABC*"_s);
    EXPECT_EQ(SearchTextStore(5, u"XYZ"_s), QString());
    EXPECT_EQ(SearchTextStore(stFetch), u"ABC*"_s);
    SearchTextStore(stClear, u"ignored"_s);
    EXPECT_EQ(SearchTextStore(stFetch), QString());
}
