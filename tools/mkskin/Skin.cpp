#include "Pictures.h"

using namespace Qt::StringLiterals;

std::vector<SkinPicture> DrawSkin()
{
    const QImage reviewPage = DrawReviewPage();
    const QString page = u"page"_s;
    const QString button = u"button"_s;
    return {
        {u"Backgrnd"_s, reviewPage, page},
        {u"Backgrd2"_s, DrawTablePage(), page},
        {u"TastePfeilL"_s, DrawArrowButton(ArrowDirection::Left), button},
        {u"TastePfeilR"_s, DrawArrowButton(ArrowDirection::Right), button},
        {u"TasteSuchenS"_s, DrawFaceButton(u"Suchen"_s, Lamp::Dark), button},
        {u"TasteSuchenR"_s, DrawFaceButton(u"Suchen"_s, Lamp::Lit), button},
        {u"TasteTips"_s, DrawFaceButton(u"Tipps"_s), button},
        {u"TasteBeenden"_s, DrawFaceButton(u"Beenden"_s), button},
        {u"TasteInfo"_s, DrawFaceButton(u"Info"_s), button},
        {u"TasteHauptansicht"_s, DrawFaceButton(u"Hauptansicht"_s), button},
        {u"TasteTabelle"_s, DrawFaceButton(u"Tabelle"_s), button},
        {u"TasteIE"_s, DrawFaceButton(u"Import/Export"_s), button},
        {u"TasteIcon"_s, DrawMinimiseButton(), u"minimise"_s},
        {u"ImageGoldaward"_s, DrawAwardBadge(reviewPage, AwardMetal::Gold), u"gold"_s},
        {u"ImagePlatinaward"_s, DrawAwardBadge(reviewPage, AwardMetal::Platinum), u"platinum"_s},
        {u"ImageZusatzcd"_s, DrawExtraCdBadge(reviewPage), u"disc"_s},
        {u"TipsHintergrund"_s, DrawTipsPage(), u"tips"_s},
        {u"TipsSchliessen"_s, DrawFaceButton(u"Schließen"_s), button},
        {u"spdexpic"_s, DrawFallbackPicture(), u"fallback"_s},
    };
}
