#include "DemoCatalog.h"
#include "DemoData.h"
#include "SplitMix.h"
#include "TableSchemas.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr quint64 kGameSeed = 0x5D1E7D3C0FFEE001ull;
constexpr int kTitleSize = 64;

struct GenreWords {
    QString genre;
    std::vector<QString> stems;
};

// Title stems per genre, so that a title fits the scene its screenshot shows.
const std::vector<GenreWords> &Genres()
{
    static const std::vector<GenreWords> genres = {
        {u"Strategie"_s, {u"Grenzland"_s, u"Feldherr"_s, u"Eisenkrone"_s, u"Reichsgründer"_s, u"Vasallen"_s,
                          u"Inselreich"_s, u"Handelsfürsten"_s, u"Zitadelle"_s, u"Kronland"_s, u"Bannerträger"_s}},
        {u"Action"_s, {u"Donnerfaust"_s, u"Nachtjäger"_s, u"Panzerwolf"_s, u"Sternenjäger"_s, u"Plasmafront"_s,
                       u"Kometenschwarm"_s, u"Orbitalwache"_s, u"Meteorsturm"_s, u"Lichtjäger"_s}},
        {u"Adventure"_s, {u"Nebelinsel"_s, u"Der Uhrmacher"_s, u"Spukschloss Grauenfels"_s, u"Mondsteine"_s,
                          u"Das Tintenfass"_s, u"Die Glocke von Altenmoor"_s, u"Der Leuchtturmwärter"_s,
                          u"Das Rätsel der Mühle"_s}},
        {u"Rollenspiel"_s, {u"Runenklinge"_s, u"Drachenhort"_s, u"Kristallgruft"_s, u"Elfenwacht"_s, u"Zauberturm"_s,
                            u"Orkenfeste"_s, u"Schwertbund"_s, u"Knochenthron"_s, u"Aschenpfad"_s}},
        {u"Simulation"_s, {u"Flugkapitän"_s, u"Tiefsee-Kommando"_s, u"Wolkenreiter"_s, u"Luftbrücke"_s,
                           u"Jet-Staffel"_s, u"Segelflieger"_s, u"Hubschrauber-Einsatz"_s, u"Abfangjäger"_s}},
        {u"Sport"_s, {u"Elfmeterkönig"_s, u"Torjäger"_s, u"Kickerstolz"_s, u"Flankengott"_s, u"Abstiegskampf"_s,
                      u"Derbyfieber"_s, u"Pokalnacht"_s, u"Meisterschale"_s, u"Ligatraum"_s}},
        {u"Rennspiel"_s, {u"Asphaltfieber"_s, u"Turbo Rallye"_s, u"Kurvenkönig"_s, u"Nitro-Piloten"_s,
                          u"Wüstenrallye"_s, u"Bleifuß"_s, u"Boxenstopp"_s, u"Vollgas Bergrennen"_s, u"Zielflagge"_s}},
        {u"Denkspiel"_s, {u"Klötzchenturm"_s, u"Würfelwelt"_s, u"Murmelbahn"_s, u"Kopfnuss"_s, u"Steinchen"_s,
                          u"Farbenflut"_s, u"Quaderwahn"_s, u"Knobelkiste"_s, u"Puzzlepalast"_s}},
    };
    return genres;
}

const std::array kTitleSuffixes = {
    u""_s, u""_s, u""_s, u""_s, u" 2"_s, u" II"_s, u" III"_s, u" '97"_s, u" '98"_s, u" Deluxe"_s, u" Gold"_s,
    u": Die Rückkehr"_s, u": Der Aufstand"_s, u": Das Erbe"_s, u" Extra"_s, u": Missions-CD"_s,
    u" Professional"_s, u": Die Verschwörung"_s, u": Neue Welten"_s, u" 2000"_s,
};

const std::array kLevels = {u"Einsteiger"_s, u"Fortgeschrittene"_s, u"Profis"_s, u"Einsteiger bis Profis"_s,
                              u"Fortgeschrittene und Profis"_s};
const std::array kStudios = {
    u"Blauwal Software"_s, u"Nordlicht Interaktiv"_s, u"Pixelmühle"_s, u"Kobold Games"_s,
    u"Funkenflug Entertainment"_s, u"Bitschmiede"_s, u"Zahnrad Studios"_s, u"Grauwacke Software"_s,
    u"Leuchtfeuer Spiele"_s, u"Orkan Interactive"_s, u"Quader Soft"_s, u"Mühlstein Digital"_s,
    u"Tüftelwerk"_s, u"Silberfisch Media"_s, u"Brandung Games"_s, u"Eulenflug Software"_s,
};
const std::array kTestversion = {u"Verkaufsversion 1.0"_s, u"Verkaufsversion 1.02"_s, u"Verkaufsversion 1.1"_s,
                                 u"Verkaufsversion 2.01"_s, u"Beta"_s, u"Vorabversion"_s, u"Testmuster"_s};
