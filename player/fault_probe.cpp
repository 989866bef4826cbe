#include "fault_probe.h"

#include "logging.h"
#include "network_faults.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QUrl>

namespace player {
namespace {

// Long enough for a slow link's first answer, short against mpv's own wait.
constexpr int kProbeTimeoutMs = 8000;

} // namespace

FaultProbe::FaultProbe(QObject *parent) : QObject(parent) {}

void FaultProbe::start(const QString &location, const QString &certificateBundle)
{
    cancel();
    const QUrl url(location.trimmed());
    if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) {
        emit named(Fault::None);
        return;
    }
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setRawHeader("Range", "bytes=0-0");
    request.setTransferTimeout(kProbeTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    if (url.scheme() == QLatin1String("https")) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(QSslCertificate::fromPath(certificateBundle));
        request.setSslConfiguration(tls);
    }
    m_certificateFault = Fault::None;
    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::sslErrors, this, [this](const QList<QSslError> &errors) {
        QList<QSslError::SslError> kinds;
        for (const QSslError &error : errors)
            kinds.append(error.error());
        m_certificateFault = faultOfSslErrors(kinds);
    });
    // The status is all that is wanted: the request ends as its headers come.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid() && reply == m_reply)
            finish(faultOfHttpStatus(status.toInt()));
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        if (reply != m_reply)
            return;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        Fault fault = status.isValid() ? faultOfHttpStatus(status.toInt())
                                       : faultOfNetworkError(reply->error());
        if (m_certificateFault != Fault::None)
            fault = m_certificateFault;
        finish(fault);
    });
}

void FaultProbe::cancel()
{
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void FaultProbe::finish(Fault fault)
{
    qCDebug(lcPlayer) << "the location's own answer names" << int(fault);
    cancel();
    emit named(fault);
}

} // namespace player
