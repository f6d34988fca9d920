#pragma once

#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The editors' check of a CD folder before it is pressed: every review shows what was meant.
// It decides with the program's own table engine, table files, picture key and screenshot
// loader, so it never disagrees with what a reader will see.
struct Finding {
    enum class Severity { Error, Warning };
    Severity severity = Severity::Error;
    QString kind;                     // table-unreadable, title-empty, screenshot-missing, ...
    std::optional<QString> table;     // spdex_d.cds or spdex_t.cds
    std::optional<int> record;        // 1-based row of the stored order, the one an editor sees
    std::optional<QString> field;
    std::optional<QString> title;     // of the game or the tip
    std::optional<QString> path;      // relative to the folder
    std::optional<QString> suggestion; // a game whose title matches but for case and blanks
    QString message;                  // German
    // What else names the record, filled in from its table: a game's AUSGABE, a tip's Art
    // and Seite (as text).
    std::optional<QString> issue, tipType, page;
};

// The record a finding is about, as an editor finds it: "Spiel „Titel“ (Ausgabe „Nr.
// 1998-12“), Zeile 10 der gespeicherten Reihenfolge", or the tip's title, kind and page;
// empty for a finding about a file.
QString RecordName(const Finding &finding);

struct CheckReport {
    QString folder; // as given
    int games = 0;
    int tips = 0;
    int screenshots = 0; // PNG files under DATA/
    int screenshotsNamed = 0; // different files the games name, each decoded
    std::vector<Finding> findings; // by table (games first), record, field, path

    int Count(Finding::Severity severity) const;
};

struct CheckOptions {
    int threads = 0; // screenshots decoded at once; 0: one per core
    // Called now and then while screenshots are decoded, from the calling thread.
    std::function<void(int done, int total)> progress;
};

// True when the folder holds a game table: what makes it a CD folder that can be checked.
bool IsCdFolder(const QString &folder);

// Checks the CD folder; the folder must exist. The current folder is the CD's while it runs.
CheckReport CheckCd(const QString &folder, const CheckOptions &options = {});

// One finding a line, then the summary line; all German.
QString ReportText(const CheckReport &report);
QString SummaryLine(const CheckReport &report);
QJsonObject ReportJson(const CheckReport &report);
