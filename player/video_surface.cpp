#include "video_surface.h"

#include "gl_video_surface.h"
#include "logging.h"
#include "software_video_surface.h"
#include "surface_choice.h"

#include <QEvent>
#include <QMetaObject>
#include <QWindow>
#include <mpv/render.h>

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

mpv_render_context *VideoSurface::createRenderContext(mpv_handle *core, mpv_render_param *params)
{
    mpv_render_context *render = nullptr;
    if (const int error = mpv().renderContextCreate(&render, core, params); error < 0) {
        qCWarning(lcPlayer) << "cannot create the video render context:"
                            << mpv().errorString(error);
        // Those who wait for the surface connect to it after it is made.
        QMetaObject::invokeMethod(this, &VideoSurface::renderFailed, Qt::QueuedConnection);
        return nullptr;
    }
    mpv().renderContextSetUpdateCallback(
        render,
        [](void *context) {
            // Called on one of mpv's threads; dropped if the surface has gone.
            auto *surface = static_cast<VideoSurface *>(context);
            QMetaObject::invokeMethod(
                surface, [surface] { surface->onRenderUpdate(); }, Qt::QueuedConnection);
        },
        this);
    return render;
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
