#pragma once

// The video surface drawn through OpenGL: mpv's OpenGL render context in a
// native GL window embedded in the widget, which owns only that render
// context.

#include "video_surface.h"

struct mpv_render_context;

namespace player {

class GlVideoSurface : public VideoSurface
{
    Q_OBJECT

public:
    explicit GlVideoSurface(MpvHandle handle, QWidget *parent = nullptr);
    ~GlVideoSurface() override;

protected:
    void onRenderUpdate() override;
    void blankChanged() override;
    void skipPendingFrame() override;
    bool hasPendingFrame() const override { return m_framePending; }

private:
    class Canvas;
    friend class Canvas;

    void initialiseRender();
    void paint();
    void renderFrame(bool skip);
    void freeRenderContext();

    MpvHandle m_handle;
    Canvas *m_canvas = nullptr;
    mpv_render_context *m_render = nullptr;
    bool m_framePending = false;
    QMetaObject::Connection m_contextGone;
};

} // namespace player
