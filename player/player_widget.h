#pragma once

// The media player embedded in every episode window. Setting URL opens that
// location and plays it (the player starts by itself), replacing whatever
// played before. The engine and the video surface come into being with the
// first URL: most windows never play, and each surface costs a GL context.

#include <QString>
#include <QWidget>

namespace player {

class Engine;
class VideoSurface;

class PlayerWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString URL READ url WRITE setUrl NOTIFY urlChanged)

public:
    explicit PlayerWidget(QWidget *parent = nullptr);
    ~PlayerWidget() override;

    // The text last given, exactly as given.
    QString url() const { return m_url; }
    void setUrl(const QString &url);

    // Stops playback; used when the application quits.
    void stop();

    // Null until the first URL.
    Engine *engine() const { return m_engine; }
    VideoSurface *surface() const { return m_surface; }

signals:
    void urlChanged(const QString &url);

private:
    bool ensureEngine();

    QString m_url;
    Engine *m_engine = nullptr;
    VideoSurface *m_surface = nullptr;
};

} // namespace player
