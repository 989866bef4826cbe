#pragma once

// The video picture of one player: mpv's render context drawn into a
// widget. Each process draws its pictures one way, chosen when its first
// player is made (surface_choice.h): through OpenGL where the GPU is a real
// one, in software where OpenGL is a software rasteriser or missing. Both
// answer every frame mpv offers: drawn while the window is on screen,
// skipped while it is hidden or minimised, so that playback goes on behind
// a hidden window instead of waiting for a paint.

#include "mpv_handle.h"

#include <QWidget>

struct mpv_render_context;
struct mpv_render_param;

namespace player {

class VideoSurface : public QWidget
{
    Q_OBJECT

public:
    // A surface of this process's kind for the core.
    static VideoSurface *create(MpvHandle handle, QWidget *parent);

    // A blank surface shows black instead of mpv's last picture, which mpv
    // would draw again until the next file's first frame.
    void setBlank(bool blank);
    bool isBlank() const { return m_blank; }

signals:
    // The render context exists: the engine may open media now.
    void renderReady();
    // No render context can be made: this player can draw nothing.
    void renderFailed();
    // A video frame was drawn on screen.
    void framePresented();

protected:
    explicit VideoSurface(QWidget *parent);

    // Whether a frame drawn now would reach the screen.
    bool isOnScreen() const;
    // Creates a render context for the core from `params`, its update calls
    // reaching onRenderUpdate() on the GUI thread; null, logged, on failure.
    mpv_render_context *createRenderContext(mpv_handle *core, mpv_render_param *params);
    // mpv has something new to draw: called on the GUI thread.
    virtual void onRenderUpdate() = 0;

    // Watches the top-level window: a frame offered while the window is on
    // screen and left unpainted as it hides must still be taken.
    void watchTheWindow();

    // Draws black or the picture again, after setBlank().
    virtual void blankChanged() = 0;
    // Takes a frame that mpv offered without drawing it.
    virtual void skipPendingFrame() = 0;
    virtual bool hasPendingFrame() const = 0;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_blank = true;
};

} // namespace player
