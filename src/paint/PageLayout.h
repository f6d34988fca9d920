#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The review page and the skinned windows, in window pixels: where the renderer paints the
// values, where the screenshot, the buttons and the badges lie. The renderers, the windows,
// the skin generator and the tests all read them from here. Boxes are built from left,
// top, right, bottom with right and bottom exclusive.
namespace PageLayout {

constexpr QRect Box(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

inline constexpr QSize MainWindow(640, 480);
inline constexpr QSize TipsWindow(480, 360);
inline constexpr QSize FacePicture(154, 40);
inline constexpr QSize ArrowPicture(56, 28);
inline constexpr QSize MinimisePicture(20, 20);
inline constexpr QSize AwardPicture(77, 62);
inline constexpr QSize ExtraCdPicture(62, 62);
inline constexpr QSize FallbackPicture(320, 240);
inline constexpr QRect PageBackground(QPoint(0, 0), MainWindow);
inline constexpr QRect TipsBackground(QPoint(0, 0), TipsWindow);

inline constexpr QRect Screenshot = Box(16, 16, 336, 256);
inline constexpr QRect TitleBox = Box(369, 19, 607, 46);
inline constexpr int FactCount = 6;
inline constexpr int HardwareCount = 2;
inline constexpr int RatingCount = 6;
inline constexpr int RatingBlockCount = 10;
inline constexpr int OverallBlockCount = 20;
inline constexpr QRect OverallNumber = Box(435, 374, 465, 398);

constexpr QRect FactValue(int line) { return Box(465, 51 + 14 * line, 613, 65 + 14 * line); }
constexpr QRect HardwareValue(int line) { return Box(362, 149 + 28 * line, 613, 163 + 28 * line); }
constexpr QRect RatingNumber(int row) { return Box(489, 232 + 18 * row, 516, 246 + 18 * row); }
constexpr QRect RatingStrip(int row) { return Box(489, 232 + 18 * row, 613, 246 + 18 * row); }
constexpr QRect RatingBlock(int row, int block) // block 1..10
{
    return Box(524 + 9 * (block - 1), 234 + 18 * row, 532 + 9 * (block - 1), 246 + 18 * row);
}
constexpr QRect OverallBlock(int block) // block 1..20
{
    return Box(454 + 8 * (block - 1), 342, 461 + 8 * (block - 1), 360);
}

// Where the skin's labels stand: from the page's left column to just before the value
// they name, a hardware label on the line above its value.
inline constexpr int LabelColumn = 362;
constexpr QRect LabelBefore(const QRect &value, int gap)
{
    return QRect(QPoint(LabelColumn, value.top()), value.bottomLeft() - QPoint(gap, 0));
}
constexpr QRect FactLabel(int line) { return LabelBefore(FactValue(line), 2); }
constexpr QRect HardwareLabel(int line) { return HardwareValue(line).translated(0, -14).adjusted(0, 0, 0, -1); }
constexpr QRect RatingLabel(int row) { return LabelBefore(RatingNumber(row), 3); }

inline constexpr QRect ArrowLeft(QPoint(117, 276), ArrowPicture);
inline constexpr QRect ArrowRight(QPoint(177, 276), ArrowPicture);
inline constexpr QRect SearchButton(QPoint(19, 328), FacePicture);
inline constexpr QRect TipsButton(QPoint(177, 328), FacePicture);
inline constexpr QRect ViewButton(QPoint(19, 372), FacePicture);
inline constexpr QRect InfoButton(QPoint(177, 372), FacePicture);
inline constexpr QRect QuitButton(QPoint(98, 416), FacePicture);
inline constexpr QRect ImportExportButton(QPoint(352, 424), FacePicture);
inline constexpr QRect MinimiseButton(QPoint(615, 5), MinimisePicture);
inline constexpr QRect AwardBadge(QPoint(547, 402), AwardPicture);
inline constexpr QRect ExtraCdBadge(QPoint(352, 402), ExtraCdPicture);

inline constexpr QRect TableBackgroundFolded = Box(0, 0, 8, 480); // the table view's background, out of the way
inline constexpr QRect TableGrid = Box(16, 16, 624, 308);
inline constexpr QRect TipsGrid = Box(16, 16, 464, 280);
inline constexpr QRect TipsCloseButton(QPoint(306, 300), FacePicture);
inline constexpr QRect FallbackMarker = Box(16, 208, 32, 224);

} // namespace PageLayout
