#include "CommandLine.h"
#include "GermanTexts.h"
#include "ProcessSetup.h"
#include "ProgramFonts.h"
#include "Startup.h"
#include "TableFile.h"
#include "TableSchemas.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    // Taken before the window framework consumes its own options from argv.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString programFolder = QFileInfo(RunningProgramPath()).absolutePath();
    PrepareProcess(programFolder);
    // A reader's start: the game table beside the program is read while the window framework
    // sets itself up. Edit mode reads it only once it holds the folder.
    if (!EditModeAsked(CommandLineTail(arguments)))
        ReadTableFileAhead(programFolder + u'/' + kGameTableFile, kGameTableFile);
    QApplication app(argc, argv);
    LoadGermanTexts(app);
    RegisterProgramFonts();
    return RunSpieldex(app, arguments);
}
