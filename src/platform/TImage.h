#pragma once

#include <QImage>
#include <QWidget>

// A picture on a skinned window, shown unscaled from its top-left corner. Enabled with a
// click handler it is an image button; disabled it is still drawn but lets the pointer
// through to whatever lies below it.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent, const QString &name, const QRect &bounds);

    // The picture that renderers draw into; call Changed() after drawing.
    QImage &Picture();
    void SetPicture(const QImage &picture);
    // The picture of a file, read when it is first drawn or drawn into: a picture that is
    // hidden at first costs nothing before it is shown.
    void SetPictureFile(const QString &path);
    void Changed() { update(); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // An image button's label: what screen readers call it.
    void SetLabel(const QString &label);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void ReadPictureFile();

    QImage picture_;
    QString pictureFile_; // not read yet
    bool enabled_ = true;
    bool pressed_ = false;
};
