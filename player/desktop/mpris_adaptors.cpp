#include "mpris_adaptors.h"

#include "mpris_properties.h"
#include "mpris_service.h"

namespace player {

MprisRootAdaptor::MprisRootAdaptor(MprisService *service)
    : QDBusAbstractAdaptor(service), m_service(service)
{}

void MprisRootAdaptor::Raise()
{
    m_service->raise();
}

QString MprisRootAdaptor::identity() const
{
    return mpris::identity;
}

QString MprisRootAdaptor::desktopEntry() const
{
    return mpris::desktopEntry;
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService *service)
    : QDBusAbstractAdaptor(service), m_service(service)
{}

QVariant MprisPlayerAdaptor::value(const char *name) const
{
    return m_service->playerProperties().value(QLatin1String(name));
}

void MprisPlayerAdaptor::setRate(double rate)
{
    m_service->setRate(rate);
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    m_service->setVolume(volume);
}

qlonglong MprisPlayerAdaptor::position() const
{
    return m_service->position();
}

void MprisPlayerAdaptor::PlayPause()
{
    m_service->playPause();
}

void MprisPlayerAdaptor::Play()
{
    m_service->play();
}

void MprisPlayerAdaptor::Pause()
{
    m_service->pause();
}

void MprisPlayerAdaptor::Stop()
{
    m_service->stop();
}

void MprisPlayerAdaptor::Next()
{
    m_service->next();
}

void MprisPlayerAdaptor::Previous()
{
    m_service->previous();
}

void MprisPlayerAdaptor::Seek(qlonglong Offset)
{
    m_service->seek(Offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath &TrackId, qlonglong Position)
{
    m_service->setPosition(TrackId, Position);
}

void MprisPlayerAdaptor::OpenUri(const QString &Uri)
{
    m_service->refuseOpenUri(Uri);
}

} // namespace player
