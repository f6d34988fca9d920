// Saves a picture of one window (by its X window id) or of the whole screen as PNG,
// for the demo's screenshot and the real-window tests.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: xshot <window-id|root> <file.png>\n";
        return 2;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    bool ok = false;
    const WId window = args[1] == QStringLiteral("root") ? 0 : WId(args[1].toULongLong(&ok, 0));
    if (args[1] != QStringLiteral("root") && !ok) {
        QTextStream(stderr) << "xshot: not a window id: " << args[1] << '\n';
        return 2;
    }
    const QPixmap shot = screen->grabWindow(window);
    if (shot.isNull() || !shot.save(args[2], "PNG")) {
        QTextStream(stderr) << "xshot: cannot grab or save\n";
        return 1;
    }
    return 0;
}
