// Scenes framed by a screen, walls or a cockpit rather than open land: the space shooter, the dungeon,
// the flight cockpit and the puzzle's well.
#include "SceneDrawing.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

using namespace Qt::StringLiterals;

namespace scenes {

// ---- space ----

namespace {

void DrawSaucer(QPainter &p, QPointF at, double size, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(180, 230, 255, 200));
    p.drawEllipse(QRectF(at.x() - size * 0.3, at.y() - size * 0.45, size * 0.6, size * 0.5));
    QLinearGradient body(0, at.y() - size * 0.2, 0, at.y() + size * 0.25);
    body.setColorAt(0, colour.lighter(150));
    body.setColorAt(1, colour.darker(170));
    p.setBrush(body);
    p.drawEllipse(QRectF(at.x() - size * 0.7, at.y() - size * 0.18, size * 1.4, size * 0.42));
    p.setBrush(QColor(255, 240, 150));
    for (int i = -1; i <= 1; ++i)
        p.drawEllipse(QPointF(at.x() + i * size * 0.35, at.y() + size * 0.04), 1.3, 1.3);
}

void DrawPlayerShip(QPainter &p, QPointF at, const QColor &colour)
{
    QRadialGradient flame(at + QPointF(0, 20), 14);
    flame.setColorAt(0, QColor(255, 250, 200, 255));
    flame.setColorAt(0.4, QColor(255, 160, 40, 200));
    flame.setColorAt(1, QColor(255, 60, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(flame);
    p.drawEllipse(at + QPointF(0, 22), 8, 14);
    QLinearGradient hull(at.x() - 22, 0, at.x() + 22, 0);
    hull.setColorAt(0, colour.darker(180));
    hull.setColorAt(0.5, colour.lighter(160));
    hull.setColorAt(1, colour.darker(180));
    p.setBrush(hull);
    p.setPen(QPen(colour.darker(250), 1));
    p.drawPolygon(QPolygonF{at + QPointF(0, -26), at + QPointF(7, -6), at + QPointF(24, 10), at + QPointF(24, 16),
                            at + QPointF(6, 12), at + QPointF(0, 18), at + QPointF(-6, 12), at + QPointF(-24, 16),
                            at + QPointF(-24, 10), at + QPointF(-7, -6)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 220, 255));
    p.drawEllipse(QRectF(at.x() - 3, at.y() - 14, 6, 11));
}

} // namespace

void DrawSpace(QPainter &p, SplitMix &rng, const Tint &t)
{
    p.fillRect(QRectF(0, 0, 320, 240), Hsv(t.hue + 200, 120, 18));
    for (int i = 0; i < 2; ++i) {
        const QPointF at{rng.range(40, 280), rng.range(40, 200)}; // braces: drawn left to right
        QRadialGradient nebula(at, rng.range(90, 150));
        nebula.setColorAt(0, Hsv(t.hue + i * 70, 200, 140, 130));
        nebula.setColorAt(1, Hsv(t.hue + i * 70, 200, 40, 0));
        p.fillRect(QRectF(0, 0, 320, 240), nebula);
    }
    for (int i = 0; i < 190; ++i) {
        const QPointF at{rng.range(0, 320), rng.range(0, 240)};
        const int light = rng.between(90, 255);
        const int hue = rng.chance(20) ? 40 : 220;
        const QColor star = Hsv(hue, rng.between(0, 60), light);
        const double size = rng.chance(12) ? 2 : 1;
        p.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), size, size), star);
        if (size > 1 && rng.chance(40)) {
            p.setPen(QPen(Hsv(220, 30, 255, 110), 1));
            p.drawLine(at + QPointF(-4, 1), at + QPointF(6, 1));
            p.drawLine(at + QPointF(1, -4), at + QPointF(1, 6));
        }
    }

    const QPointF planet{rng.range(50, 270), rng.range(70, 130)};
    const double radius = rng.range(28, 52);
    const int planetHue = t.hue + rng.between(120, 240);
    QRadialGradient globe(planet + QPointF(-radius * 0.4, -radius * 0.4), radius * 1.5);
    globe.setColorAt(0, Hsv(planetHue, 90, 240));
    globe.setColorAt(0.6, Hsv(planetHue, 190, 130));
    globe.setColorAt(1, Hsv(planetHue, 220, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(globe);
    p.drawEllipse(planet, radius, radius);
    if (rng.chance(50)) {
        p.setPen(QPen(Hsv(planetHue + 30, 60, 220, 150), 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(planet, radius * 1.7, radius * 0.35);
    }

    const double formationX = rng.range(70, 130);
    for (int i = 0; i < 5; ++i)
        DrawSaucer(p, QPointF(formationX + i * 36, 46 + (i % 2) * 18), 18, t.second);
    const QPointF boom(formationX + rng.between(0, 4) * 36 + 18, 92);
    QRadialGradient blast(boom, 16);
    blast.setColorAt(0, QColor(255, 255, 220));
    blast.setColorAt(0.35, QColor(255, 200, 60, 230));
    blast.setColorAt(1, QColor(255, 60, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(blast);
    p.drawEllipse(boom, 16, 16);

    const QPointF ship(160 + rng.range(-50, 50), 188);
    const QColor laser = Hsv(t.hue + 120, 150, 255);
    for (const double dx : {-14.0, 14.0}) {
        const double top = rng.range(40, 120);
        p.setPen(QPen(QColor(laser.red(), laser.green(), laser.blue(), 70), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(ship.x() + dx, top), QPointF(ship.x() + dx, top + 26));
        p.setPen(QPen(QColor(255, 255, 255), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(ship.x() + dx, top), QPointF(ship.x() + dx, top + 26));
    }
    DrawPlayerShip(p, ship, t.accent);

    ShadowText(p, QRectF(8, 222, 140, 16), Qt::AlignLeft | Qt::AlignVCenter,
               u"PUNKTE %1"_s.arg(rng.between(0, 99999) * 10, 7, 10, QLatin1Char('0')), UiFont(12, true));
    ShadowText(p, QRectF(196, 222, 50, 16), Qt::AlignLeft | Qt::AlignVCenter, u"Schild"_s, UiFont(10));
    Bar(p, QRectF(236, 226, 76, 8), rng.range(0.2, 1.0), Hsv(t.hue + 120, 170, 240));
}

// ---- dungeon ----

namespace {

void DrawBricks(QPainter &p, QPointF outerTop, QPointF outerBottom, QPointF innerTop, QPointF innerBottom, int courses)
{
    p.setPen(QPen(QColor(0, 0, 0, 80), 1));
    for (int r = 1; r < courses; ++r) {
        const double f = double(r) / courses;
        p.drawLine(Lerp(outerTop, outerBottom, f), Lerp(innerTop, innerBottom, f));
    }
    for (int r = 0; r < courses; ++r) {
        const double f0 = double(r) / courses, f1 = double(r + 1) / courses;
        for (const double along : {r % 2 ? 0.25 : 0.5, r % 2 ? 0.75 : 1.0}) {
            if (along >= 1.0)
                continue;
            const QPointF top = Lerp(Lerp(outerTop, outerBottom, f0), Lerp(innerTop, innerBottom, f0), along);
            const QPointF bottom = Lerp(Lerp(outerTop, outerBottom, f1), Lerp(innerTop, innerBottom, f1), along);
            p.drawLine(top, bottom);
        }
    }
}

void DrawTorch(QPainter &p, QPointF at, double scale)
{
    QRadialGradient glow(at, 60 * scale);
    glow.setColorAt(0, QColor(255, 170, 60, 110));
    glow.setColorAt(1, QColor(255, 120, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(at, 60 * scale, 60 * scale);
    p.setBrush(QColor(70, 50, 35));
    p.drawRect(QRectF(at.x() - 2 * scale, at.y(), 4 * scale, 16 * scale));
    QRadialGradient flame(at + QPointF(0, -5 * scale), 9 * scale);
    flame.setColorAt(0, QColor(255, 255, 200));
    flame.setColorAt(0.5, QColor(255, 170, 40));
    flame.setColorAt(1, QColor(220, 60, 0, 0));
    p.setBrush(flame);
    p.drawEllipse(at + QPointF(0, -5 * scale), 6 * scale, 10 * scale);
}

} // namespace

void DrawDungeon(QPainter &p, SplitMix &rng, const Tint &t)
{
    const QRectF view(0, kTitleBand, 320, 210 - kTitleBand);
    const QPointF centre(view.center().x() + rng.range(-20, 20), view.center().y() + 4);
    const std::array<double, 6> scale{1.0, 0.64, 0.42, 0.28, 0.19, 0.13};
    const auto frame = [&](int d) {
        const double s = scale[d];
        return QRectF(centre.x() - 180 * s, centre.y() - 120 * s, 360 * s, 240 * s);
    };
    const int stoneHue = rng.chance(50) ? rng.between(20, 40) : rng.between(190, 230);
    const int stoneSat = rng.between(25, 60);
    p.fillRect(view, QColor(8, 6, 6));
    const int depth = rng.between(3, 5);
    for (int d = 0; d < depth; ++d) {
        const QRectF o = frame(d), i = frame(d + 1);
        const int light = 190 - d * 32;
        p.setPen(Qt::NoPen);
        p.setBrush(Hsv(stoneHue, stoneSat, light - 70));
        p.drawPolygon(QPolygonF{o.topLeft(), o.topRight(), i.topRight(), i.topLeft()});
        p.setBrush(Hsv(stoneHue, stoneSat - 10, light - 40));
        p.drawPolygon(QPolygonF{o.bottomLeft(), o.bottomRight(), i.bottomRight(), i.bottomLeft()});
        p.setBrush(Hsv(stoneHue, stoneSat, light - 10));
        p.drawPolygon(QPolygonF{o.topLeft(), i.topLeft(), i.bottomLeft(), o.bottomLeft()});
        p.setBrush(Hsv(stoneHue, stoneSat, light - 25));
        p.drawPolygon(QPolygonF{o.topRight(), i.topRight(), i.bottomRight(), o.bottomRight()});
        DrawBricks(p, o.topLeft(), o.bottomLeft(), i.topLeft(), i.bottomLeft(), 7);
        DrawBricks(p, o.topRight(), o.bottomRight(), i.topRight(), i.bottomRight(), 7);
        p.setPen(QPen(QColor(0, 0, 0, 70), 1));
        p.drawLine(i.bottomLeft(), i.bottomRight());
        p.drawLine(Lerp(o.bottomLeft(), o.bottomRight(), 0.5), Lerp(i.bottomLeft(), i.bottomRight(), 0.5));
    }

    const QRectF end = frame(depth);
    if (rng.chance(55)) {
        // An arched wooden door closes the corridor.
        const QRectF door = end.adjusted(end.width() * 0.2, end.height() * 0.15, -end.width() * 0.2, 0);
        QPainterPath arch;
        arch.moveTo(door.bottomLeft());
        arch.lineTo(door.left(), door.top() + door.width() / 2);
        arch.arcTo(QRectF(door.left(), door.top(), door.width(), door.width()), 180, -180);
        arch.lineTo(door.bottomRight());
        arch.closeSubpath();
        p.setPen(QPen(QColor(30, 20, 10), 1));
        p.setBrush(Hsv(28, 150, 110 - depth * 12));
        p.drawPath(arch);
        for (int k = 1; k < 4; ++k)
            p.drawLine(QPointF(door.left() + door.width() * k / 4, door.top() + 2), QPointF(door.left() + door.width() * k / 4, door.bottom()));
        p.setBrush(QColor(150, 140, 120));
        p.drawEllipse(QPointF(door.right() - door.width() * 0.2, door.center().y() + 4), 1.8, 1.8);
    } else {
        // Darkness, and something watching from it.
        const QPointF eyes = end.center();
        p.setPen(Qt::NoPen);
        p.setBrush(Hsv(t.hue, 200, 255));
        p.drawEllipse(eyes + QPointF(-4, 0), 1.6, 1.2);
        p.drawEllipse(eyes + QPointF(4, 0), 1.6, 1.2);
    }

    const QRectF first = frame(1), zero = frame(0);
    DrawTorch(p, QPointF(Lerp(zero.left(), first.left(), 0.55), centre.y() - 18), 0.9);
    if (rng.chance(60))
        DrawTorch(p, QPointF(Lerp(zero.right(), first.right(), 0.55), centre.y() - 18), 0.9);

    QRadialGradient vignette(view.center(), 190);
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 170));
    p.fillRect(view, vignette);

    // The party at the bottom: portrait, name, life and magic.
    QLinearGradient panel(0, 210, 0, 240);
    panel.setColorAt(0, Hsv(stoneHue, 40, 70));
    panel.setColorAt(1, Hsv(stoneHue, 40, 35));
    p.fillRect(QRectF(0, 210, 320, 30), panel);
    const std::array<QString, 4> names{u"Ardo"_s, u"Lyssa"_s, u"Brom"_s, u"Kiri"_s};
    for (int m = 0; m < 4; ++m) {
        const double x = 4 + m * 79;
        p.setPen(QPen(QColor(0, 0, 0, 150), 1));
        p.setBrush(Hsv(t.hue + m * 80, 120, 170));
        p.drawRect(QRectF(x, 213, 22, 24));
        p.setBrush(QColor(235, 200, 165));
        p.drawEllipse(QRectF(x + 6, 216, 10, 11));
        ShadowText(p, QRectF(x + 26, 211, 48, 12), Qt::AlignLeft | Qt::AlignVCenter, names[m], UiFont(10, true));
        Bar(p, QRectF(x + 26, 225, 48, 5), rng.range(0.2, 1.0), QColor(210, 40, 40));
        Bar(p, QRectF(x + 26, 231, 48, 5), rng.range(0.1, 1.0), QColor(60, 110, 230));
    }
}

// ---- flight ----

namespace {

void DrawDial(QPainter &p, QPointF centre, double radius, double angle, const QString &label)
{
    p.setPen(QPen(QColor(90, 90, 95), 2));
    p.setBrush(QColor(15, 15, 18));
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(230, 230, 230), 1));
    for (int k = 0; k < 12; ++k) {
        const double a = k * std::numbers::pi / 6;
        const QPointF dir(std::sin(a), -std::cos(a));
        p.drawLine(centre + dir * (radius - 5), centre + dir * (radius - 1.5));
    }
    const QPointF tip = centre + QPointF(std::sin(angle), -std::cos(angle)) * (radius - 6);
    p.setPen(QPen(QColor(255, 150, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, tip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(centre, 2, 2);
    p.setFont(UiFont(8, true));
    p.setPen(QColor(200, 200, 200));
    p.drawText(QRectF(centre.x() - 20, centre.y() + 5, 40, 10), Qt::AlignCenter, label);
}

} // namespace

void DrawCockpit(QPainter &p, SplitMix &rng, const Tint &t)
{
    const double roll = rng.range(-18, 18);
    const double pitch = rng.range(-12, 22);
    const bool evening = rng.chance(30);
    p.save();
    p.translate(160, 104 + pitch);
    p.rotate(roll);
    QLinearGradient sky(0, -260, 0, 0);
    sky.setColorAt(0, evening ? Hsv(250, 120, 70) : Hsv(215 + rng.between(-8, 8), 170, 170));
    sky.setColorAt(1, evening ? Hsv(20 + rng.between(0, 20), 170, 250) : Hsv(200, 40, 245));
    p.fillRect(QRectF(-400, -300, 800, 300), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const double x = rng.range(-220, 220), y = rng.range(-110, -12), w = rng.range(30, 80);
        p.setBrush(QColor(255, 255, 255, evening ? 90 : 190));
        p.drawEllipse(QRectF(x, y, w, w * 0.22));
        p.drawEllipse(QRectF(x + w * 0.2, y - w * 0.08, w * 0.5, w * 0.25));
    }
    // Fields in perspective: their edges run towards the vanishing point on the horizon.
    const int groundHue = evening ? 30 : rng.between(60, 110);
    constexpr double kSpread = 1.1; // field width per unit of depth
    for (double y = 3; y < 300; y *= 1.3) {
        const double next = y * 1.3;
        const int reach = int(420 / (kSpread * y)) + 1;
        for (int col = -reach; col < reach; ++col) {
            const int hue = groundHue + rng.between(-18, 18), saturation = rng.between(80, 135);
            QColor colour = Hsv(hue, saturation, rng.between(105, 150));
            if (evening)
                colour = colour.darker(140);
            p.setBrush(colour);
            p.drawPolygon(QPolygonF{{col * kSpread * y, y}, {(col + 1) * kSpread * y, y},
                                    {(col + 1) * kSpread * next, next}, {col * kSpread * next, next}});
        }
    }
    const double runwayX = rng.range(-1.5, 1.5);
    p.setBrush(QColor(85, 85, 92));
    p.drawPolygon(QPolygonF{{(runwayX - 0.1) * 3, 3}, {(runwayX + 0.1) * 3, 3}, {(runwayX + 0.1) * 300, 300},
                            {(runwayX - 0.1) * 300, 300}});
    p.setBrush(QColor(235, 235, 235));
    for (double y = 4; y < 300; y *= 1.6)
        p.drawPolygon(QPolygonF{{(runwayX - 0.006) * y, y}, {(runwayX + 0.006) * y, y},
                                {(runwayX + 0.006) * y * 1.25, y * 1.25}, {(runwayX - 0.006) * y * 1.25, y * 1.25}});
    QLinearGradient haze(0, 0, 0, 30);
    haze.setColorAt(0, evening ? Hsv(25, 120, 200, 200) : Hsv(200, 30, 235, 220));
    haze.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(-400, 0, 800, 30), haze);
    p.restore();

    // Head-up display.
    const QColor hud(90, 255, 120, 220);
    p.setPen(QPen(hud, 1.3));
    p.setBrush(Qt::NoBrush);
    p.save();
    p.translate(160, 104);
    p.rotate(roll);
    for (int k = -2; k <= 2; ++k) {
        if (k == 0)
            continue;
        const double y = pitch - k * 22;
        p.drawLine(QPointF(-38, y), QPointF(-14, y));
        p.drawLine(QPointF(14, y), QPointF(38, y));
    }
    p.restore();
    p.drawPolyline(QPolygonF{{146, 104}, {152, 104}, {156, 110}, {160, 104}, {164, 110}, {168, 104}, {174, 104}});
    p.setFont(UiFont(10, true));
    p.setPen(hud);
    p.drawRect(QRectF(40, 96, 36, 15));
    p.drawText(QRectF(40, 96, 36, 15), Qt::AlignCenter, QString::number(rng.between(180, 820)));
    p.drawRect(QRectF(244, 96, 40, 15));
    p.drawText(QRectF(244, 96, 40, 15), Qt::AlignCenter, QString::number(rng.between(5, 120) * 100));
    const int heading = rng.between(0, 35);
    for (int k = -3; k <= 3; ++k) {
        const double x = 160 + k * 22;
        p.drawLine(QPointF(x, 30), QPointF(x, 35));
        p.setFont(UiFont(8));
        p.drawText(QRectF(x - 10, 35, 20, 10), Qt::AlignCenter, QString::number((heading + k + 36) % 36).rightJustified(2, u'0'));
    }

    // Cockpit frame and instruments.
    QPainterPath frame;
    frame.moveTo(0, 240);
    frame.lineTo(0, 170);
    frame.quadTo(160, 150, 320, 170);
    frame.lineTo(320, 240);
    frame.closeSubpath();
    QLinearGradient metal(0, 160, 0, 240);
    metal.setColorAt(0, Hsv(t.hue, 25, 75));
    metal.setColorAt(1, Hsv(t.hue, 25, 35));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(metal);
    p.drawPath(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(Hsv(t.hue, 20, 40));
    p.drawPolygon(QPolygonF{{0, 170}, {0, 140}, {40, kTitleBand}, {52, kTitleBand}, {12, 168}});
    p.drawPolygon(QPolygonF{{320, 170}, {320, 140}, {280, kTitleBand}, {268, kTitleBand}, {308, 168}});
    const std::array<QString, 4> labels{u"FAHRT"_s, u"HÖHE"_s, u"KURS"_s, u"STEIG"_s};
    for (int i = 0; i < 4; ++i)
        DrawDial(p, QPointF(52 + i * 72, 204), 23, rng.range(0, 2 * std::numbers::pi), labels[i]);
}

// ---- puzzle ----

namespace {

void DrawBlock(QPainter &p, const QRectF &cell, const QColor &colour)
{
    p.fillRect(cell, colour);
    p.fillRect(QRectF(cell.x(), cell.y(), cell.width(), 2), colour.lighter(150));
    p.fillRect(QRectF(cell.x(), cell.y(), 2, cell.height()), colour.lighter(130));
    p.fillRect(QRectF(cell.x(), cell.bottom() - 2, cell.width(), 2), colour.darker(170));
    p.fillRect(QRectF(cell.right() - 2, cell.y(), 2, cell.height()), colour.darker(140));
}

} // namespace

void DrawBlocks(QPainter &p, SplitMix &rng, const Tint &t)
{
    QLinearGradient background(0, 0, 320, 240);
    background.setColorAt(0, Hsv(t.hue, 130, 80));
    background.setColorAt(1, Hsv(t.hue + 40, 150, 30));
    p.fillRect(QRectF(0, 0, 320, 240), background);
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    for (int d = -240; d < 320; d += 12)
        p.drawLine(QPointF(d, 240), QPointF(d + 240, 0));

    constexpr int kCell = 12, kCols = 10, kRows = 17;
    const QPointF well(100, 30);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1));
    p.setBrush(QColor(0, 0, 0, 175));
    p.drawRect(QRectF(well.x() - 1, well.y() - 1, kCols * kCell + 2, kRows * kCell + 2));
    std::array<QColor, 6> colours;
    for (int k = 0; k < 6; ++k)
        colours[k] = Hsv(t.hue + k * 60, 190, 230);
    const auto cellAt = [&](int col, int row) {
        return QRectF(well.x() + col * kCell, well.y() + row * kCell, kCell, kCell);
    };
    for (int col = 0; col < kCols; ++col) {
        const int stack = rng.between(3, 8);
        for (int row = kRows - 1; row >= kRows - stack; --row) {
            const bool gap = row == kRows - 2 ? col == 6 : rng.chance(12);
            if (!gap)
                DrawBlock(p, cellAt(col, row), colours[rng.below(6)]);
        }
    }
    static const std::array<std::array<QPoint, 4>, 4> kShapes{{
        {{{0, 0}, {1, 0}, {2, 0}, {1, 1}}},
        {{{0, 0}, {0, 1}, {0, 2}, {1, 2}}},
        {{{0, 0}, {1, 0}, {1, 1}, {2, 1}}},
        {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
    }};
    const auto &falling = rng.pick(kShapes);
    const int fallCol = rng.between(1, 6), fallRow = rng.between(2, 5);
    const QColor fallColour = colours[rng.below(6)];
    for (const QPoint &cell : falling)
        DrawBlock(p, cellAt(fallCol + cell.x(), fallRow + cell.y()), fallColour);

    const std::array<std::pair<QString, QString>, 3> stats{{
        {u"PUNKTE"_s, QString::number(rng.between(100, 99999) * 10)},
        {u"LEVEL"_s, QString::number(rng.between(1, 20))},
        {u"REIHEN"_s, QString::number(rng.between(5, 240))},
    }};
    for (int i = 0; i < 3; ++i) {
        const QRectF box(10, 34 + i * 46, 80, 38);
        HudBox(p, box);
        ShadowText(p, QRectF(box.x(), box.y() + 3, box.width(), 12), Qt::AlignCenter, stats[i].first, UiFont(9, true),
                   Hsv(t.hue + 60, 80, 255));
        ShadowText(p, QRectF(box.x(), box.y() + 16, box.width(), 18), Qt::AlignCenter, stats[i].second,
                   UiFont(15, true));
    }
    const QRectF next(230, 34, 80, 64);
    HudBox(p, next);
    ShadowText(p, QRectF(next.x(), next.y() + 3, next.width(), 12), Qt::AlignCenter, u"NÄCHSTER"_s, UiFont(9, true),
               Hsv(t.hue + 60, 80, 255));
    const auto &preview = rng.pick(kShapes);
    const QColor previewColour = colours[rng.below(6)];
    for (const QPoint &cell : preview)
        DrawBlock(p, QRectF(next.x() + 25 + cell.x() * 10, next.y() + 24 + cell.y() * 10, 10, 10), previewColour);
}

} // namespace scenes
