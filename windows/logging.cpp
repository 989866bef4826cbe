#include "logging.h"

Q_LOGGING_CATEGORY(lcWindows, "tafsir.windows", QtWarningMsg)