const std::array kBetriebssystem = {u"Windows 95/98"_s, u"Windows 95"_s, u"DOS"_s, u"DOS, Windows 95"_s,
                                    u"Windows 95/98/NT"_s};
const std::array kLanguages = {u"Deutsch"_s, u"Deutsch"_s, u"Englisch"_s, u"Deutsch (Handbuch)"_s,
                             u"Deutsch, Englisch"_s, u"Englisch (deutsches Handbuch)"_s};
const std::array kMultiplayer = {u"Netzwerk (8), Modem (2)"_s, u"Netzwerk (4)"_s, u"Internet (16), Netzwerk (8)"_s,
                                 u"Splitscreen (2)"_s, u"Modem (2), Nullmodem (2)"_s, u"Hot-Seat (4)"_s,
                                 u"Netzwerk (16), Internet (32)"_s};
const std::array k3dCards = {u"3Dfx"_s, u"3Dfx, Direct3D"_s, u"Direct3D"_s, u"3Dfx, PowerVR, Direct3D"_s,
                             u"Direct3D, Rendition"_s};
// Ordered from weakest to strongest, so the recommended machine never undercuts the minimum.
const std::array kHardware = {
    u"486/66, 8 MB RAM, 2x CD-ROM"_s,  u"P75, 8 MB RAM, 2x CD-ROM"_s,   u"P90, 16 MB RAM, 2x CD-ROM"_s,
    u"P133, 16 MB RAM, 4x CD-ROM"_s,   u"P166, 32 MB RAM, 4x CD-ROM"_s, u"P200, 32 MB RAM, 8x CD-ROM"_s,
    u"PII 266, 64 MB RAM, 3D-Karte"_s, u"PII 350, 64 MB RAM, 3D-Karte"_s,
};
const std::array kReviewers = {u"Jens Kammerer"_s, u"Ute Brandl"_s, u"Mo Petersen"_s, u"Kai Wendler"_s,
                            u"Birte Osthoff"_s, u"H. Grieser"_s, u"JK"_s, u"ub"_s, u"Ole Sanders"_s,
                            u"T. Marquardt"_s, u"Nina Fuchs"_s, u"rw"_s};
const std::array kZusatzCd = {u"Ja"_s, u"1"_s, u"Zusatz-CD 2"_s};

int Clamp(int value) { return std::clamp(value, 0, 100); }

QString IssueText(int year, int month)
{
    return u"Nr. %1-%2"_s.arg(year).arg(month, 2, 10, QLatin1Char('0'));
}

// ASCII letters of a title for a short file name: "Söldner der Steppe" gives "soeldn".
QString FileStem(QStringView title)
{
    QString stem;
    for (const QChar c : title) {
        const QChar lower = c.toLower();
        if (lower == u'ä') stem += u"ae"_s;
        else if (lower == u'ö') stem += u"oe"_s;
        else if (lower == u'ü') stem += u"ue"_s;
        else if (lower == u'ß') stem += u"ss"_s;
        else if ((lower >= u'a' && lower <= u'z') || (lower >= u'0' && lower <= u'9')) stem += lower;
        if (stem.size() >= 6)
            return stem.left(6);
    }
    return stem.isEmpty() ? u"bild"_s : stem;
}

class GameMaker {
public:
    GameMaker()
    {
        // Random titles never take one of the hand-made ones.
        for (const QString &title : HandMadeTitles())
            usedTitles_.insert(title);
    }

