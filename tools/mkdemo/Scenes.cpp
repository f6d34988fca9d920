#include "Scenes.h"
#include "SplitMix.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

constexpr double kTitleBand = 22; // the title strip over the top of every scene

// Colours of one game: a hue and two contrasting team or player colours.
struct Tint {
    int hue = 0;
    QColor accent;
    QColor second;
};

QColor Hsv(int hue, int saturation, int value, int alpha = 255)
{
    return QColor::fromHsv(((hue % 360) + 360) % 360, std::clamp(saturation, 0, 255), std::clamp(value, 0, 255),
                           std::clamp(alpha, 0, 255));
}

QFont UiFont(int pixelSize, bool bold = false)
{
    QFont font;
    // "Arial" resolves to a metric twin where Arial itself is not installed.
    font.setFamilies({u"Arial"_s, u"Liberation Sans"_s, u"DejaVu Sans"_s});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Text with a one-pixel shadow, readable on any background.
void ShadowText(QPainter &p, const QRectF &rect, int flags, const QString &text, const QFont &font,
                const QColor &colour = Qt::white)
{
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 170));
    p.drawText(rect.translated(1, 1), flags, text);
    p.setPen(colour);
    p.drawText(rect, flags, text);
}

void HudBox(QPainter &p, const QRectF &rect)
{
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawRoundedRect(rect, 3, 3);
}

void Bar(QPainter &p, const QRectF &rect, double fill, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 160));
    p.drawRect(rect);
    p.setBrush(colour);
    p.drawRect(QRectF(rect.x() + 1, rect.y() + 1, (rect.width() - 2) * fill, rect.height() - 2));
}

double Lerp(double a, double b, double t) { return a + (b - a) * t; }
QPointF Lerp(QPointF a, QPointF b, double t) { return a + (b - a) * t; }

// ---- racing ----

void DrawCarFromBehind(QPainter &p, double cx, double bottom, double width, const QColor &colour)
{
    const double h = width * 0.42;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(QRectF(cx - width * 0.6, bottom - h * 0.18, width * 1.2, h * 0.36));
    p.setBrush(QColor(25, 25, 28));
    p.drawRoundedRect(QRectF(cx - width * 0.52, bottom - h * 0.55, width * 0.22, h * 0.55), 2, 2);
    p.drawRoundedRect(QRectF(cx + width * 0.30, bottom - h * 0.55, width * 0.22, h * 0.55), 2, 2);
    QLinearGradient body(0, bottom - h, 0, bottom);
    body.setColorAt(0, colour.lighter(140));
    body.setColorAt(1, colour.darker(160));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(cx - width * 0.45, bottom - h * 0.85, width * 0.9, h * 0.62), 4, 4);
    QPolygonF window{{cx - width * 0.30, bottom - h * 0.85}, {cx + width * 0.30, bottom - h * 0.85},
                     {cx + width * 0.22, bottom - h * 1.2}, {cx - width * 0.22, bottom - h * 1.2}};
    p.setBrush(colour.darker(130));
    p.drawPolygon(window);
    p.setBrush(QColor(40, 55, 75));
    p.drawPolygon(QPolygonF{Lerp(window[0], window[3], 0.15) + QPointF(3, 0), Lerp(window[1], window[2], 0.15) - QPointF(3, 0),
                            window[2] - QPointF(2, -2), window[3] + QPointF(2, 2)});
    p.setBrush(QColor(230, 40, 30));
    p.drawRect(QRectF(cx - width * 0.42, bottom - h * 0.7, width * 0.14, h * 0.13));
    p.drawRect(QRectF(cx + width * 0.28, bottom - h * 0.7, width * 0.14, h * 0.13));
    p.setBrush(QColor(235, 235, 225));
    p.drawRect(QRectF(cx - width * 0.12, bottom - h * 0.52, width * 0.24, h * 0.14));
    p.setBrush(colour.darker(200));
    p.drawRect(QRectF(cx - width * 0.5, bottom - h * 1.05, width, h * 0.1));
}

void DrawRidge(QPainter &p, SplitMix &rng, double base, double height, const QColor &colour)
{
    QPolygonF ridge;
    ridge << QPointF(0, base);
    for (int x = 0; x <= 320; x += 16)
        ridge << QPointF(x, base - rng.range(height * 0.3, height));
    ridge << QPointF(320, base);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(ridge);
}

void DrawClouds(QPainter &p, SplitMix &rng, int count, double top, double bottom, int alpha)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double x = rng.range(0, 320), y = rng.range(top, bottom), w = rng.range(30, 70);
        p.setBrush(QColor(255, 255, 255, alpha));
        p.drawEllipse(QRectF(x - w / 2, y - w * 0.12, w, w * 0.3));
        p.drawEllipse(QRectF(x - w * 0.3, y - w * 0.25, w * 0.45, w * 0.35));
        p.drawEllipse(QRectF(x - w * 0.05, y - w * 0.2, w * 0.4, w * 0.3));
    }
}

