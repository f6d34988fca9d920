#pragma once

#include <QFont>
#include <QWidget>

// The dialogs' common look: "MS Sans Serif" of 11 pixels, a fixed client size, centred
// on the screen whoever owns them.
void SetDialogLook(QWidget *dialog, const QString &caption, QSize clientSize);
// The same for a dialog with a fixed border whose system menu has the close box alone.
void SetFixedDialogLook(QWidget *dialog, const QString &caption, QSize clientSize);
QFont DialogFont(bool bold = false);