    std::vector<FieldValue> make(int index)
    {
        std::vector<FieldValue> g(kGameFieldCount);
        const GenreWords &genre = rng_.pick(Genres());
        g[kTitel] = uniqueTitle(genre);
        const int year = rng_.between(1995, 1999);
        g[kAusgabe] = IssueText(year, rng_.between(1, 12));
        g[kSeite] = qint64(rng_.between(12, 190));
        fillRatings(g);
        g[kAnspruch] = rng_.pick(kLevels);
        g[kGenre] = genre.genre;
        g[kHersteller] = rng_.pick(kStudios);
        g[kTestver] = rng_.pick(kTestversion);
        g[kBetriebs] = year < 1996 ? u"DOS"_s : rng_.pick(kBetriebssystem);
        g[kSprache] = rng_.pick(kLanguages);
        g[kDdkarte] = year >= 1997 && rng_.chance(60) ? rng_.pick(k3dCards) : u"keine"_s;
        const int minimum = std::min(rng_.between(0, 3) + (year - 1995), int(kHardware.size()) - 2);
        g[kHardwarem] = kHardware[minimum];
        g[kHardwaree] = kHardware[std::min(minimum + rng_.between(1, 2), int(kHardware.size()) - 1)];
        g[kTester] = rng_.pick(kReviewers);
        fillMarks(g);
        ApplyAwkwardCase(index, g);
        if (g[kBildname].isUnassigned())
            g[kBildname] = pictureName(g);
        return g;
    }

private:
    static std::vector<QString> HandMadeTitles();
    static void ApplyAwkwardCase(int index, std::vector<FieldValue> &g);

    QString uniqueTitle(const GenreWords &genre)
    {
        QString title;
        for (int attempt = 0; attempt < 8; ++attempt) {
            const QString &stem = rng_.pick(genre.stems); // one draw after the other, on any compiler
            title = stem + rng_.pick(kTitleSuffixes);
            if (!usedTitles_.contains(title)) {
                usedTitles_.insert(title);
                return title;
            }
        }
        // Large benchmark tables run out of combinations: number the rest.
        for (int &n = nextNumber_[title];; ) {
            const QString numbered = (title + u' ' + QString::number(n++ + 2)).left(kTitleSize);
            if (!usedTitles_.contains(numbered)) {
                usedTitles_.insert(numbered);
                return numbered;
            }
        }
    }

    void fillRatings(std::vector<FieldValue> &g)
    {
        const int first = rng_.between(30, 95);
        const int overall = (first + rng_.between(45, 92)) / 2;
        g[kWertung] = qint64(overall);
        for (int f = kGrafik; f <= kSteuerung; ++f)
            g[f] = qint64(Clamp(overall + rng_.between(-15, 12)));
        // Games without a multiplayer mode get no multiplayer rating.
        if (rng_.chance(35)) {
            g[kMultiplayt] = u"keiner"_s;
            g[kMultiplay] = FieldValue::null();
        } else {
            g[kMultiplayt] = rng_.pick(kMultiplayer);
            g[kMultiplay] = qint64(Clamp(overall + rng_.between(-20, 10)));
        }
    }

    void fillMarks(std::vector<FieldValue> &g)
    {
        const bool gold = g[kWertung].integer() >= 84 && rng_.chance(70);
        g[kExtras] = gold ? u"GA"_s : rng_.chance(10) ? FieldValue::null() : FieldValue(QString());
        const int extraCd = rng_.below(100);
        g[kZusatzcd] = extraCd < 84 ? FieldValue(QString())
                     : extraCd < 90 ? FieldValue::null()
                                    : FieldValue(rng_.pick(kZusatzCd));
    }

    // Unique within the issue's folder: "screen.png" now and then, else a short stem and a number.
    QString pictureName(const std::vector<FieldValue> &g)
    {
        const QString key = PictureKey(g[kAusgabe]);
        const bool screen = rng_.chance(25);
        if (screen && !keysWithScreen_.contains(key)) {
            keysWithScreen_.insert(key);
            return u"screen.png"_s;
        }
        const QString stem = FileStem(g[kTitel].text());
        const int number = ++stemCounts_[key + u'/' + stem];
        return stem + QString::number(number).rightJustified(2, u'0') + u".png"_s;
    }

    SplitMix rng_{kGameSeed};
    QSet<QString> usedTitles_;
    QHash<QString, int> nextNumber_; // per exhausted title, where numbering goes on
    QSet<QString> keysWithScreen_;
    QHash<QString, int> stemCounts_;
};

std::vector<QString> GameMaker::HandMadeTitles()
{
    return {u"Söldner der Steppe"_s, u"Sternenwacht"_s, u"Überfall auf Burg Kralstein"_s, u"Galdrin's Tor"_s,
            u"Kapitän Blaubarts unglaubliche Reise zum Ende der Welt"_s, kTitleWithThreeTips, u"Morwen's Erbe"_s,
            u"Schrottplatz-Rallye"_s, u"Farbenrausch"_s, u"Äonen der Finsternis"_s, kTitleWithMissingScreenshot,
            u"Sternenstaub"_s, u"Sternenfahrer 2"_s, u"Opa Krächz' Zirkus"_s, u"Sternenwacht: Missions-CD"_s};
}

