#include "gl_video_surface.h"

#include "logging.h"

#include <QMetaObject>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWindow>
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

// A native GL window of its own, embedded in the surface: the frame goes
// straight to the screen, where a QOpenGLWidget would have the toolkit
// compose the whole top-level window through OpenGL on every frame. It
// lets all input through to the window beneath it, so that clicks, the
// wheel and keys reach the player as they do on the software surface.
class GlVideoSurface::Canvas : public QOpenGLWindow
{
public:
    explicit Canvas(GlVideoSurface *surface) : QOpenGLWindow(NoPartialUpdate), m_surface(surface)
    {
        setFlag(Qt::WindowTransparentForInput);
    }

protected:
    void initializeGL() override { m_surface->initialiseRender(); }
    void paintGL() override { m_surface->paint(); }
    // The X server exposes a grown child window only where it was not
    // before: the whole picture is drawn again at its new size.
    void resizeGL(int, int) override { update(); }
    void exposeEvent(QExposeEvent *event) override
    {
        QOpenGLWindow::exposeEvent(event);
        // Hidden or minimised: a frame mpv offered is taken without drawing.
        if (!isExposed() && m_surface->hasPendingFrame())
            m_surface->skipPendingFrame();
    }

private:
    GlVideoSurface *m_surface;
};

GlVideoSurface::GlVideoSurface(MpvHandle handle, QWidget *parent)
    : VideoSurface(parent), m_handle(std::move(handle))
{
    m_canvas = new Canvas(this);
    QWidget *container = QWidget::createWindowContainer(m_canvas, this);
    container->setObjectName(QStringLiteral("videoCanvas"));
    // A native container holds the canvas in the player's own place among
    // the window's native windows; otherwise the canvas is a child of the
    // top-level window and a native sibling of the player would cover it.
    container->setAttribute(Qt::WA_NativeWindow);
    // Mouse and keys go where they would go without the canvas.
    container->setAttribute(Qt::WA_TransparentForMouseEvents);
    container->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(container);
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
    if (isOnScreen() && m_canvas->isExposed())
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
    const qreal ratio = m_canvas->devicePixelRatio();
    mpv_opengl_fbo fbo{static_cast<int>(m_canvas->defaultFramebufferObject()),
                       static_cast<int>(m_canvas->width() * ratio),
                       static_cast<int>(m_canvas->height() * ratio), 0};
    // OpenGL's window framebuffer has its origin at the bottom left: mpv
    // draws top row first unless told to flip, and the picture would show
    // upside down.
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