void DrawTrack(QPainter &p, SplitMix &rng, const Tint &t)
{
    constexpr double horizon = 104;
    const bool dusk = rng.chance(30);
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, dusk ? Hsv(255, 110, 90) : Hsv(210 + rng.between(-10, 10), 160, 200));
    sky.setColorAt(1, dusk ? Hsv(22 + rng.between(0, 15), 170, 250) : Hsv(195, 45, 250));
    p.fillRect(QRectF(0, 0, 320, horizon), sky);
    DrawClouds(p, rng, rng.between(2, 4), 35, 80, dusk ? 60 : 170);
    DrawRidge(p, rng, horizon, 34, dusk ? Hsv(270, 60, 90) : Hsv(215, 35, 160));
    DrawRidge(p, rng, horizon, 16, dusk ? Hsv(250, 50, 60) : Hsv(120, 60, 100));

    const int grassHue = rng.between(70, 125);
    for (int k = 0; k < 14; ++k) {
        const double y0 = horizon + (240 - horizon) * std::pow(k / 14.0, 1.7);
        const double y1 = horizon + (240 - horizon) * std::pow((k + 1) / 14.0, 1.7);
        p.fillRect(QRectF(0, y0, 320, y1 - y0 + 1), Hsv(grassHue, 150, (k % 2 ? 150 : 135) + k * 3));
    }

    // The road: centre drifts towards a bend at the horizon, width grows towards the viewer.
    const double bend = rng.range(-90, 90);
    const auto centre = [&](double s) { return 160 + bend * (1 - s) * (1 - s); };
    const auto half = [](double s) { return 3 + 150 * s; };
    const auto yAt = [&](double s) { return horizon + (240 - horizon) * s; };
    QPolygonF road;
    constexpr int kSteps = 24;
    for (int i = 0; i <= kSteps; ++i) {
        const double s = double(i) / kSteps;
        road << QPointF(centre(s) - half(s), yAt(s));
    }
    for (int i = kSteps; i >= 0; --i) {
        const double s = double(i) / kSteps;
        road << QPointF(centre(s) + half(s), yAt(s));
    }
    QLinearGradient asphalt(0, horizon, 0, 240);
    asphalt.setColorAt(0, QColor(120, 120, 125));
    asphalt.setColorAt(1, QColor(70, 70, 75));
    p.setPen(Qt::NoPen);
    p.setBrush(asphalt);
    p.drawPolygon(road);

    // Kerbs and centre dashes in segments that shrink with distance.
    for (int k = 0; k < 16; ++k) {
        const double s0 = std::pow(k / 16.0, 1.6), s1 = std::pow((k + 1) / 16.0, 1.6);
        for (const int side : {-1, 1}) {
            const double inner0 = centre(s0) + side * half(s0) * 0.92, outer0 = centre(s0) + side * half(s0) * 1.04;
            const double inner1 = centre(s1) + side * half(s1) * 0.92, outer1 = centre(s1) + side * half(s1) * 1.04;
            p.setBrush(k % 2 ? QColor(220, 30, 30) : QColor(245, 245, 245));
            p.drawPolygon(QPolygonF{{inner0, yAt(s0)}, {outer0, yAt(s0)}, {outer1, yAt(s1)}, {inner1, yAt(s1)}});
        }
        if (k % 2 == 0) {
            const double w0 = half(s0) * 0.03, w1 = half(s1) * 0.03;
            p.setBrush(QColor(240, 240, 230));
            p.drawPolygon(QPolygonF{{centre(s0) - w0, yAt(s0)}, {centre(s0) + w0, yAt(s0)},
                                    {centre(s1) + w1, yAt(s1)}, {centre(s1) - w1, yAt(s1)}});
        }
    }

    const double rivalS = rng.range(0.3, 0.5);
    const double rivalX = centre(rivalS) + half(rivalS) * rng.range(-0.5, 0.5);
    DrawCarFromBehind(p, rivalX, yAt(rivalS), 34 + 130 * rivalS * 0.4, t.second);
    DrawCarFromBehind(p, 160 + rng.range(-25, 25), 232, 104, t.accent);

    HudBox(p, QRectF(236, 200, 76, 32));
    ShadowText(p, QRectF(236, 198, 72, 22), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(rng.between(120, 290)), UiFont(18, true));
    ShadowText(p, QRectF(236, 216, 72, 14), Qt::AlignRight | Qt::AlignVCenter, u"km/h"_s, UiFont(10));
    HudBox(p, QRectF(8, 28, 70, 34));
    ShadowText(p, QRectF(12, 28, 64, 16), Qt::AlignLeft | Qt::AlignVCenter,
               u"Runde %1/5"_s.arg(rng.between(1, 5)), UiFont(11, true));
    ShadowText(p, QRectF(12, 44, 64, 16), Qt::AlignLeft | Qt::AlignVCenter,
               u"Platz %1"_s.arg(rng.between(1, 8)), UiFont(11), QColor(255, 220, 90));
}