// The cases a real CD has and a reader must cope with, each at a fixed place.
void GameMaker::ApplyAwkwardCase(int index, std::vector<FieldValue> &g)
{
    const auto name = [&](const QString &title, const QString &genre) {
        g[kTitel] = title;
        g[kGenre] = genre;
    };
    const FieldValue null = FieldValue::null();
    // A single missing rating needs the multiplayer one present, whatever the draw gave.
    const auto withMultiplayer = [&] {
        if (g[kMultiplay].isNull()) {
            g[kMultiplayt] = kMultiplayer[0];
            g[kMultiplay] = g[kWertung];
        }
    };
    switch (index) {
    case 2: name(u"Söldner der Steppe"_s, u"Strategie"_s); g[kExtras] = u"GA"_s; break;
    case 5: name(u"Sternenwacht"_s, u"Action"_s); break;
    case 9: name(u"Überfall auf Burg Kralstein"_s, u"Adventure"_s); g[kBildname] = null; break;
    case 14: name(u"Galdrin's Tor"_s, u"Rollenspiel"_s); break;
    case 21: name(u"Kapitän Blaubarts unglaubliche Reise zum Ende der Welt"_s, u"Adventure"_s); break;
    case 27: name(kTitleWithThreeTips, u"Action"_s); break;
    case 33: name(u"Morwen's Erbe"_s, u"Rollenspiel"_s); g[kBildname] = QString(); break;
    case 40:
        name(u"Schrottplatz-Rallye"_s, u"Rennspiel"_s);
        for (int f = kWertung; f <= kMultiplay; ++f)
            g[f] = null;
        g[kTestver] = u"Beta"_s;
        break;
    case 47: name(u"Farbenrausch"_s, u"Denkspiel"_s); g[kGrafik] = qint64(101); break;
    case 52:
        name(u"Äonen der Finsternis"_s, u"Rollenspiel"_s);
        g[kAusgabe] = null;
        g[kBildname] = u"screen.png"_s;
        break;
    case 60: name(kTitleWithMissingScreenshot, u"Simulation"_s); g[kBildname] = u"nachtf01.png"_s; break;
    case 64: name(u"Sternenstaub"_s, u"Denkspiel"_s); break;
    case 71: name(u"Sternenfahrer 2"_s, u"Simulation"_s); break;
    case 80: g[kSound] = null; withMultiplayer(); break;
    case 88:
        g[kHersteller] = null;
        g[kTestver] = null;
        g[kSprache] = QString();
        g[kDdkarte] = null;
        g[kHardwaree] = QString();
        break;
    case 93: g[kEinstieg] = null; withMultiplayer(); break;
    case 101: name(u"Opa Krächz' Zirkus"_s, u"Adventure"_s); break;
    case 115: g[kKomplexi] = null; g[kExtras] = u"PA"_s; withMultiplayer(); break;
    case 126: g[kGenre] = null; g[kAnspruch] = QString(); break;
    case 133: name(u"Sternenwacht: Missions-CD"_s, u"Action"_s); g[kZusatzcd] = u"Zusatz-CD 2"_s; break;
    case 140: g[kExtras] = u"ga"_s; break;
    case 160: g[kExtras] = u"GA "_s; break;
    case 175: g[kTester] = null; g[kMultiplayt] = QString(); g[kBetriebs] = null; break;
    case 230: g[kWertung] = qint64(100); g[kGrafik] = qint64(0); break;
    default: break;
    }
}

// ---- tips ----

constexpr quint64 kTipSeed = 0x71B5C0DE5EED0002ull;

const std::array kCheatCodes = {u"KRAKATAU"_s, u"HONIGBROT"_s, u"SCHNECKE"_s, u"ZAUBERMAUS"_s, u"BLAUWAL"_s,
                                u"GRIESBREI"_s, u"KNALLFROSCH"_s, u"PFLAUMENMUS"_s};
const std::array kCheatEffects = {
    u"erhalten Sie 10.000 Goldstücke"_s, u"sind alle Level freigeschaltet"_s,
    u"wird Ihre Spielfigur unverwundbar"_s, u"füllt sich der Munitionsvorrat wieder auf"_s,
    u"springen Sie direkt zum Endgegner"_s, u"läuft die Zeit nur noch halb so schnell"_s,
};
const std::array kPlaces = {u"zur alten Brücke"_s, u"in den Keller des Wirtshauses"_s, u"zum Leuchtturm"_s,
                            u"in den nördlichen Wald"_s, u"zur verlassenen Mine"_s, u"auf den Marktplatz"_s};
