#include "player_widget.h"

#include "engine.h"
#include "video_surface.h"

#include <QVBoxLayout>

namespace player {

PlayerWidget::PlayerWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("WindowsMediaPlayer1"));
    setAutoFillBackground(true);
    QPalette idle = palette();
    idle.setColor(QPalette::Window, Qt::black);
    setPalette(idle);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

PlayerWidget::~PlayerWidget()
{
    // Teardown order: the render context (inside the surface, freed with its
    // GL context current) before the engine; the core itself goes with the
    // last of the two.
    delete m_surface;
    m_surface = nullptr;
    delete m_engine;
    m_engine = nullptr;
}

void PlayerWidget::setUrl(const QString &url)
{
    m_url = url;
    emit urlChanged(m_url);
    if (ensureEngine())
        m_engine->open(m_url);
}

void PlayerWidget::stop()
{
    if (m_engine)
        m_engine->stop();
}

bool PlayerWidget::ensureEngine()
{
    if (m_engine)
        return m_engine->isValid();
    m_engine = new Engine(this);
    if (!m_engine->isValid())
        return false;
    m_surface = new VideoSurface(m_engine->handle(), this);
    connect(m_surface, &VideoSurface::renderReady, m_engine, &Engine::setRenderReady);
    layout()->addWidget(m_surface);
    m_surface->show();
    return true;
}

} // namespace player
