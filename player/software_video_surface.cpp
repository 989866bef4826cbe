#include "software_video_surface.h"

#include "logging.h"

#include <QMetaObject>
#include <QPainter>
#include <QtEndian>
#include <mpv/render.h>

namespace player {
namespace {

// mpv's converters are fastest with rows and pixels on 64-byte boundaries.
constexpr qsizetype kAlignment = 64;

// QImage::Format_RGB32 keeps a pixel as the number 0xffRRGGBB; in memory
// that is B, G, R, then the unused byte on a little-endian machine.
constexpr const char *kPixelFormat =
    QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "bgr0" : "0rgb";

} // namespace

SoftwareVideoSurface::SoftwareVideoSurface(MpvHandle handle, QWidget *parent)
    : VideoSurface(parent), m_handle(std::move(handle))
{
    // The image covers every pixel: nothing behind it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (!m_handle)
        return;
    const char *api = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(api)},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    m_render = createRenderContext(m_handle.get(), params);
    if (!m_render)
        return;
    // Those who wait for the signal connect to it after the surface is made.
    QMetaObject::invokeMethod(
        this,
        [this] {
            watchTheWindow();
            emit renderReady();
        },
        Qt::QueuedConnection);
}

SoftwareVideoSurface::~SoftwareVideoSurface()
{
    if (!m_render)
        return;
    // The render context goes before the core does.
    mpv().renderContextSetUpdateCallback(m_render, nullptr, nullptr);
    mpv().renderContextFree(m_render);
}

void SoftwareVideoSurface::onRenderUpdate()
{
    if (!m_render)
        return;
    if (!(mpv().renderContextUpdate(m_render) & MPV_RENDER_UPDATE_FRAME))
        return;
    m_framePending = true;
    if (isOnScreen() && !isBlank())
        drawFrame();
    else
        skipPendingFrame();
}

void SoftwareVideoSurface::skipPendingFrame()
{
    render(true);
}

void SoftwareVideoSurface::drawFrame()
{
    render(false);
    m_framePainted = false;
    // Only what is seen of the surface: an opaque widget lying on it (a
    // window's list on its player) is not painted again with each frame.
    update(visibleRegion());
}

void SoftwareVideoSurface::blankChanged()
{
    // Leaving the blank state draws the current frame again at once.
    if (!isBlank() && m_render)
        drawFrame();
    else
        update();
}

void SoftwareVideoSurface::resizeEvent(QResizeEvent *event)
{
    VideoSurface::resizeEvent(event);
    m_image = QImage();
    // mpv draws the current frame again at the new size.
    if (!isBlank() && m_render && isVisible())
        drawFrame();
}

void SoftwareVideoSurface::showEvent(QShowEvent *event)
{
    VideoSurface::showEvent(event);
    // Frames offered while hidden were skipped: draw the current one.
    if (!isBlank() && m_render)
        drawFrame();
}

bool SoftwareVideoSurface::ensureImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = (QSizeF(this->size()) * ratio).toSize();
    if (size.isEmpty())
        return false;
    if (m_image.size() == size)
        return true;
    const qsizetype stride =
        (qsizetype(size.width()) * 4 + kAlignment - 1) / kAlignment * kAlignment;
    m_pixels.reset(static_cast<uchar *>(std::aligned_alloc(kAlignment, stride * size.height())));
    if (!m_pixels) {
        m_image = QImage();
        return false;
    }
    m_image = QImage(m_pixels.get(), size.width(), size.height(), stride, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(Qt::black);
    return true;
}

void SoftwareVideoSurface::render(bool skip)
{
    m_framePending = false;
    if (!m_render)
        return;
    const bool draw = !skip && ensureImage();
    int size[2] = {m_image.width(), m_image.height()};
    size_t stride = size_t(m_image.bytesPerLine());
    int skipRendering = draw ? 0 : 1;
    // Never let the GUI thread wait for the frame's display time.
    int blockForTargetTime = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, size},
        {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char *>(kPixelFormat)},
        {MPV_RENDER_PARAM_SW_STRIDE, &stride},
        {MPV_RENDER_PARAM_SW_POINTER, draw ? m_pixels.get() : nullptr},
        {MPV_RENDER_PARAM_SKIP_RENDERING, &skipRendering},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (const int error = mpv().renderContextRender(m_render, params); error < 0 && draw)
        qCWarning(lcPlayer) << "cannot draw the video frame:" << mpv().errorString(error);
}

void SoftwareVideoSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (isBlank() || m_image.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawImage(QPoint(0, 0), m_image);
    if (!m_framePainted) {
        m_framePainted = true;
        emit framePresented();
    }
}

} // namespace player