const std::array kActions = {u"ziehen Sie den Hebel links neben der Tür"_s,
                             u"sprechen Sie zweimal mit dem Wirt"_s, u"benutzen Sie das Seil mit dem Haken"_s,
                             u"legen Sie die Münze auf den Altar"_s, u"warten Sie, bis die Wache einschläft"_s};
const std::array kBuild = {u"zwei Kasernen"_s, u"eine Mauer um das Lager"_s, u"mehrere Wachtürme"_s,
                           u"eine zweite Mine"_s, u"schnelle Späher"_s};
const std::array kReserve = {u"die Reiterei"_s, u"ein paar Bogenschützen"_s, u"die schweren Panzer"_s,
                             u"genug Rohstoffe"_s};
const std::array kAttack = {u"von Osten"_s, u"über den Fluss"_s, u"nach etwa zehn Minuten"_s,
                            u"mit Luftunterstützung"_s};
const std::array kEditorTricks = {u"ein Gegner auch mitten im Wasser platzieren"_s,
                                  u"die Startkasse beliebig erhöhen"_s, u"jede Einheit schon in Runde eins bauen"_s,
                                  u"die Karte über den Rand hinaus vergrößern"_s};
const std::array kKeys = {u"die Umschalttaste"_s, u"[Strg]"_s, u"[Alt] und [F7]"_s, u"beide Maustasten"_s};
const std::array kArt = {u"Cheat"_s, u"Lösungsweg"_s, u"Taktik"_s, u"Editor-Trick"_s, u"Levelcodes"_s};

// The arguments of one call are evaluated in an order of the compiler's choosing: every
// random pick is drawn in a statement of its own, so the demo texts are the same on any compiler.
QString TipText(SplitMix &rng, const QString &art)
{
    if (art == u"Cheat"_s) {
        const int key = rng.between(2, 11);
        const QString code = rng.pick(kCheatCodes);
        const QString effect = rng.pick(kCheatEffects);
        return u"Drücken Sie während des Spiels [F%1] und tippen Sie „%2“ ein; danach %3."_s.arg(key).arg(code, effect);
    }
    if (art == u"Lösungsweg"_s) {
        const int section = rng.between(2, 9);
        const QString place = rng.pick(kPlaces);
        const QString action = rng.pick(kActions);
        return u"Im %1. Abschnitt führt der Weg zunächst %2; dort %3, dann öffnet sich der Durchgang."_s.arg(section).arg(
            place, action);
    }
    if (art == u"Taktik"_s) {
        const QString build = rng.pick(kBuild);
        const QString reserve = rng.pick(kReserve);
        const QString attack = rng.pick(kAttack);
        return u"Bauen Sie früh %1 und halten Sie %2 in Reserve, denn der Computergegner greift meist %3 an."_s.arg(
            build, reserve, attack);
    }
    if (art == u"Editor-Trick"_s) {
        const QString trick = rng.pick(kEditorTricks);
        const QString key = rng.pick(kKeys);
        return u"Im Level-Editor lässt sich %1, wenn Sie beim Klicken %2 gedrückt halten."_s.arg(trick, key);
    }
    QString codes[4];
    for (QString &code : codes)
        code = rng.pick(kCheatCodes);
    return u"Die Codes für die Level 2 bis 5 lauten: %1, %2, %3 und %4."_s.arg(codes[0], codes[1], codes[2], codes[3]);
}

// A later issue than the review's, where readers' tips usually appear.
QString TipIssue(SplitMix &rng, const RecordStore &games, int game)
{
    int year = rng.between(1995, 1999);
    int month = rng.between(1, 12);
    if (!games.isNull(game, kAusgabe)) {
        const QString issue = games.textForm(game, kAusgabe);
        year = issue.mid(4, 4).toInt();
        month = issue.mid(9, 2).toInt() + rng.between(1, 8);
    }
    year += (month - 1) / 12;
    month = (month - 1) % 12 + 1;
    return IssueText(year, month);
}

std::vector<FieldValue> MakeTip(SplitMix &rng, const QString &title, const QString &issue)
{
    const QString &art = rng.pick(kArt);
    return {title, issue, qint64(rng.between(140, 198)), art, TipText(rng, art).left(255)};
}

