#include "ProgramFonts.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Collation follows the locale; tests expect the German rules whatever the machine says.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    // The faces the program brings, where the test program has them beside it (Windows'
    // build): the page and the dialogs are then measured in the faces they are set in.
    RegisterProgramFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
