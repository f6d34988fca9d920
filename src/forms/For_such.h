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

// Capitals character by character (the simple case mapping, with the Turkic dotted
// capital I where the locale asks for it): "ä" becomes "Ä", a letter without a single
// capital such as "ß" stays, so the text keeps its length.
QString SearchCapitals(const QString &text, const QLocale &locale);

// The filter that finds titles beginning with the search text (which ends in "*"):
// the text between single quotes, a quote inside it doubled.
QString TitleFilterFor(const QString &searchText);