// Titles that look like a game's but match none exactly: another letter case, a trailing blank.
QString CaseVariant(const QString &title)
{
    const QString lower = title.toLower();
    return lower != title ? lower : title.toUpper();
}

int FindTitle(const RecordStore &games, const QString &title)
{
    for (int g = 0; g < games.size(); ++g)
        if (games.textForm(g, kTitel) == title)
            return g;
    return games.size() > 0 ? 0 : -1;
}

} // namespace

std::vector<PlantedFinding> PlantedFindings(const RecordStore &games, const RecordStore &tips)
{
    std::vector<PlantedFinding> planted;
    const auto game = [&](const QString &kind, int index, GameField field) {
        if (index < games.size())
            planted.push_back({kind, kGameTableFile, index + 1, GameFieldName(field)});
    };
    // The cases of ApplyAwkwardCase that the check reports, by their index.
    game(u"no-screenshot"_s, 9, kBildname);
    game(u"no-screenshot"_s, 33, kBildname);
    game(u"rating-missing"_s, 40, kWertung);
    game(u"rating-out-of-range"_s, 47, kGrafik);
    game(u"key-not-digits"_s, 52, kAusgabe);
    // The screenshots DemoCd leaves out or spoils, by title.
    for (const auto &[kind, title] : {std::pair{u"screenshot-missing"_s, kTitleWithMissingScreenshot},
                                      {u"screenshot-damaged"_s, kTitleWithDamagedScreenshot},
                                      {u"screenshot-wrong-kind"_s, kTitleWithWrongKindScreenshot}}) {
        for (int g = 0; g < games.size(); ++g)
            if (games.textForm(g, kTitel) == title)
                game(kind, g, kBildname);
    }
    // The two lookalike tips of GenerateTipRecords.
    const int caseTwin = FindTitle(games, u"Söldner der Steppe"_s), blankTwin = FindTitle(games, u"Galdrin's Tor"_s);
    const QStringList lookalikes = {CaseVariant(games.textForm(caseTwin, kTitel)),
                                    games.textForm(blankTwin, kTitel).left(kTitleSize - 1) + u' '};
    for (int t = 0; t < tips.size(); ++t)
        if (lookalikes.contains(tips.textForm(t, kTipTitel)))
            planted.push_back({u"tip-without-game"_s, kTipsTableFile, t + 1, TipFieldName(kTipTitel)});
    std::sort(planted.begin(), planted.end(), [](const PlantedFinding &a, const PlantedFinding &b) {
        return std::tie(a.table, a.record) < std::tie(b.table, b.record); // spdex_d.cds before spdex_t.cds
    });
    return planted;
}

RecordStore GenerateGameRecords(int count)
{
    RecordStore games(kGameFieldCount);
    games.reserve(std::max(count, 0));
    GameMaker maker;
    for (int i = 0; i < count; ++i)
        games.append(maker.make(i));
    return games;
}

RecordStore GenerateTipRecords(const RecordStore &games)
{
    RecordStore tips(kTipFieldCount);
    SplitMix rng(kTipSeed);
    const int caseTwin = FindTitle(games, u"Söldner der Steppe"_s);
    const int blankTwin = FindTitle(games, u"Galdrin's Tor"_s);
    for (int g = 0; g < games.size(); ++g) {
        const QString title = games.textForm(g, kTitel);
        const bool three = title == kTitleWithThreeTips;
        const int roll = rng.below(100);
        const int count = three ? 2 : roll < 56 ? 0 : roll < 78 ? 1 : 2;
        for (int t = 0; t < count; ++t)
            tips.append(MakeTip(rng, title, TipIssue(rng, games, g)));
        if (three) // its third tip is the longest text a tip may hold
            tips.append({title, TipIssue(rng, games, g), qint64(171), u"Lösungsweg"_s,
                         u"Nach dem Verrat in der dritten Mission rufen Sie sofort alle Jäger zur Raumstation "
                         u"zurück, schalten die Schilde auf volle Leistung und greifen erst dann den Kreuzer an; "
                         u"wer zu früh feuert, verliert die Eskorte und muss die ganze Mission wiederholen."_s.left(255)});
        if (g == caseTwin)
            tips.append(MakeTip(rng, CaseVariant(title), TipIssue(rng, games, g)));
        if (g == blankTwin)
            tips.append(MakeTip(rng, title.left(kTitleSize - 1) + u' ', TipIssue(rng, games, g)));
    }
    return tips;
}
