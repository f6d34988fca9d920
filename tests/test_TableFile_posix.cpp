// The table file on POSIX terms: the permissions a save keeps, a save cut short by the
// file-size limit.
#include "TClientDataSet.h"
#include "TableTestData.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

TEST(TableFile, SaveReplacesTheFileWholeAndKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.cds"_s);
    WriteTable(path, MixedFields(), kRows);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);

    TClientDataSet ds;
    ds.LoadFromFile(path);
    ds.Last();
    ds.Edit();
    ds.SetFieldText(u"Titel"_s, u"Omega"_s); // pending: saving posts it
    ds.SaveToFile(path);

    const auto rows = AllRows(ReadTableFile(path));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][0], FieldValue(u"Omega"_s));
    EXPECT_EQ(rows[0], kRows[0]);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"t.cds"_s});
}

TEST(TableFile, SaveThatFailsHalfwayLeavesTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.cds"_s);
    WriteTable(path, MixedFields(), kRows);
    const QByteArray before = ReadBytes(path);

    // A table far larger than the files this process may write: the write fails part way.
    RecordStore big(3);
    for (int i = 0; i < 20000; ++i)
        big.append({FieldValue(QString(60, u'x')), FieldValue(qint64(i)), FieldValue(QString(200, u'y'))});
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = 256 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const QString message = ErrorOf([&] { WriteTableFile(path, MixedFields(), big); });
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_TRUE(message.startsWith(u"Datei %1 kann nicht gespeichert werden"_s.arg(path))) << message.toStdString();
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"t.cds"_s});
}
