#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The information dialog: the program's name and version, the credits and the thanks,
// which end with the machine's registered owner where one is known.
class TFormInfo : public QDialog {
    Q_OBJECT
public:
    explicit TFormInfo(QWidget *owner);

    QPlainTextEdit *Memo1;
    QPushButton *ButtonSchliessen;

    // Appends the owner's lines; each opening is a new dialog, so they appear once.
    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;
};

// The memo's 36 fixed lines.
QStringList InfoLines();
