#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The title search: narrows the main window's game table to the games whose title begins
// with the typed text, until it is cleared here; the red lamp on the main window's search
// button shows while it is in force.
class TFormSuchen : public QDialog {
    Q_OBJECT
public:
    explicit TFormSuchen(QWidget *owner);

    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *TasteSuchen, *TasteLoeschen, *TasteSchliessen;
    QGroupBox *GroupBox1;
    QLabel *StaticText1, *StaticText2;

    void FormCreate();
    void TasteSuchenClick();
    void TasteLoeschenClick();
};

// Capitals as the Windows-1252 code page knows them, character by character: "ä" becomes
// "Ä" and "ÿ" becomes "Ÿ"; a letter whose capital the code page lacks ("µ", "ß") and any
// character beyond the code page stay as they are, so the text keeps its length.
QString SearchCapitals(const QString &text);

// The filter that finds titles beginning with the search text (which ends in "*"):
// the text between single quotes, a quote inside it doubled.
QString TitleFilterFor(const QString &searchText);
