#include "logging.h"

Q_LOGGING_CATEGORY(lcApp, "tafsir.app", QtWarningMsg)
