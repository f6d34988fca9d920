#pragma once

class TImage;

// The badge overlay: shows the award and extra-CD badges of the current game in the
// detail view and hides them in the table view, keeping the last request meanwhile.
enum : int { boInit = 0, boSetView = 1, boSetBadges = 2, boApply = 3 };

// boInit: detail view, no badges, no picture touched. boSetView: view flag := value1
// (0 table view, else detail view), then apply. boSetBadges: award code := value1 (0 none,
// 1 gold, 2 platinum), extra-CD flag := value2, applied in the detail view only.
// boApply: apply. Other codes do nothing. Always returns 0.
int BadgeOverlay(int op, int value1 = 0, int value2 = 0);

// The main window hands over its three badge pictures when it is created (and nullptr
// when it goes); applying touches only pictures that are there.
void SetBadgePictures(TImage *gold, TImage *platinum, TImage *extraCd);
