#include "logging.h"

Q_LOGGING_CATEGORY(lcPlayer, "tafsir.player", QtWarningMsg)