// ---- strategy map ----

// Smooth random heights: a coarse grid of values, bilinearly blended, plus a finer layer.
class Terrain {
public:
    explicit Terrain(SplitMix &rng)
    {
        for (double &v : coarse_)
            v = rng.unit();
        for (double &v : fine_)
            v = rng.unit();
    }
    // u and v from 0 to 1 across the map.
    double height(double u, double v) const
    {
        return 0.82 * sample(coarse_.data(), 5, u, v) + 0.18 * sample(fine_.data(), 11, u, v);
    }

private:
    static double sample(const double *grid, int n, double u, double v)
    {
        const double x = u * (n - 1), y = v * (n - 1);
        const int x0 = std::min(int(x), n - 2), y0 = std::min(int(y), n - 2);
        const double fx = x - x0, fy = y - y0;
        const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const double top = Lerp(grid[y0 * n + x0], grid[y0 * n + x0 + 1], sx);
        const double bottom = Lerp(grid[(y0 + 1) * n + x0], grid[(y0 + 1) * n + x0 + 1], sx);
        return Lerp(top, bottom, sy);
    }
    std::array<double, 25> coarse_{};
    std::array<double, 121> fine_{};
};

enum class Ground { Deep, Water, Sand, Grass, Forest, Hill, Mountain };

Ground GroundAt(double height)
{
    if (height < 0.30) return Ground::Deep;
    if (height < 0.40) return Ground::Water;
    if (height < 0.44) return Ground::Sand;
    if (height < 0.62) return Ground::Grass;
    if (height < 0.72) return Ground::Forest;
    if (height < 0.80) return Ground::Hill;
    return Ground::Mountain;
}

QColor GroundColour(Ground g, int shift)
{
    switch (g) {
    case Ground::Deep: return Hsv(215 + shift, 170, 125);
    case Ground::Water: return Hsv(205 + shift, 150, 175);
    case Ground::Sand: return Hsv(45, 90, 215);
    case Ground::Grass: return Hsv(95 + shift, 140, 160);
    case Ground::Forest: return Hsv(105 + shift, 160, 120);
    case Ground::Hill: return Hsv(60 + shift, 90, 135);
    case Ground::Mountain: return Hsv(30, 25, 150);
    }
    return Qt::black;
}

void DrawUnit(QPainter &p, QPointF at, const QColor &colour)
{
    p.setPen(QPen(colour.darker(220), 1));
    p.setBrush(colour);
    p.drawRect(QRectF(at.x() - 3.5, at.y() - 3.5, 7, 7));
    p.setPen(QPen(QColor(40, 30, 20), 1));
    p.drawLine(QPointF(at.x() + 3.5, at.y() - 3.5), QPointF(at.x() + 3.5, at.y() - 10));
    p.setPen(Qt::NoPen);
    p.setBrush(colour.lighter(130));
    p.drawRect(QRectF(at.x() + 4, at.y() - 10, 5, 3.5));
}

void DrawCastle(QPainter &p, QPointF at, const QColor &colour)
{
    p.setPen(QPen(QColor(40, 35, 30), 1));
    p.setBrush(QColor(175, 165, 150));
    p.drawRect(QRectF(at.x() - 11, at.y() - 8, 22, 14));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(at.x() - 11 + i * 6, at.y() - 11, 4, 3));
    p.setBrush(QColor(60, 45, 35));
    p.drawRect(QRectF(at.x() - 3, at.y() - 1, 6, 7));
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(at.x(), at.y() - 20, 7, 4));
    p.setPen(QPen(QColor(40, 35, 30), 1));
    p.drawLine(QPointF(at.x(), at.y() - 20), QPointF(at.x(), at.y() - 11));
}

