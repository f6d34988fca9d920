#include "For_info.h"

#include "DialogLook.h"
#include "RegisteredOwner.h"
#include "Version.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>

#include <png.h>
#include <zlib.h>

using namespace Qt::StringLiterals;

namespace {

// libpng's own words, from the library the program runs with: " libpng version 1.6.39 -
// November 20, 2022" becomes "1.6.39 - November 20, 2022".
QString LinkedPngVersion()
{
    QString header = QString::fromLatin1(png_get_header_version(nullptr)).trimmed();
    header.remove(QRegularExpression(u"^libpng version "_s));
    return header;
}

// Of libpng's copyright lines the newest, and the earliest year any of them names.
struct PngCopyright {
    QString newest;
    QString since;
};

PngCopyright LinkedPngCopyright()
{
    PngCopyright copyright;
    const QStringList lines = QString::fromLatin1(png_get_copyright(nullptr)).split(u'\n');
    int earliest = 0;
    for (const QString &line : lines) {
        const QString text = line.trimmed();
        if (!text.startsWith(u"Copyright"_s))
            continue;
        if (copyright.newest.isEmpty())
            copyright.newest = text;
        for (const QRegularExpressionMatch &year : QRegularExpression(u"\\b(19|20)\\d\\d\\b"_s).globalMatch(text)) {
            const int value = year.captured().toInt();
            if (earliest == 0 || value < earliest)
                earliest = value;
        }
    }
    if (earliest)
        copyright.since = QString::number(earliest);
    return copyright;
}

} // namespace

QStringList InfoLines()
{
    const QString indent = u"   "_s, thanks = u"      "_s;
    const PngCopyright png = LinkedPngCopyright();
    return {
        QStringLiteral(SPIELDEX_FULL_NAME),
        QString(),
        indent + u"Redaktion des Spielemagazins, 1998 - 2026"_s,
        indent + u"im Netz: www.spieldex.example"_s,
        QString(),
        QString(),
        indent + u"Programmiert 1998, überarbeitet 2026"_s,
        indent + u"vom Spieldex-Entwicklerteam der Redaktion"_s,
        indent + u"E-Mail: spieldex@redaktion.example"_s,
        indent + u"www.spieldex.example/entwicklung"_s,
        QString(),
        QString(),
        indent + u"PNG-Bildkompression"_s,
        indent + u"libpng "_s + LinkedPngVersion(),
        indent + png.newest,
        indent + u"und frühere Autoren seit "_s + png.since + u" (Ordner LIZENZEN)"_s,
        indent + u"frei verwendbar unter der libpng-Lizenz"_s,
        QString(),
        QString(),
        indent + u"ZLIB-Kompressionsroutinen"_s,
        indent + u"zlib "_s + QString::fromLatin1(zlibVersion()),
        indent + QStringLiteral(SPIELDEX_ZLIB_COPYRIGHT),
        QString(),
        QString(),
        indent + u"Vielen Dank an:"_s,
        QString(),
        thanks + u"die Redaktion des Magazins"_s,
        thanks + u"die Testerinnen und Tester"_s,
        thanks + u"die CD-Redaktion"_s,
        thanks + u"das Layout-Team"_s,
        thanks + u"die Grafikabteilung"_s,
        thanks + u"das Schlussredaktionsteam"_s,
        thanks + u"die Leser-Hotline"_s,
        thanks + u"alle Spielehersteller, die Testmuster schickten"_s,
        thanks + u"die Beta-Testerinnen und -Tester aus der Leserschaft"_s,
        thanks + u"alle Leserinnen und Leser"_s,
    };
}

TFormInfo::TFormInfo(QWidget *owner) : QDialog(owner)
{
    SetFixedDialogLook(this, u"Spieldex: Info"_s, {529, 241});

    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(8, 8, 385, 225);
    Memo1->setReadOnly(true);
    Memo1->setFont(DialogFont(true));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setStyleSheet(u"QPlainTextEdit { background: rgb(128, 0, 0); color: rgb(255, 255, 0); }"_s);
    Memo1->setPlainText(InfoLines().join(u'\n'));

    ButtonSchliessen = new QPushButton(u"Schließen"_s, this);
    ButtonSchliessen->setGeometry(408, 208, 113, 25);
    ButtonSchliessen->setAutoDefault(false);
    connect(ButtonSchliessen, &QPushButton::clicked, this, &QDialog::reject); // Esc and the close box alike
    setTabOrder(Memo1, ButtonSchliessen);
    LetEnterPressFocusedButtons(this);
}

void TFormInfo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormInfo::FormShow()
{
    const std::optional<QString> owner = RegisteredOwner();
    if (!owner)
        return;
    for (const QString &line : {QString(), QString(), u"   und natürlich an unseren Lieblingsleser:"_s, QString(),
                                u"      "_s + *owner, QString()})
        Memo1->appendPlainText(line);
}
