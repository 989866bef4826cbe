#pragma once

// The video surface drawn in software: mpv's software render context draws
// each frame into an image that a plain widget paints. Where OpenGL is
// itself a software rasteriser this costs less than any OpenGL path, and it
// needs no OpenGL at all.

#include "video_surface.h"

#include <QImage>
#include <cstdlib>
#include <memory>

struct mpv_render_context;

namespace player {

class SoftwareVideoSurface : public VideoSurface
{
    Q_OBJECT

public:
    explicit SoftwareVideoSurface(MpvHandle handle, QWidget *parent = nullptr);
    ~SoftwareVideoSurface() override;

protected:
    void onRenderUpdate() override;
    void blankChanged() override;
    void skipPendingFrame() override;
    bool hasPendingFrame() const override { return m_framePending; }

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void drawFrame();
    void render(bool skip);
    bool ensureImage();

    struct FreeMemory
    {
        void operator()(uchar *memory) const { std::free(memory); }
    };

    MpvHandle m_handle;
    mpv_render_context *m_render = nullptr;
    bool m_framePending = false;
    // A frame drawn into the image that has not reached the screen yet.
    bool m_framePainted = true;
    // Aligned for mpv's converters, which take their fast path only then.
    std::unique_ptr<uchar, FreeMemory> m_pixels;
    QImage m_image;
};

} // namespace player
