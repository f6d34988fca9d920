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
#include <QLocale>
#include <QPushButton>

using namespace Qt::StringLiterals;

QString SearchCapitals(const QString &text, const QLocale &locale)
{
    const bool turkic = locale.language() == QLocale::Turkish || locale.language() == QLocale::Azerbaijani;
    QString capitals;
    capitals.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const char32_t capital = turkic && c == U'i' ? U'\u0130' : QChar::toUpper(c);
        capitals += QString::fromUcs4(&capital, 1);
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
    StaticText1 = new QLabel(
        u"Geben Sie einen Begriff oder eine Zeichenfolge ein, die der Anfangszeichenfolge des gesuchten Spiels "
        u"entspricht. Wenn Sie auf \"Suchen\" klicken, zeigt das Programm in der \"Tabelle\" nur noch die Spiele mit "
        u"dieser Anfangszeichenfolge an."_s,
        GroupBox1);
    StaticText1->setGeometry(8, 16, 305, 57);
    StaticText2 = new QLabel(
        u"Diese Einstellung bleibt solange aktiv - zu Erkennen an der roten Lampe auf der Taste \"Suchen\" - bis Sie "
        u"auf die Taste \"Löschen\" klicken. Dann stellt der Spieldex wieder alle gespeicherten Spiele dar."_s,
        GroupBox1);
    StaticText2->setGeometry(8, 80, 313, 57);
    for (QLabel *hint : {StaticText1, StaticText2}) {
        hint->setFont(DialogFont());
        hint->setWordWrap(true);
        hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    setTabOrder(Edit1, TasteSuchen);
    setTabOrder(TasteSuchen, TasteLoeschen);
    setTabOrder(TasteLoeschen, TasteSchliessen);
    connect(TasteSuchen, &QPushButton::clicked, this, [this] { RunGuarded([this] { TasteSuchenClick(); }); });
    connect(TasteLoeschen, &QPushButton::clicked, this, [this] { RunGuarded([this] { TasteLoeschenClick(); }); });
    connect(TasteSchliessen, &QPushButton::clicked, this, &QDialog::reject); // also Esc and the close box
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
    text = SearchCapitals(text, QLocale());
    if (!text.endsWith(u'*'))
        text += u'*';
    Edit1->setText(text);
    SearchTextStore(stStore, text);
    TClientDataSet *games = Detailansicht->ClientDataSet1;
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
