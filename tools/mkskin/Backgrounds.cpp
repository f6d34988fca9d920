#include "PageLayout.h"
#include "Pictures.h"
#include "SkinStyle.h"


#include <array>

using namespace Qt::StringLiterals;
using namespace PageLayout;

namespace {

const std::array<QString, FactCount> FactLabels = {
    u"Hersteller:"_s, u"Testversion:"_s, u"Betriebssystem:"_s,
    u"Sprache:"_s, u"Multi-Player:"_s, u"3D-Karten:"_s,
};
const std::array<QString, 2> HardwareLabels = {u"Hardware, Minimum:"_s, u"Hardware, Empfehlung:"_s};
const std::array<QString, RatingCount> RatingLabels = {
    u"Grafik:"_s, u"Sound:"_s, u"Einstieg:"_s,
    u"Komplexität:"_s, u"Steuerung:"_s, u"Multi-Player:"_s,
};

// The paper card of the review page, lying on the backdrop with a drop shadow.
void DrawPaperCard(QPainter &painter, const QRect &card)
{
    painter.fillRect(card.translated(3, 3), SkinColour::PaperShadow);
    painter.fillRect(card, SkinColour::Paper);
    DrawOutline(painter, card, SkinColour::PaperRule);
}

// A white field with a hairline round it, so values sit in visible boxes.
void DrawWhiteField(QPainter &painter, const QRect &field)
{
    painter.fillRect(field, ValueColour::White);
    DrawOutline(painter, field.adjusted(-1, -1, 1, 1), SkinColour::PaperRule);
}

void DrawEmptyBlock(QPainter &painter, const QRect &block)
{
    painter.fillRect(block, ValueColour::White);
    DrawOutline(painter, block, ValueColour::Black);
}

// The grey band under the title, bevelled at its edges but grey across the whole title box.
void DrawTitleBand(QPainter &painter)
{
    const QRect band = Box(362, 13, 614, 50);
    painter.fillRect(band.translated(2, 2), SkinColour::PaperShadow);
    painter.fillRect(band, ValueColour::TitleGrey);
    painter.fillRect(band.left(), band.top(), band.width(), 1, QColor(196, 196, 196));
    painter.fillRect(band.left(), band.top(), 1, band.height(), QColor(196, 196, 196));
    painter.fillRect(band.left(), band.bottom(), band.width(), 1, QColor(96, 96, 96));
    painter.fillRect(band.right(), band.top(), 1, band.height(), QColor(96, 96, 96));
}

void DrawFacts(QPainter &painter)
{
    const QFont labelFont = ArialFont(12);
    DrawWhiteField(painter, FactValue(0).united(FactValue(FactCount - 1)).adjusted(-3, 0, 1, 0));
    for (int k = 0; k < FactCount; ++k) {
        const QRect line = FactValue(k);
        DrawLabel(painter, QRect(QPoint(358, line.top()), QPoint(458, line.bottom())), FactLabels[size_t(k)],
                  labelFont, SkinColour::Ink, Qt::AlignRight | Qt::AlignVCenter);
    }
    const QFont hardwareFont = ArialFont(12, true);
    for (int k = 0; k < 2; ++k) {
        const QRect value = HardwareValue(k);
        DrawWhiteField(painter, value.adjusted(0, 0, 1, 0));
        DrawLabel(painter, QRect(362, value.top() - 14, 250, 13), HardwareLabels[size_t(k)], hardwareFont,
                  SkinColour::Ink, Qt::AlignLeft | Qt::AlignVCenter);
    }
}

// A section heading in the magazine's manner: maroon capitals over a maroon rule.
void DrawSectionHeading(QPainter &painter, const QRect &box, const QString &text)
{
    QFont font = ArialFont(13, true);
    font.setCapitalization(QFont::AllUppercase);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    DrawLabel(painter, box.adjusted(0, 0, 0, -3), text, font, SkinColour::Maroon, Qt::AlignLeft | Qt::AlignBottom);
    painter.fillRect(box.left(), box.bottom() - 1, box.width(), 2, SkinColour::Maroon);
}

void DrawRatings(QPainter &painter)
{
    const QFont labelFont = ArialFont(14, true);
    const QRect table = RatingStrip(0).united(RatingStrip(RatingCount - 1)).adjusted(-2, -2, 1, 2);
    DrawWhiteField(painter, table);
    for (int i = 0; i < RatingCount; ++i) {
        const QRect strip = RatingStrip(i);
        if (i + 1 < RatingCount)
            painter.fillRect(table.left() + 2, strip.bottom() + 2, table.width() - 4, 1, QColor(226, 218, 204));
        DrawLabel(painter, QRect(QPoint(356, strip.top() - 2), QPoint(482, strip.bottom() + 1)),
                  RatingLabels[size_t(i)], labelFont, SkinColour::Ink, Qt::AlignRight | Qt::AlignVCenter);
        for (int r = 1; r <= 10; ++r)
            DrawEmptyBlock(painter, RatingBlock(i, r));
    }
}

// A tinted foot of the page gathering the overall rating, its seal and the badges into one verdict.
void DrawVerdictPlate(QPainter &painter, const QRect &plate)
{
    painter.fillRect(plate, SkinColour::PaperTint);
    painter.fillRect(plate.left(), plate.top(), plate.width(), 1, SkinColour::PaperRule);
}

void DrawOverall(QPainter &painter)
{
    const QRect first = OverallBlock(1);
    const QRect strip = first.united(OverallBlock(OverallBlockCount)).adjusted(-1, -1, 1, 1);
    DrawLabel(painter, QRect(QPoint(356, strip.top() - 4), QPoint(449, strip.bottom() + 2)), u"Spielspaß:"_s,
              ArialFont(17, true), SkinColour::Maroon, Qt::AlignRight | Qt::AlignVCenter);
    painter.fillRect(strip, ValueColour::White);
    for (int r = 1; r <= OverallBlockCount; ++r)
        DrawEmptyBlock(painter, OverallBlock(r));

    // The red seal carrying the overall number.
    const QPointF centre = QRectF(OverallNumber).center();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(SkinColour::PaperShadow));
    painter.drawEllipse(centre + QPointF(2, 2), 24.5, 24.5);
    painter.setBrush(QColor(150, 0, 0));
    painter.drawEllipse(centre, 24.5, 24.5);
    painter.setBrush(QColor(ValueColour::Red));
    painter.drawEllipse(centre, 23.5, 23.5);
    painter.setPen(QPen(QColor(255, 170, 160), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 21.0, 21.0);
    painter.restore();
    painter.fillRect(OverallNumber, ValueColour::Red);
}

} // namespace

