#include "EditLock.h"
#include "FileSystem.h"
#include "Misc.h"
#include "ProgramFonts.h"
#include "RecordingMessages.h"
#include "Startup.h"
#include "TableSchemas.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString kEditModeTitle = u"Spieldex: Edit-Modus nicht ausführbar"_s;

mode_t ModeOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// The tables and the fallback picture, as the CD folder holds them.
void MakeTables(const QString &folder)
{
    QImage fallback(320, 240, QImage::Format_Indexed8);
    fallback.setColorTable({qRgb(40, 40, 90)});
    fallback.fill(0);
    fallback.save(folder + u"/spdexpic.bmp"_s, "BMP");
    WriteTable(folder + u'/' + kGameTableFile, GameTableFields(),
               {{FieldValue(u"Zeta"_s)}, {FieldValue(u"Alpha"_s)}});
    WriteTable(folder + u'/' + kTipsTableFile, TipsTableFields(), {});
}

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
        QStringList arguments;
        bool edit;
    };
    const Case cases[] = {
        {{u"spieldex"_s, u"/e"_s}, true},
        {{u"spieldex"_s, u"/edit"_s, u"x"_s}, true},
        {{u"spieldex"_s, u"/E"_s}, false},
        {{u"spieldex"_s, u"-e"_s}, false},
        {{u"spieldex"_s, u"x"_s, u"/e"_s}, false},
        {{u"spieldex"_s}, false},
        {{u"spieldex"_s, u""_s, u"/e"_s}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u'|').toStdString());
        EXPECT_EQ(EditModeAsked(CommandLineTail(c.arguments)), c.edit);
    }
    EXPECT_EQ(CommandLineTail({u"spieldex"_s, u"/e"_s, u"a b"_s}), u"/e a b"_s);
}

