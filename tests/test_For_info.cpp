#include "For_info.h"
#include "RegisteredOwner.h"
#include "TestFiles.h"

#include <QPlainTextEdit>
#include <QAbstractTextDocumentLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <png.h>
#include <zlib.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::optional<QString> NoOwner()
{
    return std::nullopt;
}

std::optional<QString> Owner()
{
    return u"Jörg Muster"_s;
}

QStringList Shown(OwnerSource source)
{
    SetRegisteredOwnerSource(source);
    TFormInfo dialog(nullptr);
    dialog.show();
    const QStringList lines = dialog.Memo1->toPlainText().split(u'\n');
    SetRegisteredOwnerSource(nullptr);
    return lines;
}

int Indent(const QString &line)
{
    int blanks = 0;
    while (blanks < line.size() && line.at(blanks) == u' ')
        ++blanks;
    return blanks;
}

} // namespace

TEST(InfoDialog, ThirtySixFixedLinesInTheirPlacesAndIndents)
{
    const QStringList lines = Shown(NoOwner);
    ASSERT_EQ(lines.size(), 36);
    EXPECT_EQ(lines[0], u"Spieldex 2.04"_s);
    EXPECT_EQ(lines[12], u"   PNG-Bildkompression"_s);
    EXPECT_EQ(lines[19], u"   ZLIB-Kompressionsroutinen"_s);
    EXPECT_EQ(lines[24], u"   Vielen Dank an:"_s);
    for (int number : {2, 5, 6, 11, 12, 18, 19, 23, 24, 26})
        EXPECT_EQ(lines[number - 1], QString()) << "line " << number;
    for (int number : {3, 4, 7, 8, 9, 10, 13, 14, 15, 16, 17, 20, 21, 22, 25})
        EXPECT_EQ(Indent(lines[number - 1]), 3) << "line " << number;
    for (int number = 27; number <= 36; ++number) {
        EXPECT_EQ(Indent(lines[number - 1]), 6) << "line " << number;
        EXPECT_GT(lines[number - 1].trimmed().size(), 3) << "line " << number;
    }
    EXPECT_TRUE(lines[13].startsWith(u"   libpng 1."_s));
    EXPECT_TRUE(lines[20].startsWith(u"   zlib 1."_s));
}

// The library lines are the linked libraries' own words, and no line of the memo wraps.
TEST(InfoDialog, LibraryLinesComeFromTheLibrariesAndNoLineWraps)
{
    SetRegisteredOwnerSource(Owner);
    TFormInfo dialog(nullptr);
    dialog.show();
    const QStringList lines = dialog.Memo1->toPlainText().split(u'\n');
    SetRegisteredOwnerSource(nullptr);
    ASSERT_EQ(lines.size(), 42);

    EXPECT_TRUE(lines[13].startsWith(u"   libpng "_s + QLatin1String(PNG_LIBPNG_VER_STRING) + u" - "_s)) << lines[13].toStdString();
    EXPECT_TRUE(lines[13].contains(QRegularExpression(u"(19|20)\\d\\d$"_s))) << "the release date";
    QStringList pngCopyright = QString::fromLatin1(png_get_copyright(nullptr)).split(u'\n');
    for (QString &line : pngCopyright)
        line = line.trimmed();
    EXPECT_TRUE(pngCopyright.contains(lines[14].trimmed())) << lines[14].toStdString();
    EXPECT_TRUE(lines[15].contains(u"seit 1995"_s)) << lines[15].toStdString();
    EXPECT_EQ(lines[20], u"   zlib "_s + QLatin1String(ZLIB_VERSION));
    EXPECT_TRUE(lines[21].startsWith(u"   Copyright (C) 1995-"_s)) << lines[21].toStdString();
    EXPECT_TRUE(lines[21].contains(u"Jean-loup Gailly and Mark Adler"_s));

    QTextDocument *text = dialog.Memo1->document();
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        text->documentLayout()->blockBoundingRect(block); // lays the block out
        EXPECT_EQ(block.layout()->lineCount(), 1) << "wraps: " << block.text().toStdString();
    }
}

TEST(InfoDialog, OwnerLinesFollowTheThanksOncePerOpening)
{
    const QStringList expectedEnd = {QString(), QString(), u"   und natürlich an unseren Lieblingsleser:"_s, QString(),
                                     u"      Jörg Muster"_s, QString()};
    for (int opening = 0; opening < 2; ++opening) {
        const QStringList lines = Shown(Owner);
        ASSERT_EQ(lines.size(), 42);
        EXPECT_EQ(lines.mid(36), expectedEnd);
    }
}

TEST(InfoDialog, EscapeAndTheButtonClose)
{
    SetRegisteredOwnerSource(NoOwner);
    TFormInfo dialog(nullptr);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    TFormInfo again(nullptr);
    again.show();
    QTest::mouseClick(again.ButtonSchliessen, Qt::LeftButton);
    EXPECT_FALSE(again.isVisible());
    SetRegisteredOwnerSource(nullptr);
}
