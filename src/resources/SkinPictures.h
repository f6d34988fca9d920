#pragma once

#include <QStringView>

#include <array>

// Paths of the skin's pictures, compiled in by linking spieldex_resources.
// QPixmap and QImage take them as QString: SkinPictures::Background.toString().
namespace SkinPictures {

// Main window: the review page, the table view, and what lies on them.
inline constexpr QStringView Background = u":/skin/Backgrnd.bmp";
inline constexpr QStringView TableBackground = u":/skin/Backgrd2.bmp";
inline constexpr QStringView ArrowLeftButton = u":/skin/TastePfeilL.bmp";
inline constexpr QStringView ArrowRightButton = u":/skin/TastePfeilR.bmp";
inline constexpr QStringView SearchButton = u":/skin/TasteSuchenS.bmp"; // lamp dark
inline constexpr QStringView SearchButtonLit = u":/skin/TasteSuchenR.bmp"; // lamp lit red
inline constexpr QStringView TipsButton = u":/skin/TasteTips.bmp";
inline constexpr QStringView QuitButton = u":/skin/TasteBeenden.bmp";
inline constexpr QStringView InfoButton = u":/skin/TasteInfo.bmp";
inline constexpr QStringView MainViewButton = u":/skin/TasteHauptansicht.bmp";
inline constexpr QStringView TableButton = u":/skin/TasteTabelle.bmp";
inline constexpr QStringView ImportExportButton = u":/skin/TasteIE.bmp";
inline constexpr QStringView MinimiseButton = u":/skin/TasteIcon.bmp";
inline constexpr QStringView GoldAwardBadge = u":/skin/ImageGoldaward.bmp";
inline constexpr QStringView PlatinumAwardBadge = u":/skin/ImagePlatinaward.bmp";
inline constexpr QStringView ExtraCdBadge = u":/skin/ImageZusatzcd.bmp";

// Tips window.
inline constexpr QStringView TipsBackground = u":/skin/TipsHintergrund.bmp";
inline constexpr QStringView TipsCloseButton = u":/skin/TipsSchliessen.bmp";

// The picture shown where a game has no screenshot; the CD carries the same file as spdexpic.bmp.
inline constexpr QStringView NoScreenshot = u":/skin/spdexpic.bmp";

inline constexpr std::array<QStringView, 19> All = {
    Background, TableBackground, ArrowLeftButton, ArrowRightButton, SearchButton, SearchButtonLit,
    TipsButton, QuitButton, InfoButton, MainViewButton, TableButton, ImportExportButton, MinimiseButton,
    GoldAwardBadge, PlatinumAwardBadge, ExtraCdBadge, TipsBackground, TipsCloseButton, NoScreenshot,
};

} // namespace SkinPictures
