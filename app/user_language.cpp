#include "user_language.h"

#include <QtGlobal>
#include <cctype>

namespace app {

bool prefersArabic(const QByteArray &language, const QByteArray &lcAll,
                   const QByteArray &lcMessages, const QByteArray &lang)
{
    QByteArray chosen;
    for (const QByteArray &value : {language, lcAll, lcMessages, lang}) {
        if (!value.isEmpty()) {
            chosen = value;
            break;
        }
    }
    // LANGUAGE may list several, "ar:en"; the first is the user's own.
    return chosen.startsWith("ar") && (chosen.size() == 2 || !std::isalpha(chosen.at(2)));
}

bool processPrefersArabic()
{
    return prefersArabic(qgetenv("LANGUAGE"), qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"),
                         qgetenv("LANG"));
}

} // namespace app
