#pragma once

// The language of the texts printed before any window exists (the answer
// to --help, the line for a missing display), read from the locale
// variables as gettext reads them: LANGUAGE, LC_ALL, LC_MESSAGES, LANG; the
// first that is set decides.

#include <QByteArray>

namespace app {

bool prefersArabic(const QByteArray &language, const QByteArray &lcAll,
                   const QByteArray &lcMessages, const QByteArray &lang);

// The same, for this process's environment.
bool processPrefersArabic();

} // namespace app
