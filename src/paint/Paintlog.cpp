#include "Paintlog.h"

#include "TImage.h"

namespace {

int viewFlag = 0;
int awardCode = 0;
int extraCdFlag = 0;
TImage *goldBadge = nullptr;
TImage *platinumBadge = nullptr;
TImage *extraCdBadge = nullptr;

void SetShown(TImage *picture, bool shown)
{
    if (picture)
        picture->setVisible(shown);
}

void Apply()
{
    if (viewFlag == 0) {
        SetShown(goldBadge, false);
        SetShown(platinumBadge, false);
        SetShown(extraCdBadge, false);
        return;
    }
    if (awardCode == 0 || awardCode == 1 || awardCode == 2) { // other codes leave the award badges alone
        SetShown(goldBadge, awardCode == 1);
        SetShown(platinumBadge, awardCode == 2);
    }
    SetShown(extraCdBadge, extraCdFlag != 0);
}

} // namespace

void SetBadgePictures(TImage *gold, TImage *platinum, TImage *extraCd)
{
    goldBadge = gold;
    platinumBadge = platinum;
    extraCdBadge = extraCd;
}

int BadgeOverlay(int op, int value1, int value2)
{
    switch (op) {
    case boInit:
        viewFlag = 1;
        awardCode = 0;
        extraCdFlag = 0;
        break;
    case boSetView:
        viewFlag = value1;
        Apply();
        break;
    case boSetBadges:
        awardCode = value1;
        extraCdFlag = value2;
        if (viewFlag != 0)
            Apply();
        break;
    case boApply:
        Apply();
        break;
    default:
        break;
    }
    return 0;
}
