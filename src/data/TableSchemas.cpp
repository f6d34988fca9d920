#include "TableSchemas.h"

using namespace Qt::StringLiterals;

namespace {

TableField Text(const QString &name, const QString &title, int size = 64)
{
    return {{name, FieldType::Text, size}, title};
}

TableField Number(const QString &name, const QString &title)
{
    return {{name, FieldType::Integer, 0}, title};
}

std::vector<FieldDef> DefsOf(const std::vector<TableField> &table)
{
    std::vector<FieldDef> defs;
    for (const TableField &field : table)
        defs.push_back(field.def);
    return defs;
}

} // namespace

const std::vector<TableField> &GameTable()
{
    static const std::vector<TableField> table = {
        Text(u"TITEL"_s, u"Titel"_s),
        Text(u"AUSGABE"_s, u"Ausgabe"_s),
        Number(u"SEITE"_s, u"Seite"_s),
        Number(u"WERTUNG"_s, u"Wertung"_s),
        Number(u"GRAFIK"_s, u"Grafik"_s),
        Number(u"SOUND"_s, u"Sound"_s),
        Number(u"EINSTIEG"_s, u"Einstieg"_s),
        Number(u"KOMPLEXI"_s, u"Komplexität"_s),
        Number(u"STEUERUNG"_s, u"Steuerung"_s),
        Number(u"MULTIPLAY"_s, u"Multi-Player"_s),
        Text(u"ANSPRUCH"_s, u"Anspruch"_s),
        Text(u"GENRE"_s, u"Genre"_s),
        Text(u"HERSTELLER"_s, u"Hersteller"_s),
        Text(u"TESTVER"_s, u"Testversion"_s),
        Text(u"BETRIEBS"_s, u"Betriebssystem"_s),
        Text(u"SPRACHE"_s, u"Sprache"_s),
        Text(u"MULTIPLAYT"_s, u"Multi-Player"_s),
        Text(u"DDKARTE"_s, u"3D-Karte"_s),
        Text(u"HARDWAREM"_s, u"Hardware, Minimum"_s),
        Text(u"HARDWAREE"_s, u"Hardware, Empfehlung"_s),
        Text(u"TESTER"_s, u"Tester"_s),
        Text(u"EXTRAS"_s, u"Extras"_s),
        Text(u"ZUSATZCD"_s, u"Zusatz-CD"_s),
        Text(u"BILDNAME"_s, u"Bildname"_s),
    };
    return table;
}

const std::vector<TableField> &TipsTable()
{
    static const std::vector<TableField> table = {
        Text(u"Titel"_s, u"Titel"_s),     Text(u"Ausgabe"_s, u"Ausgabe"_s), Number(u"Seite"_s, u"Seite"_s),
        Text(u"Art"_s, u"Art"_s),         Text(u"Hinweis"_s, u"Hinweis"_s, 255),
    };
    return table;
}

std::vector<FieldDef> GameTableFields()
{
    return DefsOf(GameTable());
}

std::vector<FieldDef> TipsTableFields()
{
    return DefsOf(TipsTable());
}

QString PictureKey(const FieldValue &issue)
{
    QString key(6, u'0');
    if (issue.isNull())
        return key;
    const QString text = issue.toText();
    const int positions[6] = {5, 6, 7, 8, 10, 11};
    for (int i = 0; i < 6; ++i) {
        if (const qsizetype at = positions[i] - 1; at < text.size())
            key[i] = text.at(at);
    }
    for (qsizetype i = 0; i < key.size(); ++i) {
        const QChar c = key.at(i);
        if (c.isHighSurrogate() && i + 1 < key.size() && key.at(i + 1).isLowSurrogate())
            ++i; // a whole character beyond the basic plane
        else if (c == u'/' || c == QChar(0) || c.isSurrogate())
            key[i] = u'0';
    }
    return key;
}
