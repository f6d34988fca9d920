#include "TImage.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

TImage::TImage(QWidget *parent, const QString &name, const QRect &bounds) : QWidget(parent)
{
    setObjectName(name);
    setGeometry(bounds);
}

QImage &TImage::Picture()
{
    ReadPictureFile();
    return picture_;
}

void TImage::SetPicture(const QImage &picture)
{
    pictureFile_.clear();
    picture_ = picture;
    update();
}

void TImage::SetPictureFile(const QString &path)
{
    pictureFile_ = path;
    picture_ = QImage();
    update();
}

void TImage::ReadPictureFile()
{
    if (pictureFile_.isEmpty())
        return;
    // Renderers draw on it later: held in a format a painter can draw into.
    picture_ = QImage(std::exchange(pictureFile_, QString())).convertToFormat(QImage::Format_RGB32);
}

void TImage::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    pressed_ = false;
    setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

void TImage::SetLabel(const QString &label)
{
    setAccessibleName(label);
    setToolTip(label);
}

void TImage::paintEvent(QPaintEvent *)
{
    // Without a picture of its own it shows what lies below it.
    ReadPictureFile();
    if (!picture_.isNull())
        QPainter(this).drawImage(0, 0, picture_);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release of the left button over the picture.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit Click();
}
