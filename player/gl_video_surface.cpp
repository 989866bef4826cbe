#include "gl_video_surface.h"

#include "logging.h"

#include <QMetaObject>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QVBoxLayout>
#include <mpv/render_gl.h>

namespace player {
namespace {

void *procAddress(void *, const char *name)
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void *>(context->getProcAddress(name)) : nullptr;
}

} // namespace

class GlVideoSurface::Canvas : public QOpenGLWidget
{
public:
    explicit Canvas(GlVideoSurface *surface) : QOpenGLWidget(surface), m_surface(surface) {}

protected:
    void initializeGL() override { m_surface->initialiseRender(); }
    void paintGL() override { m_surface->paint(); }

private:
    GlVideoSurface *m_surface;
};

GlVideoSurface::GlVideoSurface(MpvHandle handle, QWidget *parent)
    : VideoSurface(parent), m_handle(std::move(handle))
{
    m_canvas = new Canvas(this);
    // Mouse and keys go where they would go without the canvas.
    m_canvas->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_canvas->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_canvas);
}

GlVideoSurface::~GlVideoSurface()
{
    // The canvas's own destructor destroys the GL context and would call
    // back into this object after it has stopped being a GlVideoSurface.
    disconnect(m_contextGone);
    freeRenderContext();
}

void GlVideoSurface::initialiseRender()
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
    m_render = createRenderContext(m_handle.get(), params);
    if (!m_render)
        return;
    // The GL context goes away with the top-level window; the render context must go first.
    m_contextGone = connect(m_canvas->context(), &QOpenGLContext::aboutToBeDestroyed, this,
                            &GlVideoSurface::freeRenderContext, Qt::DirectConnection);
    watchTheWindow();
    emit renderReady();
}

void GlVideoSurface::blankChanged()
{
    m_canvas->update();
}

void GlVideoSurface::paint()
{
    if (isBlank()) {
        QOpenGLFunctions *gl = m_canvas->context()->functions();
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

void GlVideoSurface::onRenderUpdate()
{
    if (!m_render)
        return;
    if (!(mpv().renderContextUpdate(m_render) & MPV_RENDER_UPDATE_FRAME))
        return;
    m_framePending = true;
    if (isOnScreen())
        m_canvas->update();
    else
        skipPendingFrame();
}

void GlVideoSurface::skipPendingFrame()
{
    m_canvas->makeCurrent();
    renderFrame(true);
    m_canvas->doneCurrent();
}

void GlVideoSurface::renderFrame(bool skip)
{
    m_framePending = false;
    if (!m_render)
        return;
    const qreal ratio = m_canvas->devicePixelRatioF();
    mpv_opengl_fbo fbo{static_cast<int>(m_canvas->defaultFramebufferObject()),
                       static_cast<int>(m_canvas->width() * ratio),
                       static_cast<int>(m_canvas->height() * ratio), 0};
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

void GlVideoSurface::freeRenderContext()
{
    if (!m_render)
        return;
    // The render context is freed with its GL context current, before the core goes.
    m_canvas->makeCurrent();
    mpv().renderContextSetUpdateCallback(m_render, nullptr, nullptr);
    mpv().renderContextFree(m_render);
    m_render = nullptr;
    m_canvas->doneCurrent();
}

} // namespace player
