#include "CdCheck.h"

#include "Paintpic.h"
#include "TClientDataSet.h"
#include "TableSchemas.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QSet>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

using Severity = Finding::Severity;

constexpr GameField kRatingFields[] = {kWertung, kGrafik, kSound, kEinstieg, kKomplexi, kSteuerung, kMultiplay};

QString Quoted(const QString &text)
{
    return u"„"_s + text + u"“"_s;
}

std::optional<QString> TextOf(const FieldValue &value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toText();
}

// A title as the program's tip lookup compares it: Null, a text or a number, exactly.
QString ExactKey(const FieldValue &value)
{
    return value.isNull() ? u"N"_s : (value.isText() ? u"T"_s : u"I"_s) + value.toText();
}

// A title without regard to case and surrounding blanks.
QString LooseKey(const FieldValue &value)
{
    return value.toText().trimmed().toCaseFolded();
}

// Makes the CD folder current while it lives, as the program works in its own folder.
class InFolder {
public:
    explicit InFolder(const QString &folder) : previous_(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~InFolder() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};

struct LoadedTable {
    TClientDataSet data;
    bool loaded = false;
};

void Load(LoadedTable &table, const QString &file, std::vector<Finding> &findings)
{
    try {
        table.data.LoadFromFile(file);
        table.loaded = true;
    } catch (const std::exception &error) {
        Finding &f = findings.emplace_back();
        f.kind = u"table-unreadable"_s;
        f.table = f.path = file;
        f.message = u"Die Tabelle %1 kann nicht gelesen werden: %2"_s.arg(file, QString::fromUtf8(error.what()));
    }
}

struct Decoded {
    int code = ssNoFile;
    QString damage; // libpng's words for a damaged file
};

// The screenshots' codes, decoded on several threads at once, each with its own bitmap.
QHash<QString, Decoded> DecodeAll(const QStringList &paths, const CheckOptions &options)
{
    std::vector<Decoded> codes(size_t(paths.size()));
    std::atomic<int> next{0}, done{0};
    const auto work = [&](bool reporting) {
        QImage bitmap;
        auto lastReport = std::chrono::steady_clock::now();
        for (int i = next++; i < paths.size(); i = next++) {
            if (std::FILE *file = std::fopen(QFile::encodeName(paths[i]).constData(), "rb")) {
                codes[size_t(i)].code = DecodeScreenshot(file, bitmap);
                codes[size_t(i)].damage = ScreenshotDecodeError();
                std::fclose(file);
            }
            ++done;
            if (reporting && std::chrono::steady_clock::now() - lastReport > std::chrono::milliseconds(100)) {
                options.progress(done, int(paths.size()));
                lastReport = std::chrono::steady_clock::now();
            }
        }
    };
    const int threads = std::max(1, options.threads > 0 ? options.threads : int(std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work, false);
    work(bool(options.progress)); // the calling thread decodes too, and reports
    for (std::thread &thread : pool)
        thread.join();
    if (options.progress)
        options.progress(int(paths.size()), int(paths.size()));
    QHash<QString, Decoded> byPath;
    for (qsizetype i = 0; i < paths.size(); ++i)
        byPath.insert(paths[i], codes[size_t(i)]);
    return byPath;
}

class Checker {
public:
    Checker(std::vector<Finding> &findings) : findings_(findings) {}

    // A finding about the record in `row` (0-based) of a table; what names the record is
    // filled in later, from the table.
    void Add(Severity severity, const QString &kind, const QString &table, int row, const std::optional<QString> &field,
             const std::optional<QString> &path, const QString &message,
             const std::optional<QString> &suggestion = std::nullopt)
    {
        Finding &f = findings_.emplace_back();
        f.severity = severity;
        f.kind = kind;
        f.table = table;
        f.record = row + 1;
        f.field = field;
        f.path = path;
        f.suggestion = suggestion;
        f.message = message;
    }

    // Texts longer than their field's size, in either table.
    void TextLengths(const TClientDataSet &table, const QString &file)
    {
        for (int row = 0; row < table.RecordCount(); ++row) {
            for (int f = 0; f < table.FieldCount(); ++f) {
                const FieldDef &def = table.FieldDefAt(f);
                const FieldValue value = table.ValueAtRow(row, f);
                if (def.type != FieldType::Text || def.size <= 0 || value.isNull() || value.toText().size() <= def.size)
                    continue;
                Add(Severity::Warning, u"text-too-long"_s, file, row, def.name, std::nullopt,
                    u"Der Text in %1 hat %2 Zeichen, das Feld fasst %3; die Seite zeigt ihn, ein Export und "
                    u"Import kürzen ihn."_s.arg(def.name).arg(value.toText().size()).arg(def.size));
            }
        }
    }

private:
    std::vector<Finding> &findings_;
};

int FieldOrMinus(const TClientDataSet &table, GameField field)
{
    return table.FieldIndex(GameFieldName(field));
}

// What libpng's words for a damaged file mean, in German; libpng's own text stays beside it.
QString DamageReason(const QString &libpng)
{
    if (libpng.isEmpty())
        return u"die Farbpalette fehlt oder ist ungültig"_s;
    struct Meaning {
        std::array<QStringView, 4> words; // unused places stay empty
        QStringView reason;
    };
    // The first whose words libpng's text contains, in this order.
    static const Meaning meanings[] = {
        {{u"Read Error", u"unexpected end"}, u"die Datei endet vorzeitig"},
        {{u"CRC"}, u"eine Prüfsumme stimmt nicht: die Datei wurde verändert oder falsch übertragen"},
        {{u"Not enough image data"}, u"die Bilddaten sind unvollständig"},
        {{u"Too much image data", u"Extra compressed data"}, u"die Datei enthält mehr Bilddaten, als das Bild fasst"},
        {{u"filter"}, u"eine Bildzeile ist mit einem unbekannten Filter gespeichert"},
        {{u"IHDR"}, u"der Bildkopf ist fehlerhaft"},
        {{u"PLTE", u"palette"}, u"die Farbpalette ist fehlerhaft"},
        {{u"IDAT", u"invalid", u"incorrect", u"too many"}, u"die komprimierten Bilddaten sind fehlerhaft"},
    };
    for (const Meaning &meaning : meanings)
        for (QStringView words : meaning.words)
            if (!words.isEmpty() && libpng.contains(words, Qt::CaseInsensitive))
                return meaning.reason.toString();
    return u"die Datei ist fehlerhaft aufgebaut"_s;
}

QString DamageMessage(const QString &path, const QString &libpng)
{
    QString message = u"Das Bild %1 ist beschädigt: %2"_s.arg(path, DamageReason(libpng));
    if (!libpng.isEmpty())
        message += u" (Meldung von libpng: %1)"_s.arg(Quoted(libpng));
    return message + u'.';
}

// Fills in what names each finding's record: the title, and a game's issue or a tip's
// kind and page, from the table the finding is about.
void NameRecords(std::vector<Finding> &findings, const LoadedTable &games, const LoadedTable &tips)
{
    for (Finding &f : findings) {
        if (!f.table || !f.record)
            continue;
        const bool isGame = *f.table == kGameTableFile;
        const LoadedTable &table = isGame ? games : tips;
        const int row = *f.record - 1;
        if (!table.loaded || row < 0 || row >= table.data.RecordCount())
            continue;
        const auto text = [&](const QString &field) {
            const int index = table.data.FieldIndex(field);
            return index < 0 ? std::nullopt : TextOf(table.data.ValueAtRow(row, index));
        };
        if (isGame) {
            f.title = text(GameFieldName(kTitel));
            f.issue = text(GameFieldName(kAusgabe));
        } else {
            f.title = text(TipFieldName(kTipTitel));
            f.tipType = text(TipFieldName(kTipArt));
            f.page = text(TipFieldName(kTipSeite));
        }
    }
}

} // namespace

bool IsCdFolder(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(kGameTableFile)).isFile();
}

