// Scenes on open ground: the race track, the strategy map, the football pitch and the adventure landscape.
#include "SceneDrawing.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

using namespace Qt::StringLiterals;

namespace scenes {

// ---- racing ----

namespace {

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

} // namespace

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

namespace {

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

} // namespace

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

// ---- football ----

void DrawPitch(QPainter &p, SplitMix &rng, const Tint &t)
{
    constexpr double far = 72, nearLine = 236;
    // Stands with a crowd of coloured dots.
    p.fillRect(QRectF(0, 0, 320, far), Hsv(t.hue + 180, 40, 50));
    p.setPen(Qt::NoPen);
    for (double y = kTitleBand + 2; y < far - 12; y += 4)
        for (double x = rng.range(0, 3); x < 320; x += rng.range(3, 5))
        {
            const int hue = rng.below(360), saturation = rng.between(40, 160); // drawn in this order
            p.fillRect(QRectF(x, y, 2.5, 2.5), Hsv(hue, saturation, rng.between(120, 230)));
        }
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
    const double ballX = rng.range(0.3, 0.7);
    const QPointF ball = map(ballX, rng.range(0.3, 0.8));
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
        {
            const QRectF star{rng.range(0, 320), rng.range(0, 120), 1, 1};
            p.fillRect(star, QColor(255, 255, 230, rng.between(80, 255)));
        }
    }
    const QPointF orb{rng.range(40, 280), time == 1 ? 120 : rng.range(40, 80)};
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

} // namespace scenes
