#pragma once

#include "SplitMix.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

// Shared by the scene files; the namespace keeps these short names out of the test binary's way.
namespace scenes {

inline constexpr double kTitleBand = 22; // the title strip over the top of every scene

// Colours of one game: a hue and two contrasting team or player colours.
struct Tint {
    int hue = 0;
    QColor accent;
    QColor second;
};

QColor Hsv(int hue, int saturation, int value, int alpha = 255);
QFont UiFont(int pixelSize, bool bold = false);

// Text with a one-pixel shadow, readable on any background.
void ShadowText(QPainter &p, const QRectF &rect, int flags, const QString &text, const QFont &font,
                const QColor &colour = Qt::white);

void HudBox(QPainter &p, const QRectF &rect);
void Bar(QPainter &p, const QRectF &rect, double fill, const QColor &colour);

inline double Lerp(double a, double b, double t) { return a + (b - a) * t; }
inline QPointF Lerp(QPointF a, QPointF b, double t) { return a + (b - a) * t; }

// One scene per genre; each fills the whole 320x240 picture below the title band.
// OutdoorScenes.cpp:
void DrawTrack(QPainter &p, SplitMix &rng, const Tint &t);
void DrawMap(QPainter &p, SplitMix &rng, const Tint &t);
void DrawPitch(QPainter &p, SplitMix &rng, const Tint &t);
void DrawLandscape(QPainter &p, SplitMix &rng, const Tint &t);
// IndoorScenes.cpp:
void DrawSpace(QPainter &p, SplitMix &rng, const Tint &t);
void DrawDungeon(QPainter &p, SplitMix &rng, const Tint &t);
void DrawCockpit(QPainter &p, SplitMix &rng, const Tint &t);
void DrawBlocks(QPainter &p, SplitMix &rng, const Tint &t);

} // namespace scenes
