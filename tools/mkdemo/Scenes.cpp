#include "Scenes.h"
#include "SceneDrawing.h"

#include <QFontMetrics>
#include <QLinearGradient>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace scenes {

QColor Hsv(int hue, int saturation, int value, int alpha)
{
    return QColor::fromHsv(((hue % 360) + 360) % 360, std::clamp(saturation, 0, 255), std::clamp(value, 0, 255),
                           std::clamp(alpha, 0, 255));
}

QFont UiFont(int pixelSize, bool bold)
{
    QFont font;
    // "Arial" resolves to a metric twin where Arial itself is not installed.
    font.setFamilies({u"Arial"_s, u"Liberation Sans"_s, u"DejaVu Sans"_s});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void ShadowText(QPainter &p, const QRectF &rect, int flags, const QString &text, const QFont &font,
                const QColor &colour)
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

} // namespace scenes

namespace {

using namespace scenes;

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
    static const std::array<std::pair<QString, SceneFunction>, 8> byGenre{{
        {u"Rennspiel"_s, DrawTrack},
        {u"Strategie"_s, DrawMap},
        {u"Action"_s, DrawSpace},
        {u"Rollenspiel"_s, DrawDungeon},
        {u"Sport"_s, DrawPitch},
        {u"Simulation"_s, DrawCockpit},
        {u"Adventure"_s, DrawLandscape},
        {u"Denkspiel"_s, DrawBlocks},
    }};
    for (const auto &[name, scene] : byGenre)
        if (name == genre)
            return scene;
    return byGenre[rng.below(int(byGenre.size()))].second;
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
