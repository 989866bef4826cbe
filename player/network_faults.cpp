#include "network_faults.h"

#include <algorithm>

namespace player {

Fault faultOfHttpStatus(int status)
{
    if (status == 403 || status == 401)
        return Fault::Forbidden;
    if (status == 404 || status == 410)
        return Fault::NotFound;
    if (status >= 500 && status <= 599)
        return Fault::ServerError;
    if (status >= 400 && status <= 499)
        return Fault::Network;
    return Fault::None;
}

Fault faultOfNetworkError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::NoError:
        return Fault::None;
    case QNetworkReply::HostNotFoundError:
        return Fault::UnknownHost;
    case QNetworkReply::ConnectionRefusedError:
        return Fault::ConnectionRefused;
    case QNetworkReply::SslHandshakeFailedError:
        return Fault::Certificate;
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::AuthenticationRequiredError:
        return Fault::Forbidden;
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::ContentGoneError:
        return Fault::NotFound;
    case QNetworkReply::InternalServerError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError:
        return Fault::ServerError;
    default:
        return Fault::Network;
    }
}

Fault faultOfSslErrors(const QList<QSslError::SslError> &errors)
{
    const auto has = [&errors](std::initializer_list<QSslError::SslError> kinds) {
        return std::any_of(kinds.begin(), kinds.end(),
                           [&errors](QSslError::SslError kind) { return errors.contains(kind); });
    };
    if (errors.isEmpty())
        return Fault::None;
    if (has({QSslError::CertificateExpired, QSslError::CertificateNotYetValid}))
        return Fault::CertificateExpired;
    if (has({QSslError::HostNameMismatch}))
        return Fault::CertificateWrongHost;
    if (has({QSslError::SelfSignedCertificate}))
        return Fault::CertificateSelfSigned;
    return Fault::Certificate;
}

} // namespace player
