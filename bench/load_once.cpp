// Loads a game table file to its first record in title order and ends: the program's
// start-up work on its table, as one process for timing and peak memory.
#include "TClientDataSet.h"
#include "UserErrors.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        QTextStream(stderr) << "usage: load_once <spdex_d.cds>\n";
        return 2;
    }
    try {
        TClientDataSet table;
        table.LoadFromFile(app.arguments().at(1));
        table.SetIndexFieldNames(u"TITEL"_s);
        table.First();
        QTextStream(stdout) << table.RecordCount() << " records, first: " << table.FieldByName(u"TITEL"_s).toText()
                            << '\n';
    } catch (const EDatabaseError &e) {
        QTextStream(stderr) << e.message() << '\n';
        return 1;
    }
    return 0;
}
