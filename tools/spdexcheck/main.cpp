// spdexcheck [--json] [FOLDER]: checks a CD folder (the current one by default) before it is
// pressed. Exit status 0 without errors (warnings allowed), 1 with errors, 2 when the folder
// cannot be checked at all.
#include "CdCheck.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    bool json = false;
    QString folder;
    for (const QString &argument : app.arguments().mid(1)) {
        if (argument == u"--json"_s) {
            json = true;
        } else if (argument.startsWith(u'-') || !folder.isEmpty()) {
            err << u"Aufruf: spdexcheck [--json] [ORDNER]"_s << Qt::endl;
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

    CheckOptions options;
    if (isatty(STDERR_FILENO)) {
        options.progress = [&err](int done, int total) {
            err << u"\rBilder geprüft: %1 von %2"_s.arg(done).arg(total);
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
