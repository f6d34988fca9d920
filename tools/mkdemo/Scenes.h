#pragma once

#include <QImage>
#include <QString>

inline constexpr int kPictureWidth = 320;
inline constexpr int kPictureHeight = 240;

// A made-up screenshot for a game: a scene that fits its genre (an unknown genre gets one
// chosen by seed), colours varied by seed, and the title drawn in. Needs a QGuiApplication.
QImage DrawScreenshot(const QString &title, const QString &genre, quint64 seed);
