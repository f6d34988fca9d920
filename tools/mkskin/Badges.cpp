#include "PageLayout.h"
#include "Pictures.h"
#include "SkinStyle.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

using namespace Qt::StringLiterals;
using namespace PageLayout;

namespace {

struct Metal {
    QColor light;
    QColor mid;
    QColor dark;
    QColor ribbon;
    QColor ribbonDark;
    QColor ink;
};

Metal MetalColours(AwardMetal metal)
{
    if (metal == AwardMetal::Gold)
        return {QColor(255, 232, 140), QColor(SkinColour::Gold), QColor(150, 100, 20),
                QColor(SkinColour::Maroon), QColor(SkinColour::MaroonDeep), QColor(96, 52, 0)};
    return {QColor(252, 252, 255), QColor(196, 202, 214), QColor(112, 118, 134),
            QColor(40, 52, 96), QColor(20, 26, 56), QColor(36, 40, 56)};
}

// A rosette: a scalloped disc, so it reads as a medal at a glance.
QPainterPath Rosette(const QPointF &centre, qreal outer, qreal inner, int points)
{
    QPainterPath path;
    for (int i = 0; i <= 2 * points; ++i) {
        const qreal angle = M_PI * i / points - M_PI / 2;
        const qreal radius = (i % 2 == 0) ? outer : inner;
        const QPointF p = centre + QPointF(radius * qCos(angle), radius * qSin(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void DrawRibbonTail(QPainter &painter, const Metal &metal, qreal x, qreal lean)
{
    const QPolygonF tail({QPointF(x - 7, 36), QPointF(x + 7, 36), QPointF(x + 7 + lean, 61),
                          QPointF(x + lean, 55), QPointF(x - 7 + lean, 61)});
    painter.setBrush(metal.ribbon);
    painter.drawPolygon(tail);
    painter.setBrush(metal.ribbonDark);
    painter.drawPolygon(QPolygonF({QPointF(x + 2, 36), QPointF(x + 7, 36), QPointF(x + 7 + lean, 61),
                                   QPointF(x + 2 + lean, 57.5)}));
}

} // namespace

QImage DrawAwardBadge(const QImage &reviewPage, AwardMetal metal)
{
    QImage picture = reviewPage.copy(AwardBadge);
    const Metal colours = MetalColours(metal);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    DrawRibbonTail(painter, colours, 26, -5);
    DrawRibbonTail(painter, colours, 51, 5);

    const QPointF centre(38.5, 27.5);
    painter.setBrush(colours.dark);
    painter.drawPath(Rosette(centre, 27, 24, 18));
    QLinearGradient shine(centre - QPointF(20, 20), centre + QPointF(20, 20));
    shine.setColorAt(0.0, colours.light);
    shine.setColorAt(0.55, colours.mid);
    shine.setColorAt(1.0, colours.dark);
    painter.setBrush(shine);
    painter.drawPath(Rosette(centre, 26, 23, 18));
    painter.setBrush(colours.dark);
    painter.drawEllipse(centre, 20, 20);
    QLinearGradient face(centre - QPointF(0, 19), centre + QPointF(0, 19));
    face.setColorAt(0.0, colours.light);
    face.setColorAt(1.0, colours.mid);
    painter.setBrush(face);
    painter.drawEllipse(centre, 19, 19);

    const bool gold = metal == AwardMetal::Gold;
    const QFont big = ArialFont(gold ? 13 : 11, true);
    DrawLabel(painter, QRect(18, 13, 41, 16), gold ? u"GOLD"_s : u"PLATIN"_s, big, colours.ink.rgb());
    DrawLabel(painter, QRect(18, 28, 41, 12), u"Award"_s, ArialFont(10, true, true), colours.ink.rgb());
    return picture;
}

QImage DrawExtraCdBadge(const QImage &reviewPage)
{
    QImage picture = reviewPage.copy(ExtraCdBadge);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    const QPointF centre(31, 31);

    painter.setBrush(QColor(120, 124, 136));
    painter.drawEllipse(centre, 30, 30);
    // A conical sheen is how a disc's surface catches the light.
    QConicalGradient sheen(centre, 30);
    sheen.setColorAt(0.00, QColor(214, 218, 228));
    sheen.setColorAt(0.15, QColor(250, 250, 255));
    sheen.setColorAt(0.30, QColor(196, 214, 236));
    sheen.setColorAt(0.50, QColor(172, 178, 194));
    sheen.setColorAt(0.65, QColor(250, 246, 230));
    sheen.setColorAt(0.80, QColor(206, 196, 226));
    sheen.setColorAt(1.00, QColor(214, 218, 228));
    painter.setBrush(sheen);
    painter.drawEllipse(centre, 29, 29);
    painter.setBrush(QColor(150, 154, 166));
    painter.drawEllipse(centre, 10, 10);
    painter.setBrush(QColor(228, 230, 236));
    painter.drawEllipse(centre, 8, 8);
    painter.setBrush(QColor(SkinColour::Paper));
    painter.drawEllipse(centre, 4, 4);

    // A label across the lower half, as printed on the disc itself.
    const QRectF label(5, 38, 52, 14);
    painter.setBrush(QColor(SkinColour::MaroonDeep));
    painter.drawRoundedRect(label.translated(0, 1), 4, 4);
    painter.setBrush(QColor(SkinColour::Maroon));
    painter.drawRoundedRect(label, 4, 4);
    DrawLabel(painter, label.toRect(), u"Zusatz-CD"_s, ArialFont(10, true), SkinColour::Cream);
    return picture;
}
