#include "Paintlog.h"
#include "TImage.h"

#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Badges : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        for (TImage *badge : {&gold, &platinum, &extraCd})
            badge->show();
        SetBadgePictures(&gold, &platinum, &extraCd);
    }
    void TearDown() override { SetBadgePictures(nullptr, nullptr, nullptr); }

    // Which badges show, as "gpe" with '-' for a hidden one.
    std::string Shown() const
    {
        return std::string{gold.isVisible() ? 'g' : '-', platinum.isVisible() ? 'p' : '-',
                           extraCd.isVisible() ? 'e' : '-'};
    }

    QWidget window;
    TImage gold{&window, u"gold"_s, {0, 0, 10, 10}};
    TImage platinum{&window, u"platinum"_s, {0, 0, 10, 10}};
    TImage extraCd{&window, u"extraCd"_s, {20, 0, 10, 10}};
};

} // namespace

TEST_F(Badges, InitTouchesNothingAndTheFirstApplyHidesAll)
{
    BadgeOverlay(boInit);
    EXPECT_EQ(Shown(), "gpe");
    BadgeOverlay(boSetView, 1);
    EXPECT_EQ(Shown(), "---");
}

TEST_F(Badges, DetailViewShowsWhatTheRecordAsksFor)
{
    BadgeOverlay(boInit);
    struct Step {
        int award, extraCd;
        const char *shown;
    };
    const Step steps[] = {{1, 0, "g--"}, {2, 1, "-pe"}, {1, 1, "g-e"}, {0, 0, "---"}, {2, 0, "-p-"},
                          {7, 1, "-pe"}}; // an unknown award code leaves the award badges as they were
    for (const Step &s : steps) {
        BadgeOverlay(boSetBadges, s.award, s.extraCd);
        EXPECT_EQ(Shown(), s.shown) << s.award << ',' << s.extraCd;
    }
}

TEST_F(Badges, TableViewHidesAllAndKeepsTheLastRequestForTheReturn)
{
    BadgeOverlay(boInit);
    BadgeOverlay(boSetBadges, 1, 1);
    BadgeOverlay(boSetView, 0);
    EXPECT_EQ(Shown(), "---");
    BadgeOverlay(boSetBadges, 2, 0); // a record change while the table shows
    EXPECT_EQ(Shown(), "---");
    BadgeOverlay(boApply);
    EXPECT_EQ(Shown(), "---");
    BadgeOverlay(boSetView, 1);
    EXPECT_EQ(Shown(), "-p-");
    EXPECT_EQ(BadgeOverlay(99, 1, 1), 0);
    EXPECT_EQ(Shown(), "-p-");
}
