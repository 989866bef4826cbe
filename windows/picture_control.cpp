#include "picture_control.h"

#include <QMouseEvent>
#include <QPainter>

namespace windows {

PictureControl::PictureControl(const QPixmap &pixmap, QWidget *parent)
    : QWidget(parent), m_pixmap(pixmap)
{
    setFixedSize(m_pixmap.deviceIndependentSize().toSize());
    // The image covers the whole control: nothing beneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pixmap);
}

void PictureControl::mousePressEvent(QMouseEvent *event)
{
    // Taking the press makes the release come here, wherever it happens.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void PictureControl::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is the left button let go while still over the picture.
    const bool inside = rect().contains(event->position().toPoint());
    event->setAccepted(event->button() == Qt::LeftButton);
    if (event->button() == Qt::LeftButton && inside)
        emit clicked();
}

} // namespace windows
