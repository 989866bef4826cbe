#pragma once

// What went wrong with a location, from what the player's own request for
// it met: the HTTP status, Qt's network error, the TLS errors. Pure
// functions, so that each answer can be checked by a table.

#include "playback_state.h"

#include <QList>
#include <QNetworkReply>
#include <QSslError>

namespace player {

// The fault an HTTP status names; None for a status that serves the file.
Fault faultOfHttpStatus(int status);

// The fault a failed request names; None for NoError.
Fault faultOfNetworkError(QNetworkReply::NetworkError error);

// The fault a set of certificate errors names, the most telling first: an
// expired certificate, one for another address, a self-signed one, then
// any other untrusted one. None for no errors.
Fault faultOfSslErrors(const QList<QSslError::SslError> &errors);

} // namespace player
