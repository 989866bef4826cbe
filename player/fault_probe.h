#pragma once

// Names why a location failed, by a request of the player's own: the same
// address asked for its first byte through Qt's network stack, with the
// certificates the engine trusts, no body read and a short time limit.
// mpv tells only that loading failed; the log lines that would say why are
// process-wide and reach one core, whichever stream they concern.

#include "playback_state.h"

#include <QObject>
#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;

namespace player {

class FaultProbe : public QObject
{
    Q_OBJECT

public:
    explicit FaultProbe(QObject *parent = nullptr);

    // Asks for the location; `named` follows with what it met (None when
    // the location answers with media to serve). A probe started before is
    // abandoned. Only http and https locations are asked for.
    void start(const QString &location, const QString &certificateBundle);
    void cancel();

signals:
    void named(player::Fault fault);

private:
    void finish(Fault fault);

    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    Fault m_certificateFault = Fault::None;
};

} // namespace player
