#include "video_surface.h"

#include "logging.h"

#include <QEvent>
#include <QMetaObject>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWindow>
#include <mpv/render_gl.h>

namespace player {
namespace {

void *procAddress(void *, const char *name)
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void *>(context->getProcAddress(name)) : nullptr;
}

} // namespace

VideoSurface::VideoSurface(MpvHandle handle, QWidget *parent)
    : QOpenGLWidget(parent), m_handle(std::move(handle))
{
    setObjectName(QStringLiteral("videoSurface"));
}

VideoSurface::~VideoSurface()
{
    // QOpenGLWidget's own destructor destroys the GL context and would call
    // back into this object after it has stopped being a VideoSurface.
    disconnect(m_contextGone);
    freeRenderContext();
}

void VideoSurface::initializeGL()
{
    if (m_render || !m_handle)
        return;
    mpv_opengl_init_params glInit{&procAddress, nullptr};
    const char *api = MPV_RENDER_API_TYPE_OPENGL;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(api)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (const int error = mpv().renderContextCreate(&m_render, m_handle.get(), params); error < 0) {
        qCWarning(lcPlayer) << "cannot create the video render context:"
                            << mpv().errorString(error);
        m_render = nullptr;
        return;
    }
    mpv().renderContextSetUpdateCallback(
        m_render,
        [](void *surface) {
            // Called on one of mpv's threads.
            QMetaObject::invokeMethod(static_cast<VideoSurface *>(surface),
                                      &VideoSurface::onRenderUpdate, Qt::QueuedConnection);
        },
        this);
    // The GL context goes away with the top-level window; the render context must go first.
    m_contextGone = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
                            &VideoSurface::freeRenderContext, Qt::DirectConnection);
    // Leaving the screen between an offered frame and its paint must not stall playback.
    window()->installEventFilter(this);
    if (QWindow *handle = window()->windowHandle())
        handle->installEventFilter(this);
    emit renderReady();
}

void VideoSurface::setBlank(bool blank)
{
    if (blank == m_blank)
        return;
    m_blank = blank;
    update();
}

void VideoSurface::paintGL()
{
    if (m_blank) {
        QOpenGLFunctions *gl = context()->functions();
        gl->glClearColor(0.0F, 0.0F, 0.0F, 1.0F);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        // mpv still waits for its frame to be taken.
        if (m_framePending)
            renderFrame(true);
        return;
    }
    const bool newFrame = m_framePending;
    renderFrame(false);
    if (newFrame)
        emit framePresented();
}

void VideoSurface::onRenderUpdate()
{
    if (!m_render)
        return;
    if (!(mpv().renderContextUpdate(m_render) & MPV_RENDER_UPDATE_FRAME))
        return;
    if (isOnScreen()) {
        m_framePending = true;
        update();
    } else {
        makeCurrent();
        renderFrame(true);
        doneCurrent();
    }
}

bool VideoSurface::isOnScreen() const
{
    const QWindow *handle = window()->windowHandle();
    return isVisible() && handle && handle->isExposed();
}

bool VideoSurface::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (m_framePending &&
        (type == QEvent::Hide || type == QEvent::Expose || type == QEvent::WindowStateChange)) {
        // Let the event take effect first, then see whether the frame can still be painted.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_framePending && !isOnScreen()) {
                    makeCurrent();
                    renderFrame(true);
                    doneCurrent();
                }
            },
            Qt::QueuedConnection);
    }
    return QOpenGLWidget::eventFilter(watched, event);
}

void VideoSurface::renderFrame(bool skip)
{
    m_framePending = false;
    if (!m_render)
        return;
    const qreal ratio = devicePixelRatioF();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()),
                       static_cast<int>(width() * ratio), static_cast<int>(height() * ratio), 0};
    // The widget's framebuffer reaches the screen through Qt's compositor,
    // which takes its rows top first: mpv draws bottom row first unless
    // told to flip, and the picture would show upside down.
    int flipY = 1;
    int skipRendering = skip ? 1 : 0;
    // Never let the GUI thread wait for the frame's display time.
    int blockForTargetTime = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_SKIP_RENDERING, &skipRendering},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv().renderContextRender(m_render, params);
}

void VideoSurface::freeRenderContext()
{
    if (!m_render)
        return;
    // The render context is freed with its GL context current, before the core goes.
    makeCurrent();
    mpv().renderContextSetUpdateCallback(m_render, nullptr, nullptr);
    mpv().renderContextFree(m_render);
    m_render = nullptr;
    doneCurrent();
}

} // namespace player
