#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRgb>
#include <QString>

#include <vector>

// The colours the renderer paints values with; palettes carry them exactly.
namespace ValueColour {
inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb TitleGrey = qRgb(156, 156, 156);
inline constexpr QRgb Red = qRgb(255, 0, 0);
inline constexpr QRgb Green = qRgb(0, 192, 0);
inline constexpr QRgb Amber = qRgb(255, 192, 0);
} // namespace ValueColour

// The skin's own flat colours; kept exact so pictures laid over each other match.
namespace SkinColour {
inline constexpr QRgb Maroon = qRgb(104, 20, 34);
inline constexpr QRgb MaroonDeep = qRgb(58, 10, 18);
inline constexpr QRgb MaroonLight = qRgb(160, 44, 56);
inline constexpr QRgb Gold = qRgb(222, 172, 58);
inline constexpr QRgb GoldLight = qRgb(255, 220, 120);
inline constexpr QRgb Paper = qRgb(244, 238, 226);
inline constexpr QRgb PaperTint = qRgb(234, 224, 204);
inline constexpr QRgb PaperRule = qRgb(200, 186, 166);
inline constexpr QRgb PaperShadow = qRgb(40, 8, 14);
inline constexpr QRgb Panel = qRgb(52, 44, 44);
inline constexpr QRgb PanelLight = qRgb(88, 78, 76);
inline constexpr QRgb PanelDark = qRgb(26, 20, 20);
inline constexpr QRgb Ink = qRgb(36, 28, 28);
inline constexpr QRgb Cream = qRgb(250, 240, 214);
} // namespace SkinColour

// Every flat colour above; each picture's palette starts with these.
std::vector<QRgb> SkinPaletteBase();

QImage BlankPicture(int width, int height, QRgb fill);

// Arial resolves to Liberation Sans here; pixel sizes keep text the same at any DPI.
QFont ArialFont(int pixelSize, bool bold = false, bool italic = false);

// Text with its own alignment inside `box`, optionally with a one-pixel drop shadow.
void DrawLabel(QPainter &painter, const QRect &box, const QString &text, const QFont &font, QRgb colour,
               Qt::Alignment alignment = Qt::AlignCenter);
void DrawShadowedLabel(QPainter &painter, const QRect &box, const QString &text, const QFont &font, QRgb colour,
                       QRgb shadow, Qt::Alignment alignment = Qt::AlignCenter);

// One-pixel outline just inside `box` (right and bottom exclusive).
void DrawOutline(QPainter &painter, const QRect &box, QRgb colour);

// The window's backdrop: maroon darkening downwards with a bevelled window edge.
void DrawBackdrop(QPainter &painter, int width, int height);

// A gold-lined frame just outside `inner`, with a shadow, for the screenshot and the grids.
void DrawPictureFrame(QPainter &painter, const QRect &inner);

// A dark recessed panel that the buttons sit on.
void DrawButtonPanel(QPainter &painter, const QRect &box);

// A soft shadow below and right of a button's place, so buttons look raised off the panel.
void DrawButtonShadow(QPainter &painter, const QRect &button);

// The program's name as a small wordmark.
void DrawWordmark(QPainter &painter, const QRect &box, int pixelSize);
