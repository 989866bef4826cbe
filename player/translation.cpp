#include "translation.h"

#include "logging.h"

#include <QCoreApplication>
#include <QTranslator>

namespace player {

void installTranslation()
{
    static QTranslator *translator = nullptr;
    if (translator)
        return;
    translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral(":/i18n/player_ar.qm"))) {
        qCWarning(lcPlayer) << "the player's Arabic texts are missing";
        return;
    }
    QCoreApplication::installTranslator(translator);
}

} // namespace player
