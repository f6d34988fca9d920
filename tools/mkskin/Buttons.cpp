#include "PageLayout.h"
#include "Pictures.h"
#include "SkinStyle.h"

#include <QLinearGradient>
#include <QRadialGradient>

using namespace Qt::StringLiterals;
using namespace PageLayout;

namespace {

// The shared button face: a rounded maroon key with a gold rim, lit from above.
void DrawKey(QPainter &painter, const QRectF &box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(SkinColour::PanelDark));
    painter.drawRoundedRect(box, 5, 5);
    QLinearGradient rim(box.topLeft(), box.bottomLeft());
    rim.setColorAt(0.0, QColor(SkinColour::GoldLight));
    rim.setColorAt(1.0, QColor(150, 104, 30));
    painter.setBrush(rim);
    painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), 4, 4);
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0.0, QColor(172, 42, 56));
    face.setColorAt(0.5, QColor(128, 24, 38));
    face.setColorAt(1.0, QColor(96, 16, 28));
    painter.setBrush(face);
    painter.drawRoundedRect(box.adjusted(2, 2, -2, -2), 3, 3);
    painter.restore();
}

void DrawLamp(QPainter &painter, const QPointF &centre, bool lit)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(SkinColour::PanelDark));
    painter.drawEllipse(centre, 6.5, 6.5);
    QRadialGradient glass(centre - QPointF(1.5, 1.5), 6.0);
    if (lit) {
        glass.setColorAt(0.0, QColor(255, 220, 200));
        glass.setColorAt(0.35, QColor(ValueColour::Red));
        glass.setColorAt(1.0, QColor(190, 0, 0));
    } else {
        glass.setColorAt(0.0, QColor(110, 60, 60));
        glass.setColorAt(0.4, QColor(70, 24, 26));
        glass.setColorAt(1.0, QColor(40, 12, 14));
    }
    painter.setBrush(glass);
    painter.drawEllipse(centre, 5.0, 5.0);
    painter.restore();
}

} // namespace

QImage DrawFaceButton(const QString &label, Lamp lamp)
{
    QImage picture = BlankPicture(FacePicture.width(), FacePicture.height(), SkinColour::Panel);
    QPainter painter(&picture);
    DrawKey(painter, QRectF(0, 0, FacePicture.width(), FacePicture.height()));
    if (lamp != Lamp::None)
        DrawLamp(painter, QPointF(19.5, 20.0), lamp == Lamp::Lit);
    DrawShadowedLabel(painter, QRect(0, 0, FacePicture.width(), FacePicture.height() - 1), label,
                      ArialFont(16, true), SkinColour::Cream, SkinColour::MaroonDeep);
    return picture;
}

QImage DrawArrowButton(ArrowDirection direction)
{
    QImage picture = BlankPicture(ArrowPicture.width(), ArrowPicture.height(), SkinColour::Panel);
    QPainter painter(&picture);
    DrawKey(painter, QRectF(0, 0, ArrowPicture.width(), ArrowPicture.height()));
    const qreal tip = direction == ArrowDirection::Left ? 18 : 38;
    const qreal back = direction == ArrowDirection::Left ? 36 : 20;
    const QPolygonF arrow({QPointF(tip, 14), QPointF(back, 6.5), QPointF(back, 21.5)});
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(SkinColour::MaroonDeep));
    painter.drawPolygon(arrow.translated(1, 1));
    painter.setBrush(QColor(SkinColour::Cream));
    painter.drawPolygon(arrow);
    return picture;
}

QImage DrawMinimiseButton()
{
    // Square corners, so it sits cleanly on whatever lies under the window's corner.
    QImage picture = BlankPicture(MinimisePicture.width(), MinimisePicture.height(), SkinColour::PanelDark);
    QPainter painter(&picture);
    QLinearGradient face(0, 1, 0, 19);
    face.setColorAt(0.0, QColor(172, 42, 56));
    face.setColorAt(1.0, QColor(96, 16, 28));
    painter.fillRect(QRect(1, 1, 18, 18), QColor(SkinColour::Gold));
    painter.fillRect(QRect(2, 2, 16, 16), face);
    painter.fillRect(QRect(6, 11, 9, 2), SkinColour::MaroonDeep);
    painter.fillRect(QRect(5, 10, 9, 2), SkinColour::Cream);
    return picture;
}
