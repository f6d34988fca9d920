#include "DialogLook.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

QFont DialogFont(bool bold)
{
    // Where the old dialog font is missing, Arial's metrics keep the texts inside their boxes.
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))
        ? QStringLiteral("MS Sans Serif")
        : QStringLiteral("Arial");
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void SetDialogLook(QWidget *dialog, const QString &caption, QSize clientSize)
{
    dialog->setWindowTitle(caption);
    dialog->setFont(DialogFont());
    dialog->setFixedSize(clientSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() - QPoint(clientSize.width() / 2, clientSize.height() / 2));
}

void SetFixedDialogLook(QWidget *dialog, const QString &caption, QSize clientSize)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    SetDialogLook(dialog, caption, clientSize);
}
