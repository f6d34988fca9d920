#include "TImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResource>
#include <QtEndian>

#include <utility>

TImage::TImage(QWidget *parent, const QString &name, const QRect &bounds) : QWidget(parent)
{
    setObjectName(name);
    setGeometry(bounds);
}

namespace {

// An uncompressed 8-bit BMP (what the skin is made of) straight into the screen's format,
// one palette look-up per pixel; anything else is read by the image library and converted.
QImage ReadScreenPicture(const QString &path)
{
    const QByteArray bytes = QResource(path).uncompressedData();
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(data + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(data + at); };
    constexpr qsizetype kHeaders = 14 + 40;
    if (bytes.size() >= kHeaders && data[0] == 'B' && data[1] == 'M' && u32(14) == 40 && u16(26) == 1
        && u16(28) == 8 && u32(30) == 0) {
        const qint32 width = qint32(u32(18)), height = qint32(u32(22)); // positive height: bottom row first
        const quint32 colours = u32(46) == 0 ? 256 : u32(46);
        const qint64 stride = (qint64(width) + 3) / 4 * 4;
        const qint64 pixels = u32(10);
        if (width > 0 && height > 0 && width <= 4096 && height <= 4096 && colours <= 256
            && kHeaders + 4 * qint64(colours) <= pixels && pixels + stride * height <= bytes.size()) {
            QRgb palette[256] = {};
            for (quint32 c = 0; c < colours; ++c) {
                const uchar *entry = data + kHeaders + 4 * c; // blue, green, red, unused
                palette[c] = qRgb(entry[2], entry[1], entry[0]);
            }
            QImage image(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y) {
                const uchar *row = data + pixels + stride * (height - 1 - y);
                auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
                for (int x = 0; x < width; ++x)
                    out[x] = palette[row[x]];
            }
            return image;
        }
    }
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

} // namespace

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
    picture_ = ReadScreenPicture(std::exchange(pictureFile_, QString()));
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