void DrawMap(QPainter &p, SplitMix &rng, const Tint &t)
{
    constexpr int kTile = 12, kCols = 20, kRows = 19;
    const Terrain terrain(rng);
    const int shift = t.hue % 21 - 10;
    const auto heightAt = [&](int col, int row) { return terrain.height((col + 0.5) / kCols, (row + 0.5) / kRows); };
    p.setPen(Qt::NoPen);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            const Ground g = GroundAt(heightAt(col, row));
            const QRectF tile(col * kTile, kTitleBand + row * kTile, kTile, kTile);
            p.fillRect(tile, GroundColour(g, shift).lighter(100 + rng.between(-4, 4)));
            if (g == Ground::Forest) {
                p.setBrush(Hsv(110 + shift, 190, 80));
                p.drawEllipse(QRectF(tile.x() + 1, tile.y() + 2, 6, 6));
                p.drawEllipse(QRectF(tile.x() + 5, tile.y() + 5, 6, 6));
            } else if (g == Ground::Mountain) {
                p.setBrush(QColor(115, 105, 95));
                p.drawPolygon(QPolygonF{{tile.left() + 1, tile.bottom() - 1}, {tile.center().x(), tile.top() + 1},
                                        {tile.right() - 1, tile.bottom() - 1}});
                p.setBrush(QColor(245, 245, 250));
                p.drawPolygon(QPolygonF{{tile.center().x() - 2.5, tile.top() + 4}, {tile.center().x(), tile.top() + 1},
                                        {tile.center().x() + 2.5, tile.top() + 4}});
            }
        }
    }
    p.setPen(QPen(QColor(0, 0, 0, 28), 1));
    for (int col = 1; col < kCols; ++col)
        p.drawLine(QPointF(col * kTile, kTitleBand), QPointF(col * kTile, 240));
    for (int row = 1; row < kRows; ++row)
        p.drawLine(QPointF(0, kTitleBand + row * kTile), QPointF(240, kTitleBand + row * kTile));

    // Two armies on land, one around its castle with a selection frame.
    const auto landTile = [&](int colLow, int colHigh) {
        for (int attempt = 0; attempt < 40; ++attempt) {
            const int col = rng.between(colLow, colHigh), row = rng.between(2, kRows - 2);
            const Ground g = GroundAt(heightAt(col, row));
            if (g == Ground::Grass || g == Ground::Sand || g == Ground::Hill)
                return QPointF(col * kTile + kTile / 2.0, kTitleBand + row * kTile + kTile / 2.0);
        }
        return QPointF(colLow * kTile + 6.0, kTitleBand + 120);
    };
    const QPointF castle = landTile(2, 7);
    DrawCastle(p, castle, t.accent);
    QRectF selection(castle + QPointF(14, 0), QSizeF(0, 0));
    for (int i = 0; i < 3; ++i) {
        const QPointF at = castle + QPointF(20 + i * 10, 8 + (i % 2) * 9);
        DrawUnit(p, at, t.accent);
        selection = selection.united(QRectF(at - QPointF(6, 12), QSizeF(16, 18)));
    }
    p.setPen(QPen(QColor(120, 255, 120), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(selection);
    for (int i = 0; i < 3; ++i)
        DrawUnit(p, landTile(4, 12), t.accent);
    for (int i = 0; i < 6; ++i)
        DrawUnit(p, landTile(12, 18), t.second);
    DrawCastle(p, landTile(14, 18), t.second);

    // The command panel on the right.
    QLinearGradient metal(240, 0, 320, 0);
    metal.setColorAt(0, Hsv(t.hue, 35, 95));
    metal.setColorAt(1, Hsv(t.hue, 35, 60));
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(240, kTitleBand, 80, 240 - kTitleBand), metal);
    p.fillRect(QRectF(240, kTitleBand, 2, 240 - kTitleBand), QColor(0, 0, 0, 120));
    const QRectF minimap(247, 28, 66, 60);
    for (int y = 0; y < int(minimap.height()); ++y)
        for (int x = 0; x < int(minimap.width()); ++x)
            p.fillRect(QRectF(minimap.x() + x, minimap.y() + y, 1, 1),
                       GroundColour(GroundAt(terrain.height(x / minimap.width(), y / minimap.height())), shift));
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(minimap.x() + 4, minimap.y() + 6, 24, 20));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.drawRect(minimap.adjusted(-1, -1, 0, 0));

    const QFont small = UiFont(10);
    const std::array<QString, 3> resources{u"Gold"_s, u"Holz"_s, u"Stein"_s};
    for (int i = 0; i < 3; ++i) {
        ShadowText(p, QRectF(247, 92 + i * 13, 34, 13), Qt::AlignLeft | Qt::AlignVCenter, resources[i], small);
        ShadowText(p, QRectF(279, 92 + i * 13, 34, 13), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(rng.between(20, 2500)), small, QColor(255, 225, 120));
    }
    const std::array<QString, 4> buttons{u"Bauen"_s, u"Angreifen"_s, u"Handel"_s, u"Menü"_s};
    for (int i = 0; i < 4; ++i) {
        const QRectF button(247, 136 + i * 24, 66, 19);
        QLinearGradient face(0, button.top(), 0, button.bottom());
        face.setColorAt(0, Hsv(t.hue, 40, 150));
        face.setColorAt(1, Hsv(t.hue, 40, 100));
        p.setPen(QPen(QColor(20, 20, 20, 180), 1));
        p.setBrush(face);
        p.drawRect(button);
        ShadowText(p, button, Qt::AlignCenter, buttons[i], UiFont(10, true));
    }
}

