#include "MainWindowFixture.h"

#include "Misc.h"
#include "Paintlog.h"
#include "Paintpic.h"
#include "TClientDataSet.h"
#include "TableSchemas.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

MainWindowFixture::Row MainWindowFixture::Game(const QString &title,
                                               std::initializer_list<std::pair<const char16_t *, FieldValue>> set)
{
    const auto fields = GameTableFields();
    Row row(fields.size(), FieldValue::null());
    row[0] = FieldValue(title);
    for (const auto &[name, value] : set)
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i].name == QString::fromUtf16(name))
                row[i] = value;
    return row;
}

MainWindowFixture::Row MainWindowFixture::Tip(const QString &title, const QString &issue, qint64 page,
                                              const QString &kind, const QString &note)
{
    return {FieldValue(title), FieldValue(issue), FieldValue(page), FieldValue(kind), FieldValue(note)};
}

void MainWindowFixture::WriteTables(const std::vector<Row> &games, const std::vector<Row> &tips)
{
    WriteTable(dir.filePath(kGameTableFile), GameTableFields(), games);
    WriteTable(dir.filePath(kTipsTableFile), TipsTableFields(), tips);
    QImage fallback(320, 240, QImage::Format_RGB32);
    fallback.fill(kFallback);
    fallback.save(dir.filePath(u"spdexpic.bmp"_s), "BMP");
}

TDetailansicht &MainWindowFixture::OpenWindow(bool editMode)
{
    if (!here_) // opened again: the folder is current already
        here_ = std::make_unique<ScopedCurrentDir>(dir.path());
    SetProgramFolder(dir.path()); // edit mode saves here, whatever program runs the tests
    EditModeFlag(editMode ? emEdit : emNormal);
    SearchTextStore(stClear);
    Screenshot(ssInit);
    Screenshot(ssSwitch, nullptr, 1);
    BadgeOverlay(boInit);
    window = std::make_unique<TDetailansicht>();
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
}

void MainWindowFixture::Open(const std::vector<Row> &games, const std::vector<Row> &tips, bool editMode)
{
    WriteTables(games, tips);
    OpenWindow(editMode);
}

void MainWindowFixture::Close()
{
    window.reset();
    here_.reset();
    SetProgramFolder({});
    EditModeFlag(emNormal);
    Screenshot(ssSwitch, nullptr, 0);
}

QString MainWindowFixture::Title() const
{
    return window->ClientDataSet1->FieldByName(u"TITEL"_s).toText();
}