// The font library takes its configuration file as it is only where the name starts with
// the root it is given, and it gives that root as the real path: from a folder reached by
// a link, both must name the real folder, or the machine's configuration would be read.
TEST(StartupFonts, TheProgramsOwnConfigurationAndItsRootNameTheRealFolder)
{
    const char *variables[] = {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"};
    std::vector<std::pair<QByteArray, bool>> saved;
    for (const char *name : variables) {
        saved.emplace_back(qgetenv(name), qEnvironmentVariableIsSet(name));
        qunsetenv(name);
    }
    QTemporaryDir dir;
    const QString real = QFileInfo(dir.path()).canonicalFilePath() + u"/cd"_s;
    ASSERT_TRUE(QDir().mkpath(real + u"/fonts"_s));
    ASSERT_TRUE(QFile::link(real, dir.filePath(u"link"_s)));
    EXPECT_FALSE(UseProgramFontConfig(dir.filePath(u"link"_s))); // no fonts.conf yet
    EXPECT_FALSE(qEnvironmentVariableIsSet("FONTCONFIG_FILE"));

    QFile config(real + u"/fonts/fonts.conf"_s);
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.close();
    EXPECT_TRUE(UseProgramFontConfig(dir.filePath(u"link"_s)));
    EXPECT_EQ(qEnvironmentVariable("FONTCONFIG_SYSROOT"), real + u"/fonts"_s);
    EXPECT_EQ(qEnvironmentVariable("FONTCONFIG_FILE"), real + u"/fonts/fonts.conf"_s);

    // A configuration or root given in the environment is kept.
    qunsetenv("FONTCONFIG_FILE");
    qputenv("FONTCONFIG_SYSROOT", "/elsewhere");
    EXPECT_FALSE(UseProgramFontConfig(real));
    EXPECT_FALSE(qEnvironmentVariableIsSet("FONTCONFIG_FILE"));

    for (size_t i = 0; i < saved.size(); ++i) {
        if (saved[i].second)
            qputenv(variables[i], saved[i].first);
        else
            qunsetenv(variables[i]);
    }
}

TEST(StartupOperatingMode, EditModeMakesBothTablesWritable)
{
    QTemporaryDir dir;
    MakeTables(dir.path());
    const QString game = dir.filePath(kGameTableFile), tips = dir.filePath(kTipsTableFile);
    ::chmod(QFile::encodeName(game).constData(), 0444);
    ::chmod(QFile::encodeName(tips).constData(), 0444);
    ScopedCurrentDir here(dir.path());
    RecordingMessages boxes;

    EXPECT_TRUE(FixOperatingMode(u"/e"_s));
    EXPECT_EQ(EditModeFlag(emQuery), 1);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(ModeOf(game), 0644u);
    EXPECT_EQ(ModeOf(tips), 0644u);
}

TEST(StartupOperatingMode, EditModeRemovesWhatAKilledSaveLeftAndNothingElse)
{
    QTemporaryDir dir;
    MakeTables(dir.path());
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
    MakeTables(dir.path());
    ::chmod(QFile::encodeName(dir.filePath(kGameTableFile)).constData(), 0444);
    ScopedCurrentDir here(dir.path());
    RecordingMessages boxes;
    EXPECT_TRUE(FixOperatingMode(u"/E"_s));
    EXPECT_EQ(EditModeFlag(emQuery), 0);
    EXPECT_EQ(ModeOf(dir.filePath(kGameTableFile)), 0444u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(StartupOperatingMode, MissingGameTableRefusesEditModeWithoutTryingTheTips)
{
    QTemporaryDir dir;
    MakeTables(dir.path());
    QFile::remove(dir.filePath(kGameTableFile));
    ::chmod(QFile::encodeName(dir.filePath(kTipsTableFile)).constData(), 0444);
    const MessageRequest box = ExpectEditModeRefused(dir.path());
    EXPECT_TRUE(box.text.startsWith(u"Sie haben den Spieldex im Edit-Modus gestartet."_s));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(ModeOf(dir.filePath(kTipsTableFile)), 0444u);
}

TEST(StartupOperatingMode, MissingTipsTableRefusesEditMode)
{
    QTemporaryDir dir;
    MakeTables(dir.path());
    QFile::remove(dir.filePath(kTipsTableFile));
    ExpectEditModeRefused(dir.path());
}

TEST(StartupOperatingMode, ReadOnlyMediumRefusesEditMode)
{
    ScratchMount medium;
    if (!medium.available())
        GTEST_SKIP() << medium.reason().toStdString();
    MakeTables(medium.path());
    ASSERT_TRUE(medium.makeReadOnly());
    ExpectEditModeRefused(medium.path());
}

// The built program, copied into a folder whose path has blanks and umlauts, started
// from elsewhere: it must work in its own folder and end with 0 when the session ends it.
class StartupProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        folder = root.path() + u"/Meine Spiele/Spieldex Ü 2"_s;
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(QStringLiteral(SPIELDEX_EXECUTABLE), folder + u"/spieldex"_s));
        MakeTables(folder);
    }

    // Starts the program and waits until it works in its folder; returns its pid.
    bool Start(const QStringList &arguments)
    {
        process.setProgram(folder + u"/spieldex"_s);
        process.setArguments(arguments);
        process.setWorkingDirectory(root.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        process.setProcessEnvironment(env);
        process.start();
        if (!process.waitForStarted(5000))
            return false;
        const QString cwdLink = u"/proc/%1/cwd"_s.arg(process.processId());
        for (int i = 0; i < 200; ++i) {
            if (QFileInfo(cwdLink).symLinkTarget() == QFileInfo(folder).canonicalFilePath()) {
                QThread::msleep(300); // the window is being created
                return true;
            }
            QThread::msleep(25);
        }
        return false;
    }

    int Terminate()
    {
        ::kill(pid_t(process.processId()), SIGTERM);
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    }

    QTemporaryDir root;
    QString folder;
    QProcess process;
};

TEST_F(StartupProcess, NormalModeRunsInItsFolderAndWritesNothing)
{
    const QString game = folder + u'/' + kGameTableFile;
    const QByteArray before = ReadBytes(game);
    const QDateTime modified = QFileInfo(game).lastModified();
    ASSERT_TRUE(Start({})) << "the program did not enter its own folder";
    EXPECT_EQ(Terminate(), 0);
    EXPECT_EQ(ReadBytes(game), before);
    EXPECT_EQ(QFileInfo(game).lastModified(), modified);
}

TEST_F(StartupProcess, EditModeRewritesTheGameTableAtTheEndAndLeavesNoOtherTrace)
{
    const QString game = folder + u'/' + kGameTableFile;
    const auto entries = [this] {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    const QStringList present = entries();
    struct stat before;
    ASSERT_EQ(::stat(QFile::encodeName(game).constData(), &before), 0);
    ASSERT_TRUE(Start({u"/e"_s})) << "the program did not enter its own folder";
    EXPECT_TRUE(QFile::exists(folder + u'/' + kEditLockFile)) << "the editor holds no lock";
    EXPECT_EQ(Terminate(), 0);
    EXPECT_EQ(entries(), present) << "no lock file nor anything else is left behind";
    struct stat after;
    ASSERT_EQ(::stat(QFile::encodeName(game).constData(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino); // a new file took the old one's place
    EXPECT_EQ(QueryText(game, u"SELECT group_concat(TITEL) FROM records"_s), u"Zeta,Alpha"_s);
}

TEST_F(StartupProcess, ASecondEditorOfTheFolderOnlyReadsUntilTheFirstHasGone)
{
    ASSERT_TRUE(Start({u"/e"_s})) << "the first editor did not start";
    ScopedCurrentDir here(folder);
    RecordingMessages boxes;
    EXPECT_TRUE(FixOperatingMode(u"/e"_s));
    EXPECT_EQ(EditModeFlag(emQuery), 0) << "the second runs in normal mode";
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, u"Spieldex: Edit-Modus bereits aktiv"_s);

    process.kill(); // a hard stop of the first leaves no stale lock
    process.waitForFinished();
    boxes.shown.clear();
    EXPECT_TRUE(FixOperatingMode(u"/e"_s));
    EXPECT_EQ(EditModeFlag(emQuery), 1);
    EXPECT_TRUE(boxes.shown.empty());
    ReleaseEditLock();
    EditModeFlag(emNormal);

    EXPECT_TRUE(FixOperatingMode(QString())); // normal mode takes no lock
    EXPECT_EQ(TakeEditLock(kEditLockFile), EditLock::Taken);
    ReleaseEditLock();
}
