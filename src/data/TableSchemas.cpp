#include "TableSchemas.h"

using namespace Qt::StringLiterals;

std::vector<FieldDef> GameTableFields()
{
    const auto text = [](const QString &name) { return FieldDef{name, FieldType::Text, 64}; };
    const auto number = [](const QString &name) { return FieldDef{name, FieldType::Integer, 0}; };
    return {
        text(u"TITEL"_s),      text(u"AUSGABE"_s),    number(u"SEITE"_s),     number(u"WERTUNG"_s),
        number(u"GRAFIK"_s),   number(u"SOUND"_s),    number(u"EINSTIEG"_s),  number(u"KOMPLEXI"_s),
        number(u"STEUERUNG"_s), number(u"MULTIPLAY"_s), text(u"ANSPRUCH"_s),  text(u"GENRE"_s),
        text(u"HERSTELLER"_s), text(u"TESTVER"_s),    text(u"BETRIEBS"_s),    text(u"SPRACHE"_s),
        text(u"MULTIPLAYT"_s), text(u"DDKARTE"_s),    text(u"HARDWAREM"_s),   text(u"HARDWAREE"_s),
        text(u"TESTER"_s),     text(u"EXTRAS"_s),     text(u"ZUSATZCD"_s),    text(u"BILDNAME"_s),
    };
}

std::vector<FieldDef> TipsTableFields()
{
    return {
        {u"Titel"_s, FieldType::Text, 64},  {u"Ausgabe"_s, FieldType::Text, 64}, {u"Seite"_s, FieldType::Integer, 0},
        {u"Art"_s, FieldType::Text, 64},    {u"Hinweis"_s, FieldType::Text, 255},
    };
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