QImage DrawReviewPage()
{
    QImage page = BlankPicture(MainWindow.width(), MainWindow.height(), SkinColour::Maroon);
    QPainter painter(&page);
    DrawBackdrop(painter, page.width(), page.height());
    DrawPictureFrame(painter, Screenshot);

    DrawButtonPanel(painter, Box(12, 268, 340, 466));
    DrawWordmark(painter, QRect(QPoint(20, 276), QPoint(113, 303)), 20);
    DrawLabel(painter, QRect(QPoint(242, 276), QPoint(331, 303)), u"Tests blättern"_s, ArialFont(12, false, true),
              SkinColour::PaperRule, Qt::AlignLeft | Qt::AlignVCenter);
    painter.fillRect(Box(24, 315, 328, 316), SkinColour::PanelLight);
    for (const QRect &button : {ArrowLeft, ArrowRight, SearchButton, TipsButton, ViewButton, InfoButton, QuitButton})
        DrawButtonShadow(painter, button);

    DrawPaperCard(painter, Box(350, 30, 626, 470));
    DrawTitleBand(painter);
    DrawFacts(painter);
    DrawSectionHeading(painter, Box(362, 200, 614, 224), u"Wertung"_s);
    DrawRatings(painter);
    DrawVerdictPlate(painter, Box(351, 340, 625, 469));
    DrawOverall(painter);
    return page;
}

QImage DrawTablePage()
{
    QImage page = BlankPicture(MainWindow.width(), MainWindow.height(), SkinColour::Maroon);
    QPainter painter(&page);
    DrawBackdrop(painter, page.width(), page.height());
    DrawPictureFrame(painter, TableGrid);
    painter.fillRect(TableGrid, SkinColour::MaroonDeep);

    DrawButtonPanel(painter, Box(12, 320, 340, 466));
    for (const QRect &button : {SearchButton, TipsButton, ViewButton, InfoButton, QuitButton})
        DrawButtonShadow(painter, button);
    DrawButtonPanel(painter, Box(348, 320, 628, 466));
    DrawWordmark(painter, Box(352, 326, 624, 394), 44);
    DrawLabel(painter, Box(352, 390, 624, 414), u"Alle Tests auf einen Blick"_s, ArialFont(13, false, true),
              SkinColour::PaperRule);
    return page;
}

QImage DrawTipsPage()
{
    QImage page = BlankPicture(TipsWindow.width(), TipsWindow.height(), SkinColour::Maroon);
    QPainter painter(&page);
    DrawBackdrop(painter, page.width(), page.height());
    DrawPictureFrame(painter, TipsGrid);
    painter.fillRect(TipsGrid, SkinColour::MaroonDeep);
    DrawButtonPanel(painter, Box(12, 292, 468, 348));
    DrawShadowedLabel(painter, Box(24, 296, 300, 344), u"Tipps & Tricks"_s, ArialFont(24, true, true),
                      SkinColour::GoldLight, SkinColour::PanelDark, Qt::AlignLeft | Qt::AlignVCenter);
    DrawButtonShadow(painter, TipsCloseButton);
    return page;
}

QImage DrawFallbackPicture()
{
    QImage picture = BlankPicture(FallbackPicture.width(), FallbackPicture.height(), SkinColour::Panel);
    QPainter painter(&picture);
    DrawOutline(painter, Box(6, 6, 314, 234), SkinColour::PanelLight);

    // A framed landscape stands for the missing screenshot.
    const QRect frame = Box(120, 50, 200, 110);
    painter.fillRect(frame, SkinColour::PanelDark);
    DrawOutline(painter, frame, SkinColour::PanelLight);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(frame.adjusted(2, 2, -2, -2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(SkinColour::Gold));
    painter.drawEllipse(QPointF(178, 68), 7, 7);
    painter.setBrush(QColor(SkinColour::PanelLight));
    painter.drawPolygon(QPolygonF({QPointF(118, 112), QPointF(146, 74), QPointF(166, 98), QPointF(176, 88),
                                   QPointF(204, 112)}));
    painter.restore();

    DrawLabel(painter, Box(20, 122, 300, 150), u"Kein Bild vorhanden"_s, ArialFont(18, true), SkinColour::Cream);
    painter.fillRect(Box(130, 156, 190, 157), SkinColour::Gold);
    DrawWordmark(painter, Box(20, 162, 300, 190), 18);
    return picture;
}
