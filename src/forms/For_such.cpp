#include "For_such.h"

#include "Detail.h"
#include "DialogLook.h"
#include "ErrorDisplay.h"
#include "Misc.h"
#include "TClientDataSet.h"
#include "TImage.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

QString SearchCapitals(const QString &text)
{
    QString capitals = text;
    for (QChar &c : capitals) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) // Latin-1's letters, not ÷
            c = QChar(char16_t(u - 0x20));
        else if (u == u'š')
            c = u'Š';
        else if (u == u'œ')
            c = u'Œ';
        else if (u == u'ž')
            c = u'Ž';
        else if (u == u'ÿ')
            c = u'Ÿ';
    }
    return capitals;
}

QString TitleFilterFor(const QString &searchText)
{
    QString literal = searchText;
    literal.replace(u'\'', u"''"_s); // a quote in a title is searched for, not read as the end
    return u"TITEL = '"_s + literal + u'\'';
}

TFormSuchen::TFormSuchen(QWidget *owner) : QDialog(owner)
{
    SetFixedDialogLook(this, u"Spieldex: Suchen"_s, {466, 209});

    Label1 = new QLabel(u"Su&chen nach:"_s, this);
    Label1->setGeometry(8, 8, 67, 13);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(8, 24, 329, 21);
    Label1->setBuddy(Edit1);

    TasteSuchen = new QPushButton(u"&Suchen"_s, this);
    TasteSuchen->setGeometry(352, 8, 105, 25);
    TasteSuchen->setDefault(true); // Enter presses it
    TasteLoeschen = new QPushButton(u"&Löschen"_s, this);
    TasteLoeschen->setGeometry(352, 40, 105, 25);
    TasteLoeschen->setAutoDefault(false);
    TasteSchliessen = new QPushButton(u"Schließen"_s, this);
    TasteSchliessen->setGeometry(352, 176, 105, 25);
    TasteSchliessen->setAutoDefault(false);

    GroupBox1 = new QGroupBox(u"Hinweis"_s, this);
    GroupBox1->setGeometry(8, 56, 329, 145);
    GroupBox1->setFont(DialogFont(true));
    StaticText1 = AddHint(
        GroupBox1,
        u"Geben Sie einen Begriff oder eine Zeichenfolge ein, die der Anfangszeichenfolge des gesuchten Spiels "
        u"entspricht. Wenn Sie auf \"Suchen\" klicken, zeigt das Programm in der \"Tabelle\" nur noch die Spiele mit "
        u"dieser Anfangszeichenfolge an."_s,
        {8, 16, 305, 57});
    StaticText2 = AddHint(
        GroupBox1,
        u"Diese Einstellung bleibt solange aktiv - zu Erkennen an der roten Lampe auf der Taste \"Suchen\" - bis Sie "
        u"auf die Taste \"Löschen\" klicken. Dann stellt der Spieldex wieder alle gespeicherten Spiele dar."_s,
        {8, 80, 313, 57});

    setTabOrder(Edit1, TasteSuchen);
    setTabOrder(TasteSuchen, TasteLoeschen);
    setTabOrder(TasteLoeschen, TasteSchliessen);
    ConnectGuarded(TasteSuchen, &QPushButton::clicked, this, &TFormSuchen::TasteSuchenClick);
    ConnectGuarded(TasteLoeschen, &QPushButton::clicked, this, &TFormSuchen::TasteLoeschenClick);
    connect(TasteSchliessen, &QPushButton::clicked, this, &QDialog::reject); // also Esc and the close box
    LetEnterPressFocusedButtons(this);
    Edit1->setFocus();
    FormCreate();
}

void TFormSuchen::FormCreate()
{
    Edit1->setText(SearchTextStore(stFetch));
}

void TFormSuchen::TasteSuchenClick()
{
    QString text = Edit1->text();
    if (text.isEmpty())
        return; // an active search stays as it is
    text = SearchCapitals(text);
    if (!text.endsWith(u'*'))
        text += u'*';
    Edit1->setText(text);
    SearchTextStore(stStore, text);
    TClientDataSet *games = Detailansicht->ClientDataSet1;
    // The field shows capitals, but a title is found whatever case it is written in.
    games->SetFilterOptions(TClientDataSet::foCaseInsensitive);
    games->SetFilter(TitleFilterFor(text));
    games->SetFiltered(true);
    Detailansicht->TasteSuchenR->show();
}

void TFormSuchen::TasteLoeschenClick()
{
    Edit1->clear();
    SearchTextStore(stClear);
    Detailansicht->ClientDataSet1->SetFiltered(false);
    Detailansicht->TasteSuchenR->hide();
}
