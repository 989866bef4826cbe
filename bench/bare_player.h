#pragma once

// The reference for the player's figures: the least a program must do to
// show video with libmpv's render API, in a QOpenGLWindow.

#include <QOpenGLWindow>
#include <mpv/client.h>
#include <mpv/render_gl.h>

namespace bench {

class BarePlayer : public QOpenGLWindow
{
public:
    BarePlayer();
    ~BarePlayer() override;

    // Creates the core and its render context with the first location, as
    // the application's player does, then opens it.
    void open(const QString &location);
    int framesShown() const { return m_frames; }
    double position() const;

protected:
    void paintGL() override;

private:
    void createCore();

    mpv_handle *m_mpv = nullptr;
    mpv_render_context *m_render = nullptr;
    int m_frames = 0;
    bool m_framePending = false;
};

} // namespace bench
