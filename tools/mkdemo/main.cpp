// mkdemo <cd-folder> [--games N] [--tables-only]: writes the demo CD's data files.
#include "DemoData.h"
#include "ProgramFonts.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Options {
    QString folder;
    int games = kDemoGameCount;
    bool tablesOnly = false;
};

std::optional<Options> ParseArguments(const QStringList &args)
{
    Options options;
    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == u"--tables-only"_s) {
            options.tablesOnly = true;
        } else if (arg == u"--games"_s && i + 1 < args.size()) {
            bool ok = false;
            options.games = args[++i].toInt(&ok);
            if (!ok || options.games < 0)
                return std::nullopt;
        } else if (!arg.startsWith(u'-') && options.folder.isEmpty()) {
            options.folder = arg;
        } else {
            return std::nullopt;
        }
    }
    if (options.folder.isEmpty())
        return std::nullopt;
    return options;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QTextStream err(stderr);
    const std::optional<Options> options = ParseArguments(args);
    if (!options) {
        err << "usage: mkdemo <cd-folder> [--games N] [--tables-only]\n";
        return 2;
    }
    // Text in the pictures needs fonts, not a screen: the build machine may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QGuiApplication> app;
    if (!options->tablesOnly) {
        app = std::make_unique<QGuiApplication>(argc, argv);
        RegisterProgramFonts(); // the faces beside mkdemo, where it has them, as a test program does
    }
    try {
        if (options->tablesOnly)
            WriteDemoTables(options->folder, options->games);
        else
            WriteDemoCd(options->folder, options->games);
    } catch (const std::exception &e) {
        err << "mkdemo: " << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
    return 0;
}
