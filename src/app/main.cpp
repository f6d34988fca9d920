#include "GermanTexts.h"
#include "ProgramFonts.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Taken before the window framework consumes its own options from argv.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QApplication app(argc, argv);
    LoadGermanTexts(app);
    RegisterProgramFonts();
    return RunSpieldex(app, arguments);
}
