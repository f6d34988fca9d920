// mkskin: draws the program's skin and writes each picture as an 8-bit palette BMP.

#include "PaletteFiles.h"
#include "Pictures.h"
#include "SkinStyle.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <map>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    // Drawing text needs a GUI application, but the build machine has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: mkskin <output-folder>\n");
        return 2;
    }
    const QDir folder(args.at(1));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "mkskin: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    const std::vector<SkinPicture> pictures = DrawSkin();
    std::map<QString, std::vector<QImage>> groups;
    for (const SkinPicture &picture : pictures)
        groups[picture.paletteGroup].push_back(picture.image);
    std::map<QString, std::vector<QRgb>> palettes;
    for (const auto &[group, images] : groups)
        palettes[group] = ChoosePalette(images, SkinPaletteBase());

    for (const SkinPicture &picture : pictures) {
        const IndexedPicture indexed = ApplyPalette(picture.image, palettes[picture.paletteGroup]);
        const QByteArray bytes = EncodeBmp(indexed);
        const QString problem = CheckBmp(bytes, indexed);
        const QString path = folder.filePath(picture.name + u".bmp"_s);
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "mkskin: %s: %s\n", qPrintable(path), qPrintable(problem));
            return 1;
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
            std::fprintf(stderr, "mkskin: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
