// Pictures of windows for the demo and the real-window tests: saves one window (by its X
// window id, or "root" for the screen) as PNG, or counts the pixels of one colour in a
// rectangle of it.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

namespace {

int Usage()
{
    QTextStream(stderr) << "usage: xshot <window-id|root> <file.png>\n"
                           "       xshot <window-id|root> --count R G B X Y W H\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 && !(args.size() == 10 && args[2] == QStringLiteral("--count")))
        return Usage();
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    bool ok = true;
    const WId window = args[1] == QStringLiteral("root") ? 0 : WId(args[1].toULongLong(&ok, 0));
    if (!ok)
        return Usage();
    const QImage shot = screen->grabWindow(window).toImage().convertToFormat(QImage::Format_RGB32);
    if (shot.isNull()) {
        QTextStream(stderr) << "xshot: cannot grab the window\n";
        return 1;
    }
    if (args.size() == 3)
        return shot.save(args[2], "PNG") ? 0 : 1;

    int numbers[7];
    for (int i = 0; i < 7; ++i) {
        numbers[i] = args[3 + i].toInt(&ok);
        if (!ok)
            return Usage();
    }
    const QRgb wanted = qRgb(numbers[0], numbers[1], numbers[2]);
    const QRect area = QRect(numbers[3], numbers[4], numbers[5], numbers[6]) & shot.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += shot.pixel(x, y) == wanted;
    QTextStream(stdout) << count << '\n';
    return 0;
}
