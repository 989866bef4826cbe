#include "picture_control.h"

#include "toolkit/accessible_factory.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace windows {
namespace {

class PictureAccessible : public QAccessibleWidget
{
public:
    explicit PictureAccessible(PictureControl *picture) : QAccessibleWidget(picture) {}

    // Asked each time: the interface may be made before the picture is
    // told that it opens something.
    QAccessible::Role role() const override
    {
        return picture()->isActivatable() ? QAccessible::Link : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override
    {
        // A picture shows no text: its tooltip names it, unless a name was
        // given, to the widget or to the picture.
        if (t == QAccessible::Name) {
            for (const QString &name : {widget()->accessibleName(), picture()->spokenName()}) {
                if (!name.isEmpty())
                    return name;
            }
            return widget()->toolTip();
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (picture()->isActivatable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction() && picture()->isActivatable())
            emit picture()->clicked();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    PictureControl *picture() const { return static_cast<PictureControl *>(widget()); }
};

} // namespace

PictureControl::PictureControl(const QPixmap &pixmap, QWidget *parent)
    : QWidget(parent), m_pixmap(pixmap)
{
    // Screen readers see picture controls as images, and those that open
    // something as links with a press action.
    toolkit::installAccessibleInterface<PictureControl, PictureAccessible>();
    setFixedSize(m_pixmap.deviceIndependentSize().toSize());
    // The image covers the whole control: nothing beneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureControl::setActivatable(bool activatable)
{
    m_activatable = activatable;
    // Tab only: a mouse click opens the link and leaves no focus frame behind.
    setFocusPolicy(activatable ? Qt::TabFocus : Qt::NoFocus);
}

void PictureControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A picture of twice the detail on a screen of another ratio (1.5) is
    // scaled to it: smoothly, not by dropping pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, m_pixmap);
    // A frame only for focus that the keyboard moved: the window opens
    // with the focus here, and a mouse user sees no frame.
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    // The marks are small pictures on a photograph: the frame is drawn in
    // the highlight colour, solid, where the style's dotted one would vanish.
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
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

void PictureControl::keyPressEvent(QKeyEvent *event)
{
    const bool activates = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                           event->key() == Qt::Key_Space;
    if (m_activatable && activates && !(event->modifiers() & ~Qt::KeypadModifier)) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureControl::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void PictureControl::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

} // namespace windows
