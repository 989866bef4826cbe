#pragma once

// A picture control: a static image at its natural pixel size, one image
// pixel per screen pixel, never stretched. It reports a click (the left
// button released inside it) for the commands that a window binds to it; a
// picture without a command ignores its clicks.

#include <QPixmap>
#include <QWidget>

namespace windows {

class PictureControl : public QWidget
{
    Q_OBJECT

public:
    PictureControl(const QPixmap &pixmap, QWidget *parent = nullptr);

    const QPixmap &pixmap() const { return m_pixmap; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_pixmap;
};

} // namespace windows