// ---- space ----

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

void DrawSpace(QPainter &p, SplitMix &rng, const Tint &t)
{
    p.fillRect(QRectF(0, 0, 320, 240), Hsv(t.hue + 200, 120, 18));
    for (int i = 0; i < 2; ++i) {
        const QPointF at(rng.range(40, 280), rng.range(40, 200));
        QRadialGradient nebula(at, rng.range(90, 150));
        nebula.setColorAt(0, Hsv(t.hue + i * 70, 200, 140, 130));
        nebula.setColorAt(1, Hsv(t.hue + i * 70, 200, 40, 0));
        p.fillRect(QRectF(0, 0, 320, 240), nebula);
    }
    for (int i = 0; i < 190; ++i) {
        const QPointF at(rng.range(0, 320), rng.range(0, 240));
        const int light = rng.between(90, 255);
        const QColor star = Hsv(rng.chance(20) ? 40 : 220, rng.between(0, 60), light);
        const double size = rng.chance(12) ? 2 : 1;
        p.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), size, size), star);
        if (size > 1 && rng.chance(40)) {
            p.setPen(QPen(Hsv(220, 30, 255, 110), 1));
            p.drawLine(at + QPointF(-4, 1), at + QPointF(6, 1));
            p.drawLine(at + QPointF(1, -4), at + QPointF(1, 6));
        }
    }

    const QPointF planet(rng.range(50, 270), rng.range(70, 130));
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

// ---- football ----

void DrawPitch(QPainter &p, SplitMix &rng, const Tint &t)
{
    constexpr double far = 72, nearLine = 236;
    // Stands with a crowd of coloured dots.
    p.fillRect(QRectF(0, 0, 320, far), Hsv(t.hue + 180, 40, 50));
    p.setPen(Qt::NoPen);
    for (double y = kTitleBand + 2; y < far - 12; y += 4)
        for (double x = rng.range(0, 3); x < 320; x += rng.range(3, 5))
            p.fillRect(QRectF(x, y, 2.5, 2.5), Hsv(rng.below(360), rng.between(40, 160), rng.between(120, 230)));
    for (int b = 0; b < 8; ++b)
        p.fillRect(QRectF(b * 40, far - 12, 39, 9), b % 2 ? t.accent.darker(120) : QColor(235, 235, 235));

    const auto map = [&](double u, double v) {
        const double s = v / (1 + 0.6 * (1 - v)); // rows bunch up towards the far touchline
        const double y = Lerp(far + 2, nearLine, s);
        const double half = Lerp(135, 210, s);
        return QPointF(160 + (u - 0.5) * 2 * half, y);
    };
    p.fillRect(QRectF(0, far - 3, 320, 240), Hsv(110, 150, 105));
    for (int stripe = 0; stripe < 14; ++stripe) {
        const double u0 = stripe / 14.0, u1 = (stripe + 1) / 14.0;
        p.setBrush(Hsv(100 + t.hue % 15, 150, stripe % 2 ? 150 : 132));
        p.drawPolygon(QPolygonF{map(u0, 0), map(u1, 0), map(u1, 1), map(u0, 1)});
    }
    const auto polyline = [&](const std::vector<std::pair<double, double>> &points) {
        QPolygonF line;
        for (const auto &[u, v] : points)
            line << map(u, v);
        p.drawPolyline(line);
    };
    p.setPen(QPen(QColor(245, 245, 245, 230), 1.4));
    p.setBrush(Qt::NoBrush);
    polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
    polyline({{0.5, 0}, {0.5, 1}});
    QPolygonF circle;
    for (int a = 0; a <= 48; ++a) {
        const double angle = a * 2 * std::numbers::pi / 48;
        circle << map(0.5 + 0.087 * std::cos(angle), 0.5 + 0.135 * std::sin(angle));
    }
    p.drawPolyline(circle);
    for (const double side : {0.0, 1.0}) {
        const double depth = side == 0 ? 0.157 : 1 - 0.157, small = side == 0 ? 0.052 : 1 - 0.052;
        polyline({{side, 0.2}, {depth, 0.2}, {depth, 0.8}, {side, 0.8}});
        polyline({{side, 0.37}, {small, 0.37}, {small, 0.63}, {side, 0.63}});
        const QPointF post1 = map(side, 0.45), post2 = map(side, 0.55);
        polyline({{side, 0.45}, {side, 0.55}});
        p.drawLine(post1, post1 - QPointF(0, 12));
        p.drawLine(post2, post2 - QPointF(0, 13));
        p.drawLine(post1 - QPointF(0, 12), post2 - QPointF(0, 13));
    }

    // Players drawn back to front, so nearer ones overlap farther ones.
    struct Player { double u, v; bool home; };
    std::vector<Player> players;
    for (int i = 0; i < 9; ++i) {
        players.push_back({rng.range(0.08, 0.62), rng.range(0.05, 0.95), true});
        players.push_back({rng.range(0.38, 0.92), rng.range(0.05, 0.95), false});
    }
    std::sort(players.begin(), players.end(), [](const Player &a, const Player &b) { return a.v < b.v; });
    const QColor skin(230, 190, 150);
    for (const Player &pl : players) {
        const QPointF foot = map(pl.u, pl.v);
        const double s = 0.7 + 0.6 * pl.v;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawEllipse(foot, 5 * s, 1.8 * s);
        p.setBrush(QColor(30, 30, 30));
        p.drawRect(QRectF(foot.x() - 2.5 * s, foot.y() - 6 * s, 2 * s, 6 * s));
        p.drawRect(QRectF(foot.x() + 0.5 * s, foot.y() - 6 * s, 2 * s, 6 * s));
        p.setBrush(pl.home ? t.accent : t.second);
        p.drawRoundedRect(QRectF(foot.x() - 3.5 * s, foot.y() - 14 * s, 7 * s, 8.5 * s), 1.5, 1.5);
        p.setBrush(skin);
        p.drawEllipse(QPointF(foot.x(), foot.y() - 16.5 * s), 2.4 * s, 2.6 * s);
    }
    const QPointF ball = map(rng.range(0.3, 0.7), rng.range(0.3, 0.8));
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawEllipse(ball + QPointF(2, 1), 3, 1.2);
    p.setPen(QPen(QColor(40, 40, 40), 0.8));
    p.setBrush(Qt::white);
    p.drawEllipse(ball - QPointF(0, 4), 2.6, 2.6);

    HudBox(p, QRectF(6, 27, 118, 18));
    ShadowText(p, QRectF(10, 27, 110, 18), Qt::AlignLeft | Qt::AlignVCenter,
               u"Heim %1:%2 Gast"_s.arg(rng.between(0, 4)).arg(rng.between(0, 3)), UiFont(11, true));
    HudBox(p, QRectF(268, 27, 46, 18));
    ShadowText(p, QRectF(268, 27, 46, 18), Qt::AlignCenter, u"%1:%2"_s.arg(rng.between(1, 89)).arg(rng.between(0, 59), 2, 10, QLatin1Char('0')),
               UiFont(11, true), QColor(255, 230, 120));
}

