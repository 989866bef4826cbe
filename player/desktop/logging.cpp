#include "logging.h"

Q_LOGGING_CATEGORY(lcDesktop, "tafsir.player.desktop", QtWarningMsg)
