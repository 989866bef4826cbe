#pragma once

// A headless libmpv instance for checking that media really play. Its events
// are taken on the owning thread, queued there from mpv's wakeup callback, so
// they interleave with a MediaServer's socket events on that same thread.
// The application object must exist and LC_NUMERIC be "C" before creating one.

#include <QList>
#include <QObject>
#include <QStringList>
#include <optional>
#include <utility>

struct mpv_handle;

class MpvSession : public QObject
{
public:
    MpvSession(); // vo=null, ao=null, ytdl=no; warnings and errors are logged
    ~MpvSession() override;

    bool isReady() const { return m_ready; }
    void load(const QString &url);

    double timePos() const { return doubleProperty("time-pos").value_or(-1.0); }
    std::optional<double> doubleProperty(const char *name) const;
    std::optional<qint64> intProperty(const char *name) const;

    // Every end-file event so far: its mpv_end_file_reason and error code.
    QList<std::pair<int, int>> endings() const { return m_endings; }
    // mpv's own warnings and errors, for failure messages.
    QString log() const { return m_log.join(QString()); }

private:
    static void wakeup(void *self);
    void takeEvents();

    mpv_handle *m_mpv;
    bool m_ready = false;
    QList<std::pair<int, int>> m_endings;
    QStringList m_log;
};
