#include "SkinStyle.h"

#include <QLinearGradient>
#include <QRegion>

using namespace Qt::StringLiterals;

std::vector<QRgb> SkinPaletteBase()
{
    using namespace ValueColour;
    using namespace SkinColour;
    return {White, Black, TitleGrey, Red, Green, Amber,
            Maroon, MaroonDeep, MaroonLight, Gold, GoldLight, Paper, PaperTint, PaperRule, PaperShadow,
            Panel, PanelLight, PanelDark, Ink, Cream};
}

QImage BlankPicture(int width, int height, QRgb fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QFont ArialFont(int pixelSize, bool bold, bool italic)
{
    QFont font(u"Arial"_s);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void DrawLabel(QPainter &painter, const QRect &box, const QString &text, const QFont &font, QRgb colour,
               Qt::Alignment alignment)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(colour));
    painter.drawText(box, int(alignment), text);
    painter.restore();
}

void DrawShadowedLabel(QPainter &painter, const QRect &box, const QString &text, const QFont &font, QRgb colour,
                       QRgb shadow, Qt::Alignment alignment)
{
    DrawLabel(painter, box.translated(1, 1), text, font, shadow, alignment);
    DrawLabel(painter, box, text, font, colour, alignment);
}

void DrawOutline(QPainter &painter, const QRect &box, QRgb colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor c(colour);
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), c);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), c);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), c);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), c);
    painter.restore();
}

void DrawBackdrop(QPainter &painter, int width, int height)
{
    QLinearGradient shade(0, 0, 0, height);
    shade.setColorAt(0.0, QColor(122, 26, 40));
    shade.setColorAt(1.0, QColor(72, 12, 22));
    painter.fillRect(0, 0, width, height, shade);
    DrawOutline(painter, QRect(0, 0, width, height), SkinColour::PanelDark);
    painter.fillRect(1, 1, width - 2, 1, QColor(176, 70, 80));
    painter.fillRect(1, 1, 1, height - 2, QColor(176, 70, 80));
    painter.fillRect(2, height - 2, width - 3, 1, SkinColour::MaroonDeep);
    painter.fillRect(width - 2, 2, 1, height - 3, SkinColour::MaroonDeep);
}

void DrawPictureFrame(QPainter &painter, const QRect &inner)
{
    const QRect outer = inner.adjusted(-5, -5, 5, 5);
    painter.fillRect(outer.translated(3, 3), QColor(40, 6, 12));
    painter.fillRect(outer, SkinColour::MaroonDeep);
    DrawOutline(painter, inner.adjusted(-3, -3, 3, 3), SkinColour::Gold);
    DrawOutline(painter, inner.adjusted(-2, -2, 2, 2), SkinColour::GoldLight);
    DrawOutline(painter, inner.adjusted(-1, -1, 1, 1), SkinColour::PanelDark);
    painter.fillRect(inner, ValueColour::Black);
}

void DrawButtonPanel(QPainter &painter, const QRect &box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 6, 12));
    painter.drawRoundedRect(QRectF(box).translated(2, 2), 6, 6);
    painter.setBrush(QColor(SkinColour::PanelLight));
    painter.drawRoundedRect(QRectF(box), 6, 6);
    painter.setBrush(QColor(SkinColour::PanelDark));
    painter.drawRoundedRect(QRectF(box).adjusted(1, 1, -1, -1), 5, 5);
    painter.setBrush(QColor(SkinColour::Panel));
    painter.drawRoundedRect(QRectF(box).adjusted(2, 2, -1, -1), 4, 4);
    painter.restore();
}

void DrawButtonShadow(QPainter &painter, const QRect &button)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(SkinColour::PanelDark));
    // Only outside the button's place: its rounded corners must show the plain panel.
    const QRect reach = button.adjusted(0, 0, 3, 3);
    painter.setClipRegion(QRegion(reach).subtracted(QRegion(button)));
    painter.drawRoundedRect(QRectF(button).translated(2, 2), 5, 5);
    painter.restore();
}

void DrawWordmark(QPainter &painter, const QRect &box, int pixelSize)
{
    QFont font = ArialFont(pixelSize, true, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    DrawShadowedLabel(painter, box, u"Spieldex"_s, font, SkinColour::GoldLight, SkinColour::PanelDark,
                      Qt::AlignCenter);
}
