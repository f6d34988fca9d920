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
