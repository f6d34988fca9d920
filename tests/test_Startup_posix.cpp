// Start-up on POSIX terms: the CD's font configuration, and the program as a process ended
// by the session's signal, followed through /proc.
#include "EditLock.h"
#include "Misc.h"
#include "ProgramFonts.h"
#include "RecordingMessages.h"
#include "Startup.h"
#include "TableSchemas.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Outside Windows the tail is main's arguments after the program's name, joined by blanks.
TEST(StartupCommandLine, TheTailIsTheArgumentsJoined)
{
    EXPECT_EQ(CommandLineTail({u"spieldex"_s, u"/e"_s, u"a b"_s}), u"/e a b"_s);
    EXPECT_EQ(CommandLineTail({u"spieldex"_s, u""_s, u"/e"_s}), u" /e"_s);
    EXPECT_EQ(CommandLineTail({u"spieldex"_s}), QString());
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
        MakeCdTables(folder);
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
