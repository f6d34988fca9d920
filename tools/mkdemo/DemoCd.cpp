#include "DemoCatalog.h"
#include "DemoData.h"
#include "PaletteFiles.h"
#include "Scenes.h"
#include "SplitMix.h"

#include "TableFile.h"
#include "TableSchemas.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

const QString kPictureFolder = u"DATA"_s;

void MakeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        throw DemoCdError(u"cannot create folder %1"_s.arg(path));
}

void WriteBytes(const QString &fileName, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        throw DemoCdError(u"cannot encode the picture %1"_s.arg(fileName));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        throw DemoCdError(u"cannot write %1: %2"_s.arg(fileName, file.errorString()));
}

void WriteTables(const QString &folder, const RecordStore &games)
{
    MakeFolder(folder);
    WriteTableFile(folder + u'/' + kGameTableFile, GameTableFields(), games);
    WriteTableFile(folder + u'/' + kTipsTableFile, TipsTableFields(), GenerateTipRecords(games));
}

// Pictures of an earlier run with other games would otherwise linger, and could even
// supply the file that one game is meant to lack.
void RemoveStalePictures(const QString &pictures, const QSet<QString> &written)
{
    static const QRegularExpression keyFolder(u"^\\d{6}$"_s);
    const QDir root(pictures);
    for (const QString &key : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!keyFolder.match(key).hasMatch())
            continue;
        const QDir folder(root.filePath(key));
        for (const QString &name : folder.entryList({u"*.png"_s}, QDir::Files))
            if (!written.contains(folder.filePath(name)))
                QFile::remove(folder.filePath(name));
    }
}

} // namespace

void WriteDemoTables(const QString &folder, int gameCount)
{
    WriteTables(folder, GenerateGameRecords(gameCount));
}

void WriteDemoCd(const QString &folder, int gameCount)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        throw DemoCdError(u"drawing the pictures needs a QGuiApplication"_s);
    const RecordStore games = GenerateGameRecords(gameCount);
    WriteTables(folder, games);

    const QString pictures = folder + u'/' + kPictureFolder;
    QSet<QString> written;
    for (int g = 0; g < games.size(); ++g) {
        const QString name = games.textForm(g, kBildname);
        const QString title = games.textForm(g, kTitel);
        if (name.isEmpty() || title == kTitleWithMissingScreenshot)
            continue;
        const QString key = PictureKey(games.value(g, kAusgabe));
        MakeFolder(pictures + u'/' + key);
        const QString fileName = pictures + u'/' + key + u'/' + name;
        const QImage shot = DrawScreenshot(title, games.textForm(g, kGenre), StableHash(title + key));
        if (title == kTitleWithWrongKindScreenshot) // a PNG, but half the size
            WriteBytes(fileName, EncodePng(ReduceToPalette(shot.scaled(shot.size() / 2))));
        else if (title == kTitleWithDamagedScreenshot) // cut off in its pixel data
            WriteBytes(fileName, EncodePng(ReduceToPalette(shot)).chopped(2000));
        else
            WriteBytes(fileName, EncodePng(ReduceToPalette(shot)));
        written.insert(fileName);
    }
    RemoveStalePictures(pictures, written);
}
