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
    std::optional<int> record;        // 1-based stored position
    std::optional<QString> field;
    std::optional<QString> title;     // of the game or the tip
    std::optional<QString> path;      // relative to the folder
    std::optional<QString> suggestion; // a game whose title matches but for case and blanks
    QString message;                  // German
};

struct CheckReport {
    QString folder; // as given
    int games = 0;
    int tips = 0;
    int screenshots = 0; // PNG files under DATA/
    std::vector<Finding> findings; // by table (games first), record, field, path

    int Count(Finding::Severity severity) const;
};

struct CheckOptions {
    int threads = 0; // screenshots decoded at once; 0: one per core
    // Called now and then while screenshots are decoded, from the calling thread.
    std::function<void(int done, int total)> progress;
};

// Checks the CD folder; the folder must exist. The current folder is the CD's while it runs.
CheckReport CheckCd(const QString &folder, const CheckOptions &options = {});

// One finding a line, then the summary line; all German.
QString ReportText(const CheckReport &report);
QString SummaryLine(const CheckReport &report);
QJsonObject ReportJson(const CheckReport &report);