// ---- flight ----

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
            QColor colour = Hsv(groundHue + rng.between(-18, 18), rng.between(80, 135), rng.between(105, 150));
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

// ---- adventure ----

void DrawLandscape(QPainter &p, SplitMix &rng, const Tint &t)
{
    const int time = rng.below(3); // day, dusk, night
    const int shift = t.hue % 31 - 15;
    QLinearGradient sky(0, 0, 0, 170);
    const std::array<QColor, 3> top{Hsv(210 + shift, 150, 210), Hsv(260 + shift, 110, 110), Hsv(230 + shift, 170, 45)};
    const std::array<QColor, 3> low{Hsv(195 + shift, 50, 250), Hsv(25 + shift, 190, 250), Hsv(235 + shift, 120, 95)};
    sky.setColorAt(0, top[time]);
    sky.setColorAt(1, low[time]);
    p.fillRect(QRectF(0, 0, 320, 200), sky);
    if (time == 2) {
        for (int i = 0; i < 70; ++i)
            p.fillRect(QRectF(rng.range(0, 320), rng.range(0, 120), 1, 1), QColor(255, 255, 230, rng.between(80, 255)));
    }
    const QPointF orb(rng.range(40, 280), time == 1 ? 120 : rng.range(40, 80));
    QRadialGradient glow(orb, 50);
    glow.setColorAt(0, time == 2 ? QColor(230, 235, 255, 120) : QColor(255, 240, 180, 180));
    glow.setColorAt(1, QColor(255, 240, 180, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(orb, 50, 50);
    p.setBrush(time == 2 ? QColor(240, 240, 225) : time == 1 ? QColor(255, 190, 90) : QColor(255, 250, 215));
    p.drawEllipse(orb, 12, 12);
    if (time != 2)
        DrawClouds(p, rng, 3, 30, 90, time == 1 ? 90 : 160);

    // Hills from far to near, paler with distance.
    const int land = rng.chance(30) ? 35 : 100 + shift;
    const std::array<int, 3> value{time == 2 ? 70 : 150, time == 2 ? 50 : 115, time == 2 ? 30 : 80};
    std::array<std::function<double(double)>, 3> ridge;
    for (int layer = 0; layer < 3; ++layer) {
        const double base = 128 + layer * 20, amplitude = 22 - layer * 5;
        const double freq = rng.range(0.012, 0.03), phase = rng.range(0, 6.28);
        ridge[layer] = [=](double x) { return base - amplitude * (0.5 + 0.5 * std::sin(x * freq + phase)); };
        QPolygonF hill;
        hill << QPointF(0, 200);
        for (int x = 0; x <= 320; x += 8)
            hill << QPointF(x, ridge[layer](x));
        hill << QPointF(320, 200);
        p.setBrush(Hsv(land + layer * 8, 70 + layer * 35, value[layer]));
        p.drawPolygon(hill);
        if (layer == 1) {
            // A tower on the middle hill with lit windows.
            const double x = rng.range(60, 260), ground = ridge[1](x);
            p.setBrush(Hsv(30, 30, value[1] + 40));
            p.drawRect(QRectF(x - 9, ground - 46, 18, 48));
            p.setBrush(Hsv(t.hue, 120, 120));
            p.drawPolygon(QPolygonF{{x - 12, ground - 46}, {x, ground - 66}, {x + 12, ground - 46}});
            p.setBrush(time == 0 ? QColor(40, 40, 50) : QColor(255, 220, 110));
            p.drawRect(QRectF(x - 3, ground - 38, 5, 7));
            p.drawRect(QRectF(x - 3, ground - 22, 5, 7));
        }
    }
    for (int i = 0; i < 5; ++i) {
        const double x = rng.range(0, 320), ground = ridge[2](x) + 6, h = rng.range(24, 44);
        p.setBrush(QColor(60, 40, 25));
        p.drawRect(QRectF(x - 2, ground - h * 0.3, 4, h * 0.3));
        p.setBrush(Hsv(land + 20, 150, value[2] - 25));
        p.drawPolygon(QPolygonF{{x - h * 0.3, ground - h * 0.25}, {x, ground - h}, {x + h * 0.3, ground - h * 0.25}});
    }
    QPainterPath path;
    path.moveTo(120, 200);
    path.cubicTo(140, 185, 220, 190, 200, 168);
    path.cubicTo(190, 160, 240, 155, 250, 150);
    p.setPen(QPen(Hsv(35, 90, value[2] + 70), 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);

    // The hero on the path.
    const QPointF hero(rng.range(130, 200), 190);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(hero, 8, 2.5);
    p.setBrush(QColor(50, 40, 60));
    p.drawRect(QRectF(hero.x() - 4, hero.y() - 12, 3, 12));
    p.drawRect(QRectF(hero.x() + 1, hero.y() - 12, 3, 12));
    p.setBrush(t.accent);
    p.drawRoundedRect(QRectF(hero.x() - 5.5, hero.y() - 27, 11, 16), 2, 2);
    p.setBrush(QColor(235, 195, 160));
    p.drawEllipse(QPointF(hero.x(), hero.y() - 31), 4, 4.5);

    // Verb panel.
    QLinearGradient panel(0, 200, 0, 240);
    panel.setColorAt(0, QColor(30, 24, 20));
    panel.setColorAt(1, QColor(12, 10, 8));
    p.fillRect(QRectF(0, 200, 320, 40), panel);
    const std::array<QString, 6> verbs{u"Gehe zu"_s, u"Nimm"_s, u"Benutze"_s, u"Öffne"_s, u"Rede mit"_s, u"Schau an"_s};
    const int chosen = rng.below(6);
    const std::array<QString, 5> things{u"Leuchtturm"_s, u"Brunnen"_s, u"Truhe"_s, u"Laterne"_s, u"Fischer"_s};
    p.setFont(UiFont(10));
    p.setPen(QColor(235, 235, 235));
    p.drawText(QRectF(0, 201, 320, 12), Qt::AlignCenter, verbs[chosen] + u' ' + rng.pick(things));
    for (int v = 0; v < 6; ++v) {
        const QRectF cell(6 + (v % 3) * 62, 214 + (v / 3) * 12, 62, 12);
        p.setPen(v == chosen ? QColor(255, 220, 90) : Hsv(t.hue + 160, 80, 200));
        p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, verbs[v]);
    }
    for (int slot = 0; slot < 4; ++slot) {
        const QRectF box(196 + slot * 30, 214, 26, 22);
        p.setPen(QPen(QColor(90, 75, 60), 1));
        p.setBrush(QColor(45, 36, 28));
        p.drawRect(box);
        if (slot < 3) {
            p.setPen(Qt::NoPen);
            p.setBrush(Hsv(t.hue + slot * 90, 140, 210));
            p.drawEllipse(box.center(), 6, 5);
        }
    }
}

// ---- puzzle ----

void DrawBlock(QPainter &p, const QRectF &cell, const QColor &colour)
{
    p.fillRect(cell, colour);
    p.fillRect(QRectF(cell.x(), cell.y(), cell.width(), 2), colour.lighter(150));
    p.fillRect(QRectF(cell.x(), cell.y(), 2, cell.height()), colour.lighter(130));
    p.fillRect(QRectF(cell.x(), cell.bottom() - 2, cell.width(), 2), colour.darker(170));
    p.fillRect(QRectF(cell.right() - 2, cell.y(), 2, cell.height()), colour.darker(140));
}

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

void DrawTitleBand(QPainter &p, const QString &title, const Tint &t)
{
    QLinearGradient band(0, 0, 0, kTitleBand);
    band.setColorAt(0, QColor(0, 0, 0, 210));
    band.setColorAt(1, QColor(0, 0, 0, 150));
    p.fillRect(QRectF(0, 0, 320, kTitleBand), band);
    p.fillRect(QRectF(0, kTitleBand - 2, 320, 2), t.accent);
    const QFont font = UiFont(14, true);
    const QString shown = QFontMetrics(font).elidedText(title, Qt::ElideRight, 304);
    ShadowText(p, QRectF(8, 0, 304, kTitleBand - 2), Qt::AlignLeft | Qt::AlignVCenter, shown, font);
}

using SceneFunction = void (*)(QPainter &, SplitMix &, const Tint &);

SceneFunction SceneFor(const QString &genre, SplitMix &rng)
{
    static const std::array<std::pair<QString, SceneFunction>, 8> scenes{{
        {u"Rennspiel"_s, DrawTrack},
        {u"Strategie"_s, DrawMap},
        {u"Action"_s, DrawSpace},
        {u"Rollenspiel"_s, DrawDungeon},
        {u"Sport"_s, DrawPitch},
        {u"Simulation"_s, DrawCockpit},
        {u"Adventure"_s, DrawLandscape},
        {u"Denkspiel"_s, DrawBlocks},
    }};
    for (const auto &[name, scene] : scenes)
        if (name == genre)
            return scene;
    return scenes[rng.below(int(scenes.size()))].second;
}

} // namespace

QImage DrawScreenshot(const QString &title, const QString &genre, quint64 seed)
{
    SplitMix rng(seed);
    Tint t;
    t.hue = rng.below(360);
    t.accent = Hsv(t.hue, 200, 230);
    t.second = Hsv(t.hue + rng.between(120, 240), 170, 235);
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    SceneFor(genre, rng)(p, rng, t);
    DrawTitleBand(p, title, t);
    p.end();
    return image;
}

QImage DrawFallbackPicture()
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, 240);
    background.setColorAt(0, QColor(52, 62, 78));
    background.setColorAt(1, QColor(22, 27, 36));
    p.fillRect(image.rect(), background);
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int d = -240; d < 320; d += 8)
        p.drawLine(QPointF(d, 240), QPointF(d + 240, 0));

    const QRectF panel(40, 48, 240, 144);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(QColor(255, 255, 255, 18));
    p.drawRoundedRect(panel, 8, 8);

    // A framed landscape, the usual sign for "picture", in muted tones.
    const QRectF frame(130, 66, 60, 44);
    p.setPen(QPen(QColor(170, 180, 195), 2));
    p.setBrush(QColor(38, 46, 60));
    p.drawRoundedRect(frame, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 132, 150));
    p.drawPolygon(QPolygonF{{frame.left() + 6, frame.bottom() - 6}, {frame.left() + 24, frame.top() + 18},
                            {frame.left() + 36, frame.bottom() - 14}, {frame.left() + 42, frame.top() + 24},
                            {frame.right() - 6, frame.bottom() - 6}});
    p.setBrush(QColor(200, 170, 110));
    p.drawEllipse(QPointF(frame.right() - 14, frame.top() + 12), 5, 5);
    p.setPen(QPen(QColor(200, 120, 110), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(frame.left() - 4, frame.bottom() + 4), QPointF(frame.right() + 4, frame.top() - 4));

    p.setPen(QColor(232, 236, 242));
    p.setFont(UiFont(20, true));
    p.drawText(QRectF(panel.x(), 124, panel.width(), 28), Qt::AlignCenter, u"Kein Bild vorhanden"_s);
    p.setPen(QColor(160, 170, 185));
    p.setFont(UiFont(11));
    p.drawText(QRectF(panel.x(), 154, panel.width(), 18), Qt::AlignCenter, u"Zu diesem Test gibt es keinen Screenshot."_s);
    p.end();
    return image;
}
