// spdexcheck [--json] [FOLDER]: checks a CD folder (the current one by default) before it is
// pressed. Exit status 0 without errors (warnings allowed), 1 with errors, 2 when the folder
// cannot be checked at all (missing, or no game table in it); --help explains the options.
#include "CdCheck.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kUsage = u"Aufruf: spdexcheck [--json] [ORDNER]"_s;

QString Help()
{
    return kUsage + u"\n\n"
                    u"Prüft einen CD-Ordner des Spieldex vor dem Pressen: die Tabellen spdex_d.cds und\n"
                    u"spdex_t.cds und die Bilder unter DATA, nach denselben Regeln, nach denen das Programm\n"
                    u"sie zeigt. Jeder Befund nennt das Spiel oder den Tipp und seine Zeile in der\n"
                    u"gespeicherten Reihenfolge, die der Edit-Modus (spieldex /e) zeigt.\n\n"
                    u"  ORDNER     der CD-Ordner (ohne Angabe der aktuelle Ordner)\n"
                    u"  --json     der Bericht als ein JSON-Objekt statt einer Zeile je Befund\n"
                    u"  --help     diese Hilfe\n\n"
                    u"Rückgabewert: 0 ohne Fehler (Warnungen erlaubt), 1 mit mindestens einem Fehler,\n"
                    u"2 wenn der Ordner nicht geprüft werden kann.\n"_s;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    bool json = false;
    QString folder;
    for (const QString &argument : app.arguments().mid(1)) {
        if (argument == u"--help"_s || argument == u"-h"_s) {
            out << Help();
            return 0;
        } else if (argument == u"--json"_s) {
            json = true;
        } else if (argument.startsWith(u'-') || !folder.isEmpty()) {
            err << kUsage << u"\n(spdexcheck --help erklärt die Angaben.)"_s << Qt::endl;
            return 2;
        } else {
            folder = argument;
        }
    }
    if (folder.isEmpty())
        folder = u"."_s;
    if (!QFileInfo(folder).isDir()) {
        err << u"spdexcheck: Den Ordner %1 gibt es nicht."_s.arg(folder) << Qt::endl;
        return 2;
    }
    if (!IsCdFolder(folder)) {
        err << u"spdexcheck: Der Ordner %1 ist kein CD-Ordner des Spieldex: die Spieletabelle spdex_d.cds fehlt."_s.arg(
                   folder)
            << Qt::endl;
        return 2;
    }

    CheckOptions options;
    if (isatty(STDERR_FILENO)) {
        options.progress = [&err](int done, int total) {
            err << u"\rGenannte Bilder geprüft: %1 von %2"_s.arg(done).arg(total);
            if (done == total)
                err << u'\n';
            err.flush();
        };
    }
    const CheckReport report = CheckCd(folder, options);
    if (json)
        out << QJsonDocument(ReportJson(report)).toJson(QJsonDocument::Indented);
    else
        out << ReportText(report);
    return report.Count(Finding::Severity::Error) > 0 ? 1 : 0;
}