int CheckReport::Count(Finding::Severity severity) const
{
    return int(std::count_if(findings.begin(), findings.end(),
                             [severity](const Finding &f) { return f.severity == severity; }));
}

CheckReport CheckCd(const QString &folder, const CheckOptions &options)
{
    CheckReport report;
    report.folder = folder;
    InFolder here(folder);
    std::vector<Finding> &findings = report.findings;
    Checker checker(findings);

    LoadedTable games, tips;
    Load(games, kGameTableFile, findings);
    Load(tips, kTipsTableFile, findings);

    // The PNG files under DATA/, named as the program would open them.
    QStringList onCd;
    for (QDirIterator it(u"DATA"_s, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (path.endsWith(u".png"_s, Qt::CaseInsensitive))
            onCd << QDir::cleanPath(path);
    }
    report.screenshots = int(onCd.size());

    QSet<QString> named;
    QStringList toDecode;
    struct Shot {
        int row;
        QString path;
    };
    std::vector<Shot> shots;
    const TClientDataSet &g = games.data;
    if (games.loaded) {
        report.games = g.RecordCount();
        const int titel = FieldOrMinus(g, kTitel), ausgabe = FieldOrMinus(g, kAusgabe),
                  bildname = FieldOrMinus(g, kBildname);
        const auto value = [&g](int row, int field) { return field < 0 ? FieldValue::null() : g.ValueAtRow(row, field); };
        std::array<int, std::size(kRatingFields)> ratingColumns;
        for (size_t r = 0; r < ratingColumns.size(); ++r)
            ratingColumns[r] = FieldOrMinus(g, kRatingFields[r]);
        QHash<QString, QList<int>> rowsByTitle;
        for (int row = 0; row < g.RecordCount(); ++row) {
            const std::optional<QString> title = TextOf(value(row, titel));
            if (!title || title->isEmpty())
                checker.Add(Severity::Error, u"title-empty"_s, kGameTableFile, row, GameFieldName(kTitel),
                            std::nullopt, u"Das Spiel hat keinen Titel."_s);
            else
                rowsByTitle[*title].append(row);

            const FieldValue issue = value(row, ausgabe);
            const QString key = PictureKey(issue);
            const bool digits = key.size() == 6 && std::all_of(key.begin(), key.end(), [](QChar c) {
                                    return c >= u'0' && c <= u'9';
                                });
            if (issue.isNull() || !digits)
                checker.Add(Severity::Warning, u"key-not-digits"_s, kGameTableFile, row, GameFieldName(kAusgabe),
                            std::nullopt,
                            issue.isNull() ? u"Das Spiel hat keine Ausgabe; sein Bild wird in DATA/000000 gesucht."_s
                                           : u"Der Bildordner %1 aus der Ausgabe %2 besteht nicht aus sechs Ziffern."_s
                                                 .arg(Quoted(key), Quoted(issue.toText())));

            const std::optional<QString> name = TextOf(value(row, bildname));
            if (!name || name->isEmpty()) {
                checker.Add(Severity::Warning, u"no-screenshot"_s, kGameTableFile, row, GameFieldName(kBildname),
                            std::nullopt, u"Das Spiel hat kein Bild; die Seite zeigt das Ersatzbild."_s);
            } else {
                const QString path = QDir::cleanPath(u"DATA/"_s + key + u'/' + *name);
                named.insert(path);
                shots.push_back({row, path});
                toDecode << path;
            }

            for (size_t r = 0; r < ratingColumns.size(); ++r) {
                const GameField field = kRatingFields[r];
                const FieldValue rating = value(row, ratingColumns[r]);
                if (rating.isNull()) {
                    if (field == kWertung)
                        checker.Add(Severity::Warning, u"rating-missing"_s, kGameTableFile, row, GameFieldName(field),
                                    std::nullopt, u"Das Spiel hat keine Wertung; die Seite zeigt ein leeres rotes Feld."_s);
                    continue;
                }
                bool ok = false;
                const qint64 number = rating.toText().toLongLong(&ok);
                if (!ok || number < 0 || number > 100)
                    checker.Add(Severity::Warning, u"rating-out-of-range"_s, kGameTableFile, row, GameFieldName(field),
                                std::nullopt,
                                u"Die Wertung %1 in %2 liegt nicht zwischen 0 und 100; die Seite zeigt \"--\"."_s.arg(
                                    rating.toText(), GameFieldName(field)));
            }
        }
        for (auto it = rowsByTitle.cbegin(); it != rowsByTitle.cend(); ++it) {
            if (it.value().size() < 2)
                continue;
            QStringList rows;
            for (int row : it.value())
                rows << QString::number(row + 1);
            const QString listed = rows.mid(0, rows.size() - 1).join(u", "_s) + u" und "_s + rows.constLast();
            for (int row : it.value())
                checker.Add(Severity::Warning, u"title-duplicate"_s, kGameTableFile, row, GameFieldName(kTitel),
                            std::nullopt,
                            u"Den Titel %1 tragen die Spiele in den Zeilen %2 der gespeicherten Reihenfolge; die "
                            u"Tipps erscheinen bei allen."_s.arg(Quoted(it.key()), listed));
        }
        checker.TextLengths(g, kGameTableFile);
    }

    toDecode.removeDuplicates();
    report.screenshotsNamed = int(toDecode.size());
    const QHash<QString, Decoded> decoded = DecodeAll(toDecode, options);
    for (const Shot &shot : shots) {
        const auto error = [&](const QString &kind, const QString &message) {
            checker.Add(Severity::Error, kind, kGameTableFile, shot.row, GameFieldName(kBildname), shot.path, message);
        };
        const Decoded result = decoded.value(shot.path);
        switch (result.code) {
        case ssShown:
            break;
        case ssNoFile:
            error(u"screenshot-missing"_s, u"Das Bild %1 fehlt auf der CD."_s.arg(shot.path));
            break;
        case ssNotPng:
            error(u"screenshot-not-png"_s, u"Das Bild %1 ist keine PNG-Datei."_s.arg(shot.path));
            break;
        case ssWrongKind:
            error(u"screenshot-wrong-kind"_s,
                  u"Das Bild %1 ist kein PNG von 320 × 240 Punkten mit 8-Bit-Palette ohne Zeilensprung."_s.arg(shot.path));
            break;
        default:
            error(u"screenshot-damaged"_s, DamageMessage(shot.path, result.damage));
            break;
        }
    }

    if (tips.loaded) {
        const TClientDataSet &t = tips.data;
        report.tips = t.RecordCount();
        const int tipTitle = t.FieldIndex(TipFieldName(kTipTitel));
        const int titel = games.loaded ? FieldOrMinus(g, kTitel) : -1;
        if (games.loaded) {
            // The games' titles looked up once, not once per tip: exactly, as the program
            // finds a game's tips, and without case and surrounding blanks, for a suggestion.
            QSet<QString> exact;
            QHash<QString, QString> loose; // the first game of each loose title
            for (int game = 0; game < g.RecordCount(); ++game) {
                const FieldValue gameTitle = titel < 0 ? FieldValue::null() : g.ValueAtRow(game, titel);
                exact.insert(ExactKey(gameTitle));
                if (!gameTitle.isNull() && !loose.contains(LooseKey(gameTitle)))
                    loose.insert(LooseKey(gameTitle), gameTitle.toText());
            }
            for (int row = 0; row < t.RecordCount(); ++row) {
                const FieldValue title = tipTitle < 0 ? FieldValue::null() : t.ValueAtRow(row, tipTitle);
                if (exact.contains(ExactKey(title)))
                    continue;
                std::optional<QString> suggestion;
                if (!title.isNull())
                    if (const auto it = loose.constFind(LooseKey(title)); it != loose.cend())
                        suggestion = it.value();
                QString message = u"Der Tipp gehört zu keinem Spiel: kein Spiel heißt genau %1."_s.arg(
                    Quoted(title.isNull() ? QString() : title.toText()));
                if (suggestion)
                    message += u" Gemeint ist wohl %1."_s.arg(Quoted(*suggestion));
                checker.Add(Severity::Error, u"tip-without-game"_s, kTipsTableFile, row, TipFieldName(kTipTitel),
                            std::nullopt, message, suggestion);
            }
        }
        checker.TextLengths(t, kTipsTableFile);
    }
    NameRecords(findings, games, tips);

    for (const QString &path : onCd) {
        if (named.contains(path))
            continue;
        Finding &f = findings.emplace_back();
        f.severity = Severity::Warning;
        f.kind = u"screenshot-unused"_s;
        f.path = path;
        f.message = u"Das Bild %1 gehört zu keinem Spiel."_s.arg(path);
    }

    const auto order = [](const Finding &f) {
        const int table = !f.table ? 2 : *f.table == kGameTableFile ? 0 : 1;
        return std::make_tuple(table, f.record.value_or(0), f.field.value_or(QString()), f.path.value_or(QString()));
    };
    std::stable_sort(findings.begin(), findings.end(),
                     [&order](const Finding &a, const Finding &b) { return order(a) < order(b); });
    return report;
}

QString RecordName(const Finding &f)
{
    if (!f.table || !f.record)
        return {};
    const auto quotedOr = [](const std::optional<QString> &text, const QString &without) {
        return text ? Quoted(*text) : without;
    };
    QString name;
    if (*f.table == kGameTableFile) {
        name = u"Spiel %1 (%2)"_s.arg(quotedOr(f.title, u"ohne Titel"_s),
                                      f.issue ? u"Ausgabe "_s + Quoted(*f.issue) : u"ohne Ausgabe"_s);
    } else {
        name = u"Tipp zu %1 (Art %2, Seite %3)"_s.arg(quotedOr(f.title, u"ohne Titel"_s),
                                                      quotedOr(f.tipType, u"keine"_s), f.page.value_or(u"keine"_s));
    }
    return name + u", Zeile %1 der gespeicherten Reihenfolge"_s.arg(*f.record);
}

QString SummaryLine(const CheckReport &report)
{
    const auto counted = [](int count, const QString &one, const QString &many) {
        return QString::number(count) + u' ' + (count == 1 ? one : many);
    };
    return u"Geprüft: %1, %2, %3 (%4 unter DATA) – %5, %6"_s
        .arg(counted(report.games, u"Spiel"_s, u"Spiele"_s), counted(report.tips, u"Tipp"_s, u"Tipps"_s),
             counted(report.screenshotsNamed, u"genanntes Bild"_s, u"genannte Bilder"_s),
             counted(report.screenshots, u"Datei"_s, u"Dateien"_s),
             counted(report.Count(Severity::Error), u"Fehler"_s, u"Fehler"_s),
             counted(report.Count(Severity::Warning), u"Warnung"_s, u"Warnungen"_s));
}

QString ReportText(const CheckReport &report)
{
    QString text;
    for (const Finding &f : report.findings) {
        QString where = f.table.value_or(f.path.value_or(QString()));
        if (const QString record = RecordName(f); !record.isEmpty())
            where += u", "_s + record;
        text += (f.severity == Severity::Error ? u"Fehler:   "_s : u"Warnung:  "_s) + where + u": "_s + f.message
            + u'\n';
    }
    return text + SummaryLine(report) + u'\n';
}

QJsonObject ReportJson(const CheckReport &report)
{
    const auto orNull = [](const std::optional<QString> &text) { return text ? QJsonValue(*text) : QJsonValue(); };
    QJsonArray findings;
    for (const Finding &f : report.findings) {
        findings.append(QJsonObject{
            {u"severity"_s, f.severity == Severity::Error ? u"error"_s : u"warning"_s},
            {u"kind"_s, f.kind},
            {u"table"_s, orNull(f.table)},
            {u"record"_s, f.record ? QJsonValue(*f.record) : QJsonValue()},
            {u"field"_s, orNull(f.field)},
            {u"title"_s, orNull(f.title)},
            {u"path"_s, orNull(f.path)},
            {u"suggestion"_s, orNull(f.suggestion)},
            {u"issue"_s, orNull(f.issue)},
            {u"tipType"_s, orNull(f.tipType)},
            {u"page"_s, orNull(f.page)},
            {u"where"_s, orNull(f.record ? std::optional(RecordName(f)) : std::nullopt)},
            {u"message"_s, f.message},
        });
    }
    return QJsonObject{
        {u"folder"_s, report.folder},
        {u"games"_s, report.games},
        {u"tips"_s, report.tips},
        {u"screenshots"_s, report.screenshots},
        {u"screenshotsNamed"_s, report.screenshotsNamed},
        {u"errors"_s, report.Count(Severity::Error)},
        {u"warnings"_s, report.Count(Severity::Warning)},
        {u"findings"_s, findings},
    };
}
