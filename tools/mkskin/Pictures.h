#pragma once

#include <QImage>
#include <QString>

#include <vector>

struct SkinPicture {
    QString name; // file name without ".bmp"
    QImage image;
    // Pictures shown over one another share a palette, so their common colours match exactly.
    QString paletteGroup;
};

// Every picture of the skin, in a fixed order.
std::vector<SkinPicture> DrawSkin();

// Window backgrounds (Backgrounds.cpp).
QImage DrawReviewPage();
QImage DrawTablePage();
QImage DrawTipsPage();
QImage DrawFallbackPicture();

// Buttons (Buttons.cpp). Faces sit on the button panel's colour.
enum class Lamp { None, Dark, Lit };
QImage DrawFaceButton(const QString &label, Lamp lamp = Lamp::None);
enum class ArrowDirection { Left, Right };
QImage DrawArrowButton(ArrowDirection direction);
QImage DrawMinimiseButton();

// Badges (Badges.cpp), drawn over the part of the review page they cover.
enum class AwardMetal { Gold, Platinum };
QImage DrawAwardBadge(const QImage &reviewPage, AwardMetal metal);
QImage DrawExtraCdBadge(const QImage &reviewPage);
