#pragma once

// The video picture of one player: a QOpenGLWidget that owns only mpv's
// render context. It answers every frame mpv offers: drawn while its window
// is on screen, skipped while the window is hidden or minimised, so that
// playback goes on behind a hidden window instead of waiting for a paint.

#include "mpv_handle.h"

#include <QOpenGLWidget>

struct mpv_render_context;

namespace player {

class VideoSurface : public QOpenGLWidget
{
    Q_OBJECT

public:
    explicit VideoSurface(MpvHandle handle, QWidget *parent = nullptr);
    ~VideoSurface() override;

    // A blank surface shows black instead of mpv's last picture, which mpv
    // would draw again until the next file's first frame.
    void setBlank(bool blank);
    bool isBlank() const { return m_blank; }

signals:
    // The render context exists: the engine may open media now.
    void renderReady();
    // A video frame was drawn on screen.
    void framePresented();

protected:
    void initializeGL() override;
    void paintGL() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onRenderUpdate();
    bool isOnScreen() const;
    void renderFrame(bool skip);
    void freeRenderContext();

    MpvHandle m_handle;
    mpv_render_context *m_render = nullptr;
    bool m_framePending = false;
    bool m_blank = true;
    QMetaObject::Connection m_contextGone;
};

} // namespace player
