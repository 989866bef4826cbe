#pragma once

// The logging category of the player's desktop integration, screensaver
// inhibition and MPRIS ("tafsir.player.desktop"): warnings only unless
// QT_LOGGING_RULES asks for more.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDesktop)
