#include "bare_player.h"

#include <QMetaObject>
#include <QOpenGLContext>
#include <clocale>

namespace bench {

BarePlayer::BarePlayer() = default;

BarePlayer::~BarePlayer()
{
    if (!m_mpv)
        return;
    makeCurrent();
    mpv_render_context_free(m_render);
    doneCurrent();
    mpv_terminate_destroy(m_mpv);
}

double BarePlayer::position() const
{
    double seconds = 0;
    if (m_mpv)
        mpv_get_property(m_mpv, "time-pos", MPV_FORMAT_DOUBLE, &seconds);
    return seconds;
}

void BarePlayer::open(const QString &location)
{
    if (!m_mpv)
        createCore();
    const QByteArray address = location.toUtf8();
    const char *args[] = {"loadfile", address.constData(), nullptr};
    mpv_command_async(m_mpv, 0, args);
}

void BarePlayer::createCore()
{
    std::setlocale(LC_NUMERIC, "C");
    m_mpv = mpv_create();
    mpv_set_option_string(m_mpv, "vo", "libmpv");
    mpv_set_option_string(m_mpv, "audio-fallback-to-null", "yes");
    mpv_initialize(m_mpv);
    makeCurrent();
    mpv_opengl_init_params gl{[](void *, const char *name) -> void * {
                                  return reinterpret_cast<void *>(
                                      QOpenGLContext::currentContext()->getProcAddress(name));
                              },
                              nullptr};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_create(&m_render, m_mpv, params);
    mpv_render_context_set_update_callback(
        m_render,
        [](void *self) {
            QMetaObject::invokeMethod(
                static_cast<BarePlayer *>(self),
                [window = static_cast<BarePlayer *>(self)] {
                    if (mpv_render_context_update(window->m_render) & MPV_RENDER_UPDATE_FRAME) {
                        window->m_framePending = true;
                        window->update();
                    }
                },
                Qt::QueuedConnection);
        },
        this);
    doneCurrent();
}

void BarePlayer::paintGL()
{
    if (!m_render)
        return;
    mpv_opengl_fbo fbo{int(defaultFramebufferObject()), width(), height(), 0};
    int flip = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &flip},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_render, params);
    if (m_framePending) {
        m_framePending = false;
        ++m_frames;
    }
}

} // namespace bench
