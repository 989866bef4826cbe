#include "video_surface.h"

#include "gl_video_surface.h"
#include "software_video_surface.h"
#include "surface_choice.h"

#include <QEvent>
#include <QMetaObject>
#include <QWindow>

namespace player {

VideoSurface *VideoSurface::create(MpvHandle handle, QWidget *parent)
{
    if (surfaceKindOfThisProcess() == SurfaceKind::Gl)
        return new GlVideoSurface(std::move(handle), parent);
    return new SoftwareVideoSurface(std::move(handle), parent);
}

VideoSurface::VideoSurface(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("videoSurface"));
}

void VideoSurface::setBlank(bool blank)
{
    if (blank == m_blank)
        return;
    m_blank = blank;
    blankChanged();
}

bool VideoSurface::isOnScreen() const
{
    const QWindow *handle = window()->windowHandle();
    return isVisible() && handle && handle->isExposed();
}

void VideoSurface::watchTheWindow()
{
    window()->installEventFilter(this);
    if (QWindow *handle = window()->windowHandle())
        handle->installEventFilter(this);
}

bool VideoSurface::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (hasPendingFrame() &&
        (type == QEvent::Hide || type == QEvent::Expose || type == QEvent::WindowStateChange)) {
        // Let the event take effect first, then see whether the frame can still be painted.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (hasPendingFrame() && !isOnScreen())
                    skipPendingFrame();
            },
            Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace player
