// Pictures of windows for the demo and the real-window tests: saves one window (by its X
// window id, or "root" for the screen) as PNG, counts the pixels of one colour in a
// rectangle of it, or prints a checksum of a rectangle's pixels (to see whether it changed).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

namespace {

int Usage()
{
    QTextStream(stderr) << "usage: xshot <window-id|root> <file.png>\n"
                           "       xshot <window-id|root> --count R G B X Y W H\n"
                           "       xshot <window-id|root> --sum X Y W H\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool count = args.size() == 10 && args[2] == QStringLiteral("--count");
    const bool sum = args.size() == 7 && args[2] == QStringLiteral("--sum");
    if (args.size() != 3 && !count && !sum)
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

    QList<int> numbers;
    for (qsizetype i = 3; i < args.size(); ++i) {
        numbers << args[i].toInt(&ok);
        if (!ok)
            return Usage();
    }
    const int *r = numbers.constData() + (count ? 3 : 0);
    const QRect area = QRect(r[0], r[1], r[2], r[3]) & shot.rect();
    quint64 result = count ? 0 : 1469598103934665603ull; // FNV-1a over the pixels for --sum
    const QRgb wanted = count ? qRgb(numbers[0], numbers[1], numbers[2]) : 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (count)
                result += shot.pixel(x, y) == wanted;
            else
                result = (result ^ shot.pixel(x, y)) * 1099511628211ull;
        }
    }
    QTextStream(stdout) << result << '\n';
    return 0;
}
