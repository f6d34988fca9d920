#pragma once

#include <QFont>
#include <QWidget>

class QGroupBox;
class QLabel;

// The dialogs' common look: "MS Sans Serif" of 11 pixels, a fixed client size, centred
// on the screen whoever owns them.
void SetDialogLook(QWidget *dialog, const QString &caption, QSize clientSize);
// The same for a dialog with a fixed border whose system menu has the close box alone.
void SetFixedDialogLook(QWidget *dialog, const QString &caption, QSize clientSize);
QFont DialogFont(bool bold = false);

// A hint text in a group box, in the regular face, wrapped. The layout's positions count
// from the box's corner with its inner area one pixel in and 14 down, below a caption of
// 13; here they count from this style's inner area, so the first line stays below the
// caption, and the text is kept inside the box.
QLabel *AddHint(QGroupBox *box, const QString &text, const QRect &bounds);

// Enter presses the push button that has the focus (Space does so already); elsewhere
// Enter is left to the dialog's default button.
void LetEnterPressFocusedButtons(QWidget *dialog);
