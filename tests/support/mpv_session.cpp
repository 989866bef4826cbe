#include "mpv_session.h"

#include <mpv/client.h>

MpvSession::MpvSession() : m_mpv(mpv_create())
{
    if (!m_mpv)
        return;
    mpv_set_option_string(m_mpv, "vo", "null");
    mpv_set_option_string(m_mpv, "ao", "null");
    mpv_set_option_string(m_mpv, "ytdl", "no");
    mpv_request_log_messages(m_mpv, "warn");
    mpv_set_wakeup_callback(m_mpv, &MpvSession::wakeup, this);
    m_ready = mpv_initialize(m_mpv) >= 0;
}

MpvSession::~MpvSession()
{
    if (!m_mpv)
        return;
    // Once this returns mpv calls no more; events already queued to this
    // object die with it.
    mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
    mpv_terminate_destroy(m_mpv);
}

void MpvSession::load(const QString &url)
{
    const QByteArray location = url.toUtf8();
    const char *command[] = {"loadfile", location.constData(), nullptr};
    mpv_command(m_mpv, command);
}

std::optional<double> MpvSession::doubleProperty(const char *name) const
{
    double value = 0;
    if (mpv_get_property(m_mpv, name, MPV_FORMAT_DOUBLE, &value) < 0)
        return std::nullopt;
    return value;
}

std::optional<qint64> MpvSession::intProperty(const char *name) const
{
    int64_t value = 0;
    if (mpv_get_property(m_mpv, name, MPV_FORMAT_INT64, &value) < 0)
        return std::nullopt;
    return value;
}

void MpvSession::wakeup(void *self)
{
    // Called on one of mpv's threads.
    QMetaObject::invokeMethod(static_cast<MpvSession *>(self), &MpvSession::takeEvents,
                              Qt::QueuedConnection);
}

void MpvSession::takeEvents()
{
    for (;;) {
        const mpv_event *event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        if (event->event_id == MPV_EVENT_END_FILE) {
            const auto *end = static_cast<const mpv_event_end_file *>(event->data);
            m_endings.append({end->reason, end->error});
        } else if (event->event_id == MPV_EVENT_LOG_MESSAGE) {
            const auto *message = static_cast<const mpv_event_log_message *>(event->data);
            m_log.append(QStringLiteral("[%1] %2").arg(QString::fromUtf8(message->prefix),
                                                       QString::fromUtf8(message->text)));
        }
    }
}
